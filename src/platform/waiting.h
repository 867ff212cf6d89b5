// Timers and waits. Both kinds of wait go through here so that tests can run
// a whole playback against a fake clock.
#pragma once

#include <cstdint>

namespace qm::platform {

using TimerHandle = std::intptr_t;  // 0: no timer

// An auto-reset waitable timer, high resolution where the system offers one;
// 0 when it cannot be created.
TimerHandle CreateWaitTimer();
// Arms the timer with a due time in 100 ns units (negative: relative).
bool SetWaitTimer(TimerHandle timer, std::int64_t due);
enum class WaitResult { TimerFired, EventsPending, Failed };
// MsgWaitForMultipleObjects on the timer alone, no timeout, wake mask 0xFF.
WaitResult WaitForTimerOrEvents(TimerHandle timer);
void CloseWaitTimer(TimerHandle timer);
// Blocks the thread; serves no events.
void BlockingSleep(std::uint32_t ms);

}  // namespace qm::platform
