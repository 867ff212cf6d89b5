// PlayScript: one pass over the script box, line by line: glide to the point,
// perform the button action, block for the line's delay.
#include <string_view>
#include <vector>

#include "platform/waiting.h"
#include "platform/window.h"
#include "playback/cursor_glide.h"
#include "playback/line_actions.h"
#include "playback/run_controller.h"
#include "script/script_format.h"

namespace qm {
namespace {

// A missing delay field (a line the user cut short) waits 0 ms, as does a
// negative delay.
std::uint32_t LineDelayMs(const std::vector<std::string_view>& fields) {
    const std::int32_t ms = fields.size() >= 4 ? FieldNumber(fields[3]) : 0;
    return ms > 0 ? static_cast<std::uint32_t>(ms) : 0;
}

void PlayLine(std::string_view line) {
    const std::vector<std::string_view> fields = LineFields(line);
    // An empty line or a line of spaces names no point: nothing to do.
    if (fields.size() < 2) return;
    GlideCursor(FieldNumber(fields[0]), FieldNumber(fields[1]));
    if (platform::QuitRequested() || fields.size() < 3) return;
    const LineAction* action = MatchLineAction(fields[2]);
    if (action == nullptr) return;
    SynthesizeMouseButton(action->button, action->kind);
    if (action->waitsDelay) platform::BlockingSleep(LineDelayMs(fields));
}

}  // namespace

void PlayScript() {
    // Read once: edits made while the pass runs count from the next pass on.
    const Text script = platform::ControlText(Control::编辑框1);
    for (std::string_view line : ScriptLines(script)) {
        if (platform::QuitRequested()) return;
        PlayLine(line);
    }
}

}  // namespace qm
