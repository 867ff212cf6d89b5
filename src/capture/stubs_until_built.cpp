// Placeholder bodies so the program links before the capture subsystem lands.
#include "capture/input_hook.h"
#include "capture/recorder.h"

namespace qm {
HookRegistry* TheHookRegistry = nullptr;
InputHook* TheInputHook = nullptr;
SavedPosition DownPosition;
SavedPosition UpPosition;
void InputHook::Destroy() {}
InputHook* InputHook::Copy() const { return new InputHook(); }
HookHandle InputHook::InstallKeyboardHook(std::uintptr_t, HookCallback) { return 0; }
std::int32_t InputHook::RemoveHooks(HookHandle, bool) { return 0; }
HookHandle InputHook::InstallMouseHook(std::uintptr_t, HookCallback) { return 0; }
void Record() {}
void End() {}
void RecordMouseEvent(std::int32_t, std::int32_t, std::int32_t) {}
void ReleaseSavedPositions() {}
}  // namespace qm
