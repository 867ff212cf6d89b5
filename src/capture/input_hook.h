// The process-wide hook registry and the InputHook class that installs and
// removes the low-level hooks and classifies what they report.
#pragma once

#include <cstdint>

#include "platform/hooks.h"

namespace qm {

// A hook callback: (button, action, 0) for the mouse, (message, key, 0) for the keyboard.
using HookCallback = void (*)(std::int32_t first, std::int32_t second, std::int32_t third);

// One record for the whole process; the hook procedures find their callback
// and their own handle only here.
struct HookRegistry {
    HookCallback keyboardCallback = nullptr;
    HookHandle keyboardHook = 0;
    HookCallback mouseCallback = nullptr;
    HookHandle mouseHook = 0;
};

// Created by StartUp, released by ShutDown.
extern HookRegistry* TheHookRegistry;

class InputHook {
public:
    virtual void Destroy();
    virtual InputHook* Copy() const;
    virtual HookHandle InstallKeyboardHook(std::uintptr_t window, HookCallback callback);
    virtual std::int32_t RemoveHooks(HookHandle handle, bool handleGiven);
    virtual HookHandle InstallMouseHook(std::uintptr_t window, HookCallback callback);
    virtual ~InputHook() = default;
};

// Created by StartUp, destroyed and released by ShutDown.
extern InputHook* TheInputHook;

std::intptr_t MouseHookProc(std::int32_t code, std::uintptr_t wParam, std::intptr_t lParam);
std::intptr_t KeyboardHookProc(std::int32_t code, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace qm
