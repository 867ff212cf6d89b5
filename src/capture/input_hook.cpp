// The process-wide hook registry and InputHook's operations: installing and
// removing the low-level hooks whose procedures live in hook_procedures.cpp.
#include "capture/input_hook.h"

namespace qm {

HookRegistry* TheHookRegistry = nullptr;
InputHook* TheInputHook = nullptr;

namespace {

// Handles are tested as signed values of the handle's own width: only a
// positive handle counts as installed.
bool Installed(HookHandle handle) { return handle > 0; }

// Installing over a live hook would leave the first one orphaned, still
// calling the callback, so every event would be recorded twice. The old hook
// goes first; no message can arrive in between on this thread.
void ReplaceHook(HookHandle& slot, platform::HookKind kind, HookProcedure procedure) {
    if (slot != 0) platform::RemoveHook(slot);
    slot = platform::InstallHook(kind, procedure);
}

}  // namespace

void InputHook::Destroy() {}

InputHook* InputHook::Copy() const { return new InputHook(); }

HookHandle InputHook::InstallKeyboardHook(std::uintptr_t, HookCallback callback) {
    if (TheHookRegistry == nullptr) return 0;
    HookRegistry& registry = *TheHookRegistry;
    // The handle is stored before the callback; the procedure cannot run in
    // between because this thread serves no messages here.
    ReplaceHook(registry.keyboardHook, platform::HookKind::LowLevelKeyboard, KeyboardHookProc);
    registry.keyboardCallback = callback;
    return registry.keyboardHook;
}

HookHandle InputHook::InstallMouseHook(std::uintptr_t, HookCallback callback) {
    if (TheHookRegistry == nullptr) return 0;
    HookRegistry& registry = *TheHookRegistry;
    ReplaceHook(registry.mouseHook, platform::HookKind::LowLevelMouse, MouseHookProc);
    registry.mouseCallback = callback;
    return registry.mouseHook;
}

std::int32_t InputHook::RemoveHooks(HookHandle handle, bool handleGiven) {
    // A given handle is unhooked as it is; the registry does not know it.
    if (handleGiven && handle != 0) return platform::RemoveHook(handle);
    if (TheHookRegistry == nullptr) return 0;
    HookRegistry& registry = *TheHookRegistry;
    std::int32_t result = 0;
    // The callbacks stay: only the handles say whether a hook is installed.
    if (Installed(registry.keyboardHook)) {
        result = platform::RemoveHook(registry.keyboardHook);
        registry.keyboardHook = 0;
    }
    if (Installed(registry.mouseHook)) {
        result = platform::RemoveHook(registry.mouseHook);
        registry.mouseHook = 0;
    }
    return result;
}

}  // namespace qm
