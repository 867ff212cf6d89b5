// The window operations of the core: control texts in GBK, appending to the
// script box, the message box, and the main window's creation and handle.
#include <windows.h>

#include <string>

#include "platform/window.h"
#include "script/script_texts.h"
#include "text_convert.h"
#include "window_main.h"

namespace qm::platform {
namespace {

HWND ControlWindow(Control control) {
    MainWindow* window = MainWindow::Instance();
    return window != nullptr ? window->ControlHandle(control) : nullptr;
}

}  // namespace

bool CreateMainWindow(const WindowDefinition& definition) { return MainWindow::Create(definition); }

Text ControlText(Control control) {
    HWND hwnd = ControlWindow(control);
    if (hwnd == nullptr) return Text();
    // WM_GETTEXT gives the box's contents (GetWindowText would not, across processes).
    const LRESULT length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return Text();
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(wide.size()),
                                        reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return WideToGbk(wide);
}

void SetControlText(Control control, const Text& text) {
    HWND hwnd = ControlWindow(control);
    if (hwnd == nullptr) return;
    const std::wstring wide = GbkToWide(text);
    // Labels repaint themselves on WM_SETTEXT.
    SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void AppendToScriptBox(const Text& text) {
    HWND box = ControlWindow(Control::编辑框1);
    if (box == nullptr) return;
    // Insert at the end instead of rewriting the whole text: this runs on the
    // mouse hook's path and must stay cheap however long the script grows.
    const LRESULT end = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
    const std::wstring wide = GbkToWide(text);
    SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
    // Again after the insert, so the newest text is what the box shows.
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void ShowMessage(const Text& text) {
    const std::wstring wide = GbkToWide(text);
    const std::wstring caption = GbkToWide(script::MessageCaption);
    MessageBoxW(nullptr, wide.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL);
}

std::uintptr_t MainWindowHandle() {
    MainWindow* window = MainWindow::Instance();
    return window != nullptr ? reinterpret_cast<std::uintptr_t>(window->Handle()) : 0;
}

}  // namespace qm::platform
