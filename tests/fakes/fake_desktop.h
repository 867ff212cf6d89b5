// A fake desktop behind the platform headers: a clamped cursor, a fake clock,
// queued window events, hooks and control texts. Tests drive it and assert on
// what it recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/hooks.h"
#include "platform/input.h"
#include "platform/waiting.h"
#include "platform/window.h"

namespace qm::fake {

struct ButtonEvent {
    std::uint32_t flags;
    Point at;
    std::int64_t timeUs;
};

struct HookCall {  // one call of CallNextHook
    HookHandle handle;
    std::int32_t code;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

struct InstalledHook {
    HookHandle handle;
    platform::HookKind kind;
    HookProcedure procedure;
    bool live;
};

class Desktop {
public:
    static Desktop& Get();
    // Back to a fresh desktop: 1920 x 1080, cursor at (0, 0), clock at 0, no
    // window, no hooks, nothing recorded.
    void Reset();

    // Screen and cursor. SetCursorPosition clamps to the screen, as Windows does.
    int screenWidth = 1920;
    int screenHeight = 1080;
    Point cursor;
    std::vector<Point> cursorMoves;  // every position SetCursorPosition set
    int cursorReads = 0;

    // Synthesized input.
    std::vector<ButtonEvent> buttons;
    std::function<void(std::uint32_t flags)> onButton;  // runs after recording each event

    // Clock and waits, in microseconds.
    std::int64_t nowUs = 0;
    std::vector<std::int64_t> timerDues;  // every SetWaitTimer due time (100 ns units)
    std::vector<std::uint32_t> sleeps;    // every BlockingSleep, ms
    int timersCreated = 0;
    int timersClosed = 0;
    bool refuseTimerCreation = false;
    bool refuseTimerSetting = false;
    bool failTimerWaits = false;  // WaitForTimerOrEvents answers Failed

    // Window events: each runs when events are served at or after its time.
    void Post(std::function<void()> event) { PostAt(nowUs, std::move(event)); }
    void PostAt(std::int64_t atUs, std::function<void()> event);
    // The user closes the main window: the quit message is queued.
    void Close() { quit = true; }
    bool quit = false;
    int serveCalls = 0;

    // Controls and the main window.
    bool windowCreated = false;
    bool refuseWindowCreation = false;  // CreateMainWindow fails
    std::map<Control, Text> texts;
    std::vector<Text> appends;        // every piece appended to 编辑框1
    std::vector<Text> statusHistory;  // every text written to 透明标签7
    std::vector<Text> messages;       // every message box shown
    void (*onClick)(Control) = nullptr;
    // A click on one of the window's buttons, delivered as the window would.
    void Click(Control button);

    // Hooks. Delivering a message calls the newest live hook of that kind;
    // each CallNextHook passes it on to the next older one.
    std::vector<InstalledHook> hooks;
    std::vector<HookCall> nextHookCalls;
    bool refuseHooks = false;
    HookHandle nextHandle = 0x1000;
    // Delivers a low-level mouse message. For button messages the cursor is at
    // the record's point while hooks run; for moves it is still at the old one.
    std::intptr_t SendMouseMessage(std::uint32_t message, const LowLevelMouseRecord& record);
    std::intptr_t SendKeyboardMessage(std::uint32_t message, const LowLevelKeyboardRecord& record);
    int LiveHooks(platform::HookKind kind) const;

    // Internal: used by the platform functions.
    struct Scheduled {
        std::int64_t atUs;
        std::function<void()> event;
    };
    std::vector<Scheduled> queue;
    std::map<platform::TimerHandle, std::int64_t> timerFireUs;  // armed timers
    std::vector<std::size_t> chain;  // indices of hooks in the current delivery
    std::size_t deliveryPosition = 0;  // which of them is running
    bool HasDueEvent() const;
    std::intptr_t Deliver(platform::HookKind kind, std::uint32_t message, std::intptr_t lParam);
    std::intptr_t CallFrom(std::size_t position, std::int32_t code, std::uintptr_t wParam, std::intptr_t lParam);
};

}  // namespace qm::fake
