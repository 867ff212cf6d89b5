// The one dispatch routine shared by the message loop and ServeEvents, so Esc,
// Enter and Tab behave the same during a playback as at rest.
#include <windows.h>

#include "platform/window.h"
#include "window_main.h"

namespace qm::platform {
namespace {

// Takes the keys the window handles itself before any control sees them;
// true when the message was consumed.
bool HandleWindowKeys(HWND main, const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == VK_ESCAPE) {
        SendMessageW(main, WM_CLOSE, 0, 0);
        return true;
    }
    // Only the script box takes Enter; elsewhere it does nothing (no default button).
    if (msg.wParam == VK_RETURN) return msg.hwnd != MainWindow::Instance()->ControlHandle(Control::编辑框1);
    return false;
}

void DispatchOne(MSG& msg) {
    MainWindow* window = MainWindow::Instance();
    HWND main = window != nullptr ? window->Handle() : nullptr;
    if (main != nullptr && (msg.hwnd == main || IsChild(main, msg.hwnd))) {
        if (HandleWindowKeys(main, msg)) return;
        if (IsDialogMessageW(main, &msg)) return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace

int RunMessageLoop() {
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return 1;
        DispatchOne(msg);
    }
}

void ServeEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) return;  // left queued for the message loop
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return;
        if (msg.message == WM_QUIT) {
            // It overtook the peeked message; put it back.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchOne(msg);
    }
}

bool QuitRequested() {
    MainWindow* window = MainWindow::Instance();
    return window != nullptr && window->Destroyed();
}

}  // namespace qm::platform
