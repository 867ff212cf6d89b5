// PumpingWait: a one-shot waitable timer and the wait that serves events until
// it fires.
#include "playback/pumping_wait.h"

#include "platform/waiting.h"
#include "platform/window.h"

namespace qm {
namespace {

// Owns one timer handle for the length of a wait.
class WaitTimer {
public:
    WaitTimer() : handle_(platform::CreateWaitTimer()) {}
    ~WaitTimer() { platform::CloseWaitTimer(handle_); }
    WaitTimer(const WaitTimer&) = delete;
    WaitTimer& operator=(const WaitTimer&) = delete;
    platform::TimerHandle Get() const { return handle_; }

private:
    platform::TimerHandle handle_;
};

void WaitWithoutTimer(std::int32_t ms) {
    platform::BlockingSleep(ms > 0 ? static_cast<std::uint32_t>(ms) : 0);
    platform::ServeEvents();
}

}  // namespace

bool PumpingWait(std::int32_t ms) {
    // A relative due time in 100 ns units.
    const auto due = static_cast<std::int64_t>(-(static_cast<double>(ms) * 10000.0));
    WaitTimer timer;
    if (timer.Get() == 0 || !platform::SetWaitTimer(timer.Get(), due)) {
        WaitWithoutTimer(ms);
        return true;
    }
    for (;;) {
        switch (platform::WaitForTimerOrEvents(timer.Get())) {
            case platform::WaitResult::TimerFired:
                return true;
            case platform::WaitResult::EventsPending:
                platform::ServeEvents();
                // After the close the quit message stays queued and would wake
                // every wait: the rest of the wait no longer matters.
                if (platform::QuitRequested()) return true;
                break;
            case platform::WaitResult::Failed:
                // The timer can no longer be waited on; waiting again would spin.
                WaitWithoutTimer(ms);
                return true;
        }
    }
}

}  // namespace qm
