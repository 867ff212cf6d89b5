// RunScript: the click handler of 按钮_运行. Plays the script the chosen number
// of times with the pause between runs and reports progress in the status.
#include "playback/run_controller.h"

#include <cstdint>

#include "platform/waiting.h"
#include "platform/window.h"
#include "playback/mouse_buttons.h"
#include "script/script_texts.h"
#include "script/text_ops.h"

namespace qm {
namespace {

// Glides serve events, so Run can be clicked again (by the user or by the
// script itself) while a run goes: such clicks are ignored.
bool runInProgress = false;

class RunInProgress {
public:
    RunInProgress() { runInProgress = true; }
    ~RunInProgress() { runInProgress = false; }
    RunInProgress(const RunInProgress&) = delete;
    RunInProgress& operator=(const RunInProgress&) = delete;
};

std::int32_t RunCount() { return TextToInt(platform::ControlText(Control::编辑框_运行次数)); }

// Seconds × 1000 in double precision, truncated toward zero to 64 bits; the low
// 32 bits are the signed millisecond count, and a negative count is 0.
std::uint32_t PauseBetweenRunsMs() {
    const double seconds = TextToInt(platform::ControlText(Control::编辑框_总延时));
    const auto wide = static_cast<std::int64_t>(seconds * 1000.0);
    const auto ms = static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
    return ms > 0 ? static_cast<std::uint32_t>(ms) : 0;
}

Text RunningStatus(std::int32_t run) {
    return Text(script::StatusRunPrefix) + IntToText(run) + script::StatusRunSuffix;
}

}  // namespace

void RunScript() {
    if (runInProgress || platform::QuitRequested()) return;
    if (platform::ControlText(Control::透明标签7) == script::StatusRecording) {
        platform::ShowMessage(script::MessageFinishRecording);
        return;
    }
    RunInProgress guard;
    const std::int32_t count = RunCount();
    for (std::int32_t run = 1; run <= count; ++run) {
        SetStatus(RunningStatus(run));
        PlayScript();
        if (platform::QuitRequested()) break;
        // The box is read again: a count changed during the run moves the
        // completion, not the number of passes.
        if (RunCount() == run) {
            SetStatus(script::StatusRunDone);
        } else {
            platform::BlockingSleep(PauseBetweenRunsMs());
        }
        if (run == count) break;  // count may be the largest int32
    }
    // A script edited down to a press without its release, or a run stopped by
    // the window's close, must not leave a button down.
    ReleaseHeldButtons();
}

}  // namespace qm
