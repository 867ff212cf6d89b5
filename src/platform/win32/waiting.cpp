// Waitable timers, the wait that wakes for the timer or for window messages,
// and the plain blocking sleep, over kernel32 and user32.
#include "platform/waiting.h"

#include <windows.h>

#include "platform/win32/timer_choice.h"

namespace qm::platform {
namespace {

// Windows 10 1803 and later; older systems refuse the flag.
constexpr DWORD CreateWaitableTimerHighResolution = 0x00000002;

using CreateWaitableTimerExWFn = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPCWSTR, DWORD, DWORD);

TimerChoice timerChoice = TimerChoice::HighResolutionWherePossible;
bool lastWasHighResolution = false;

// Looked up at run time so the program still starts where kernel32 lacks it.
CreateWaitableTimerExWFn CreateTimerEx() {
    static const CreateWaitableTimerExWFn function = [] {
        HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        FARPROC found = kernel != nullptr ? GetProcAddress(kernel, "CreateWaitableTimerExW") : nullptr;
        return reinterpret_cast<CreateWaitableTimerExWFn>(reinterpret_cast<void*>(found));
    }();
    return function;
}

HANDLE AsHandle(TimerHandle timer) { return reinterpret_cast<HANDLE>(timer); }

}  // namespace

void ChooseTimers(TimerChoice choice) { timerChoice = choice; }

bool LastTimerWasHighResolution() { return lastWasHighResolution; }

TimerHandle CreateWaitTimer() {
    HANDLE timer = nullptr;
    lastWasHighResolution = false;
    if (timerChoice == TimerChoice::HighResolutionWherePossible) {
        if (CreateWaitableTimerExWFn create = CreateTimerEx()) {
            // Automatic reset: no manual-reset flag.
            timer = create(nullptr, nullptr, CreateWaitableTimerHighResolution, TIMER_ALL_ACCESS);
            lastWasHighResolution = timer != nullptr;
        }
    }
    if (timer == nullptr) timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    return reinterpret_cast<TimerHandle>(timer);
}

bool SetWaitTimer(TimerHandle timer, std::int64_t due) {
    if (timer == 0) return false;
    LARGE_INTEGER dueTime;
    dueTime.QuadPart = due;
    return SetWaitableTimer(AsHandle(timer), &dueTime, 0, nullptr, nullptr, FALSE) != FALSE;
}

WaitResult WaitForTimerOrEvents(TimerHandle timer) {
    HANDLE handle = AsHandle(timer);
    // Wake mask 0xFF: key, mouse move, mouse button, posted, timer, paint,
    // sent and hot-key messages.
    const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, 0xFF);
    if (result == WAIT_OBJECT_0) return WaitResult::TimerFired;
    if (result == WAIT_OBJECT_0 + 1) return WaitResult::EventsPending;
    return WaitResult::Failed;
}

void CloseWaitTimer(TimerHandle timer) {
    if (timer != 0) CloseHandle(AsHandle(timer));
}

void BlockingSleep(std::uint32_t ms) {
    // Never INFINITE: the longest wait the program asks for is 2^31 - 1 ms.
    Sleep(ms == INFINITE ? INFINITE - 1 : ms);
}

}  // namespace qm::platform
