// The recorder: Record and End, and RecordMouseEvent, which turns the button
// codes the mouse hook reports into script lines at the end of the script box.
#include "capture/recorder.h"

#include <string_view>

#include "capture/input_hook.h"
#include "capture/mouse_codes.h"
#include "platform/input.h"
#include "platform/window.h"
#include "script/script_format.h"
#include "script/script_texts.h"
#include "script/text_ops.h"

namespace qm {

SavedPosition DownPosition;
SavedPosition UpPosition;

namespace {

struct ButtonTexts {
    const char* press;
    const char* release;
    const char* click;
};

const ButtonTexts* TextsFor(std::int32_t button) {
    static constexpr ButtonTexts Left{script::ActionLeftPress, script::ActionLeftRelease,
                                      script::ActionLeftClick};
    static constexpr ButtonTexts Right{script::ActionRightPress, script::ActionRightRelease,
                                       script::ActionRightClick};
    static constexpr ButtonTexts Middle{script::ActionMiddlePress, script::ActionMiddleRelease,
                                        script::ActionMiddleClick};
    switch (static_cast<MouseButtonCode>(button)) {
        case MouseButtonCode::Left:
            return &Left;
        case MouseButtonCode::Right:
            return &Right;
        case MouseButtonCode::Middle:
            return &Middle;
        default:
            return nullptr;
    }
}

SavedPosition CursorTexts() {
    const Point at = platform::CursorPosition();
    return SavedPosition{IntToText(at.x), IntToText(at.y)};
}

// One line, appended piece by piece so the box shows it growing. Only the new
// pieces travel: nothing here reads or rewrites the script already there.
void AppendActionLine(std::string_view action, std::string_view x, std::string_view y) {
    platform::AppendToScriptBox(HorizontalPiece(x));
    platform::AppendToScriptBox(VerticalPiece(y));
    platform::AppendToScriptBox(ActionPiece(action));
    // The delay is whatever the box holds at this moment, taken verbatim.
    platform::AppendToScriptBox(DelayPiece(platform::ControlText(Control::编辑框_延时)));
}

void AppendActionLineAtCursor(std::string_view action) {
    const SavedPosition at = CursorTexts();
    AppendActionLine(action, *at.x, *at.y);
}

void AppendDoubleClickLine() {
    const SavedPosition at = CursorTexts();
    platform::AppendToScriptBox(HorizontalPiece(*at.x));
    platform::AppendToScriptBox(VerticalPiece(*at.y));
    platform::AppendToScriptBox(DoubleClickPiece());
}

void RecordRelease(const ButtonTexts& texts) {
    UpPosition = CursorTexts();
    if (TextEquals(UpPosition.x, DownPosition.x) && TextEquals(UpPosition.y, DownPosition.y)) {
        AppendActionLineAtCursor(texts.click);
        return;
    }
    // With no press seen yet the press line carries empty coordinates.
    AppendActionLine(texts.press, DownPosition.x.value_or(Text()), DownPosition.y.value_or(Text()));
    AppendActionLineAtCursor(texts.release);
}

}  // namespace

void Record() {
    // Installing replaces a hook a previous Record left, so pressing Record
    // twice restarts the recording instead of doubling every event.
    if (TheInputHook == nullptr) return;
    TheInputHook->InstallMouseHook(platform::MainWindowHandle(), RecordMouseEvent);
}

void End() {
    if (TheInputHook != nullptr) TheInputHook->RemoveHooks(0, false);
    SetStatus(script::StatusRecorded);
    const Text script = platform::ControlText(Control::编辑框1);
    const std::string_view trimmed = TrimSpaces(script);
    // Writing the same text back would only cost time on a long script.
    if (trimmed.size() != script.size()) platform::SetControlText(Control::编辑框1, Text(trimmed));
}

void RecordMouseEvent(std::int32_t button, std::int32_t action, std::int32_t) {
    // Every event, moves included, says the recording is on. The label is
    // written only when it says something else, which keeps repaints off the
    // hook path for the stream of moves.
    if (platform::ControlText(Control::透明标签7) != script::StatusRecording)
        SetStatus(script::StatusRecording);

    const auto kind = static_cast<MouseActionCode>(action);
    if (const ButtonTexts* texts = TextsFor(button)) {
        if (kind == MouseActionCode::Press) DownPosition = CursorTexts();
        if (kind == MouseActionCode::Release) RecordRelease(*texts);
    }
    // A double-click is written the same way whichever button made it.
    if (kind == MouseActionCode::DoubleClick) AppendDoubleClickLine();
}

void ReleaseSavedPositions() {
    DownPosition = SavedPosition();
    UpPosition = SavedPosition();
}

}  // namespace qm
