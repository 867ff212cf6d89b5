// Low-level hooks on Win32: SetWindowsHookExA with stdcall trampolines that
// forward the raw arguments to the core's hook procedures.
#include "platform/hooks.h"

#include <windows.h>

#include <cstddef>

namespace qm::platform {
namespace {

// The core reads lParam through its own records; they must match the leading
// fields of the system's structs on both 32-bit and 64-bit builds.
static_assert(offsetof(MSLLHOOKSTRUCT, pt) + offsetof(POINT, x) == offsetof(LowLevelMouseRecord, x));
static_assert(offsetof(MSLLHOOKSTRUCT, pt) + offsetof(POINT, y) == offsetof(LowLevelMouseRecord, y));
static_assert(offsetof(MSLLHOOKSTRUCT, mouseData) == offsetof(LowLevelMouseRecord, mouseData));
static_assert(offsetof(MSLLHOOKSTRUCT, flags) == offsetof(LowLevelMouseRecord, flags));
static_assert(offsetof(MSLLHOOKSTRUCT, time) == offsetof(LowLevelMouseRecord, time));
static_assert(sizeof(MSLLHOOKSTRUCT) >= sizeof(LowLevelMouseRecord));
static_assert(offsetof(KBDLLHOOKSTRUCT, vkCode) == offsetof(LowLevelKeyboardRecord, virtualKey));
static_assert(offsetof(KBDLLHOOKSTRUCT, scanCode) == offsetof(LowLevelKeyboardRecord, scanCode));
static_assert(offsetof(KBDLLHOOKSTRUCT, flags) == offsetof(LowLevelKeyboardRecord, flags));
static_assert(offsetof(KBDLLHOOKSTRUCT, time) == offsetof(LowLevelKeyboardRecord, time));
static_assert(sizeof(KBDLLHOOKSTRUCT) >= sizeof(LowLevelKeyboardRecord));
static_assert(sizeof(HHOOK) == sizeof(HookHandle));
static_assert(sizeof(LRESULT) == sizeof(std::intptr_t) && sizeof(WPARAM) == sizeof(std::uintptr_t));

// One core procedure per hook kind; the system calls the trampoline of the kind.
HookProcedure mouseProcedure = nullptr;
HookProcedure keyboardProcedure = nullptr;

LRESULT Forward(HookProcedure procedure, int code, WPARAM wParam, LPARAM lParam) {
    // Nothing may unwind through the system's frames; the message goes on
    // down the chain even if the core failed.
    try {
        if (procedure != nullptr) return procedure(code, wParam, lParam);
    } catch (...) {
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseTrampoline(int code, WPARAM wParam, LPARAM lParam) {
    return Forward(mouseProcedure, code, wParam, lParam);
}

LRESULT CALLBACK KeyboardTrampoline(int code, WPARAM wParam, LPARAM lParam) {
    return Forward(keyboardProcedure, code, wParam, lParam);
}

}  // namespace

HookHandle InstallHook(HookKind kind, HookProcedure procedure) {
    const bool mouse = kind == HookKind::LowLevelMouse;
    (mouse ? mouseProcedure : keyboardProcedure) = procedure;
    // A low-level hook runs in the installing thread; the module handle is the
    // program's own and the hook covers every thread of the desktop.
    HHOOK hook =
        SetWindowsHookExA(mouse ? WH_MOUSE_LL : WH_KEYBOARD_LL, mouse ? MouseTrampoline : KeyboardTrampoline,
                          GetModuleHandleA(nullptr), 0);
    return reinterpret_cast<HookHandle>(hook);
}

std::int32_t RemoveHook(HookHandle handle) { return UnhookWindowsHookEx(reinterpret_cast<HHOOK>(handle)); }

std::intptr_t CallNextHook(HookHandle handle, std::int32_t code, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    return CallNextHookEx(reinterpret_cast<HHOOK>(handle), code, wParam, lParam);
}

}  // namespace qm::platform
