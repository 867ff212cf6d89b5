// System-wide low-level hooks. The platform's own hook procedure forwards to
// the core's procedure with the raw arguments; lParam points to the platform's
// low-level record, whose leading fields match the structs below.
#pragma once

#include <cstdint>

namespace qm {

// The first five 32-bit fields of the low-level mouse record.
struct LowLevelMouseRecord {
    std::int32_t x;
    std::int32_t y;
    std::uint32_t mouseData;
    std::uint32_t flags;
    std::uint32_t time;
};

// The leading field of the low-level keyboard record.
struct LowLevelKeyboardRecord {
    std::uint32_t virtualKey;
    std::uint32_t scanCode;
    std::uint32_t flags;
    std::uint32_t time;
};

using HookHandle = std::intptr_t;  // 0: none
using HookProcedure = std::intptr_t (*)(std::int32_t code, std::uintptr_t wParam, std::intptr_t lParam);

namespace platform {

enum class HookKind : int { LowLevelKeyboard = 13, LowLevelMouse = 14 };

// SetWindowsHookExA(kind, procedure, own module, all threads); 0 if refused.
HookHandle InstallHook(HookKind kind, HookProcedure procedure);
// UnhookWindowsHookEx; its result.
std::int32_t RemoveHook(HookHandle handle);
std::intptr_t CallNextHook(HookHandle handle, std::int32_t code, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace platform
}  // namespace qm
