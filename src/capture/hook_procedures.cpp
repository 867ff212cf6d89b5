// The low-level hook procedures: each hands what it saw to the callback in the
// registry, then passes the message on down the hook chain.
#include "capture/input_hook.h"
#include "capture/mouse_codes.h"

namespace qm {
namespace {

constexpr std::uintptr_t KeyDown = 0x0100, KeyUp = 0x0101, KeyCharacter = 0x0102;

// No exception may leave a hook procedure: the platform's frames cannot unwind
// it, and the message must go on down the chain whatever the callback did.
void CallSafely(HookCallback callback, std::int32_t first, std::int32_t second) {
    try {
        callback(first, second, 0);
    } catch (...) {
    }
}

}  // namespace

std::intptr_t MouseHookProc(std::int32_t code, std::uintptr_t wParam, std::intptr_t lParam) {
    HookRegistry* registry = TheHookRegistry;
    // A call that arrives after the hook was removed (Wine delivers hook calls
    // it queued before the unhook) reports nothing: after End, a late move
    // would otherwise set the recording status again and Run would refuse.
    if (code >= 0 && registry != nullptr && registry->mouseHook != 0 && lParam != 0) {
        const auto& record = *reinterpret_cast<const LowLevelMouseRecord*>(lParam);
        const MouseCodes codes = ClassifyMouseMessage(wParam, record.mouseData);
        if (registry->mouseCallback != nullptr) {
            CallSafely(registry->mouseCallback, static_cast<std::int32_t>(codes.button),
                       static_cast<std::int32_t>(codes.action));
        }
    }
    // The handle is read after the callback: it is the registry's at this moment.
    return platform::CallNextHook(registry != nullptr ? registry->mouseHook : 0, code, wParam, lParam);
}

std::intptr_t KeyboardHookProc(std::int32_t code, std::uintptr_t wParam, std::intptr_t lParam) {
    HookRegistry* registry = TheHookRegistry;
    if (code == 0 && registry != nullptr && registry->keyboardHook != 0 && lParam != 0) {
        const auto& record = *reinterpret_cast<const LowLevelKeyboardRecord*>(lParam);
        const bool keyMessage = wParam == KeyDown || wParam == KeyUp || wParam == KeyCharacter;
        if (keyMessage && registry->keyboardCallback != nullptr) {
            CallSafely(registry->keyboardCallback, static_cast<std::int32_t>(wParam),
                       static_cast<std::int32_t>(record.virtualKey));
        }
    }
    return platform::CallNextHook(registry != nullptr ? registry->keyboardHook : 0, code, wParam, lParam);
}

}  // namespace qm
