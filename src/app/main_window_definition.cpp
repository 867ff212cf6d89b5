// The main window's table of controls (initial texts are GBK bytes) and the
// routing of button clicks to their handlers.
#include "app/main_window_definition.h"

#include <iterator>

#include "app/click_counter.h"
#include "capture/recorder.h"
#include "playback/run_controller.h"
#include "script/script_texts.h"

namespace qm {
namespace {

constexpr ControlDefinition Controls[] = {
    {Control::透明标签8, ControlKind::Label, 8, 8, 200, 32, "\xC3\xFC\xC1\xEE\xCC\xA8\xA3\xBA"},  // 命令台：
    {Control::编辑框1, ControlKind::ScriptBox, 0, 40, 392, 240, ""},
    {Control::透明标签1, ControlKind::Label, 432, 32, 32, 32, "\xD1\xD3\xCA\xB1\xA3\xBA"},  // 延时：
    {Control::编辑框_延时, ControlKind::NumberBox, 496, 32, 64, 24, "500"},
    {Control::透明标签4, ControlKind::Label, 568, 28, 32, 32, "\xBA\xC1\xC3\xEB"},  // 毫秒
    {Control::透明标签2, ControlKind::Label, 432, 64, 48, 32,
     "\xD7\xDC\xD1\xD3\xCA\xB1\xA3\xBA"},  // 总延时：
    {Control::编辑框_总延时, ControlKind::NumberBox, 496, 64, 64, 24, "5"},
    {Control::透明标签5, ControlKind::Label, 568, 61, 32, 32, "\xC3\xEB"},  // 秒
    {Control::透明标签3, ControlKind::Label, 432, 96, 64, 32,
     "\xD4\xCB\xD0\xD0\xB4\xCE\xCA\xFD\xA3\xBA"},  // 运行次数：
    {Control::编辑框_运行次数, ControlKind::NumberBox, 496, 96, 64, 24, "2"},
    {Control::透明标签6, ControlKind::Label, 568, 92, 32, 32, "\xB4\xCE"},  // 次
    {Control::按钮1, ControlKind::PushButton, 424, 136, 64, 40, "0"},
    {Control::按钮_运行, ControlKind::PushButton, 504, 144, 80, 32, "\xD4\xCB\xD0\xD0"},  // 运行
    {Control::按钮_录制, ControlKind::PushButton, 424, 200, 80, 32, "\xC2\xBC\xD6\xC6"},  // 录制
    {Control::按钮_结束, ControlKind::PushButton, 512, 200, 80, 32, "\xBD\xE1\xCA\xF8"},  // 结束
    {Control::透明标签7, ControlKind::Label, 400, 248, 200, 32, script::StatusNotRecorded},
};

void OnMainWindowClick(Control button) {
    switch (button) {
        case Control::按钮1:
            CountClick();
            break;
        case Control::按钮_录制:
            Record();
            break;
        case Control::按钮_结束:
            End();
            break;
        case Control::按钮_运行:
            RunScript();
            break;
        default:
            break;  // no other control has a click handler
    }
}

constexpr WindowDefinition Definition = {
    "Quillmarsh 1.0--------------------Tovendal",
    606,
    312,
    Controls,
    static_cast<int>(std::size(Controls)),
    OnMainWindowClick,
};

}  // namespace

const WindowDefinition& MainWindowDefinition() { return Definition; }

}  // namespace qm
