// StartUp and ShutDown, in the order the capture objects need: the registry
// and the hook object exist before the window can record, and go after it.
#include "app/startup.h"

#include <cstdlib>

#include "app/main_window_definition.h"
#include "capture/input_hook.h"
#include "capture/recorder.h"
#include "platform/window.h"

namespace qm {
namespace {

// The program's own start-up routine; nothing to prepare beyond the objects above.
void ProgramStartUp() {}

void RegisterShutDownOnce() {
    static bool registered = false;
    if (registered) return;
    registered = std::atexit(ShutDown) == 0;
}

}  // namespace

int StartUp() {
    if (TheHookRegistry == nullptr) TheHookRegistry = new HookRegistry();
    if (TheInputHook == nullptr) TheInputHook = new InputHook();
    RegisterShutDownOnce();
    ProgramStartUp();
    // The window's "created" event has no handler: nothing runs between
    // creating the window and entering the loop.
    if (!platform::CreateMainWindow(MainWindowDefinition())) return 1;
    return platform::RunMessageLoop();
}

void ShutDown() {
    if (TheInputHook != nullptr) {
        // A hook left installed (the window closed mid-recording) would keep
        // calling into a released registry; take it out first.
        if (TheHookRegistry != nullptr) TheInputHook->RemoveHooks(0, false);
        TheInputHook->Destroy();
        delete TheInputHook;
        TheInputHook = nullptr;
    }
    ReleaseSavedPositions();
    delete TheHookRegistry;
    TheHookRegistry = nullptr;
}

}  // namespace qm
