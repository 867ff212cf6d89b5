// Window operations the core uses: control texts in GBK, the script box, the
// message box, serving events. Implemented by platform/win32 and, for native
// tests, by the fake desktop.
#pragma once

#include <cstdint>

#include "platform/controls.h"
#include "platform/text.h"

namespace qm {

enum class ControlKind { Label, ScriptBox, NumberBox, PushButton };

struct ControlDefinition {
    Control id;
    ControlKind kind;
    int x, y, width, height;  // client coordinates of the main window
    const char* text;         // initial text, GBK
};

struct WindowDefinition {
    const char* title;  // GBK
    int outerWidth, outerHeight;
    const ControlDefinition* controls;
    int controlCount;
    void (*onClick)(Control);  // a push button was clicked
};

namespace platform {

// Creates and shows the main window; false when the platform refused.
bool CreateMainWindow(const WindowDefinition& definition);
// Runs the message loop until the main window is closed; returns the exit code.
int RunMessageLoop();

// A fresh copy of the control's text (edit box text or label caption).
Text ControlText(Control control);
// Writes the text; a label repaints at once so a status stays visible even
// when the thread blocks right after.
void SetControlText(Control control, const Text& text);
// Caret to the end of 编辑框1, scrolled into view, text inserted there.
void AppendToScriptBox(const Text& text);
// Message box: caption "信息：", OK, no icon, no owner, task-modal.
void ShowMessage(const Text& text);
// Dispatches queued window messages until the queue is empty or the next one
// is the quit message, which stays queued for the message loop.
void ServeEvents();
// True once the main window has been closed (the quit message is queued).
bool QuitRequested();
// The main window's handle as an integer (0 before it exists).
std::uintptr_t MainWindowHandle();

}  // namespace platform
}  // namespace qm

namespace qm {
// Writes the status label (透明标签7).
inline void SetStatus(const Text& text) { platform::SetControlText(Control::透明标签7, text); }
}  // namespace qm
