// Which kind of waitable timer CreateWaitTimer makes. The program always uses
// the default; benchmarks switch to the plain timer to compare the two.
#pragma once

namespace qm::platform {

enum class TimerChoice { HighResolutionWherePossible, PlainOnly };
void ChooseTimers(TimerChoice choice);
// True when the last CreateWaitTimer got a high-resolution timer.
bool LastTimerWasHighResolution();

}  // namespace qm::platform
