// The fake desktop's state and the platform functions that act on it.
#include "fakes/fake_desktop.h"

#include <algorithm>

namespace qm::fake {

Desktop& Desktop::Get() {
    static Desktop desktop;
    return desktop;
}

void Desktop::Reset() { *this = Desktop(); }

void Desktop::PostAt(std::int64_t atUs, std::function<void()> event) {
    // Keep the queue ordered by time; equal times keep their posting order.
    auto it = std::upper_bound(queue.begin(), queue.end(), atUs,
                               [](std::int64_t t, const Scheduled& s) { return t < s.atUs; });
    queue.insert(it, Scheduled{atUs, std::move(event)});
}

bool Desktop::HasDueEvent() const { return !queue.empty() && queue.front().atUs <= nowUs; }

void Desktop::Click(Control button) {
    if (onClick) onClick(button);
}

int Desktop::LiveHooks(platform::HookKind kind) const {
    return static_cast<int>(std::count_if(
        hooks.begin(), hooks.end(), [kind](const InstalledHook& h) { return h.live && h.kind == kind; }));
}

std::intptr_t Desktop::CallFrom(std::size_t position, std::int32_t code, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    if (position >= chain.size()) return 0;  // end of the chain: the system's default
    const InstalledHook& hook = hooks[chain[position]];
    return hook.procedure(code, wParam, lParam);
}

std::intptr_t Desktop::Deliver(platform::HookKind kind, std::uint32_t message, std::intptr_t lParam) {
    std::vector<std::size_t> saved = chain;
    std::size_t savedPosition = deliveryPosition;
    chain.clear();
    for (std::size_t i = hooks.size(); i-- > 0;) {
        if (hooks[i].live && hooks[i].kind == kind) chain.push_back(i);
    }
    deliveryPosition = 0;
    std::intptr_t result = CallFrom(0, 0, message, lParam);
    chain = saved;
    deliveryPosition = savedPosition;
    return result;
}

std::intptr_t Desktop::SendMouseMessage(std::uint32_t message, const LowLevelMouseRecord& record) {
    const bool isMove = message == 0x0200;
    if (!isMove) cursor = Point{record.x, record.y};
    LowLevelMouseRecord copy = record;
    std::intptr_t result =
        Deliver(platform::HookKind::LowLevelMouse, message, reinterpret_cast<std::intptr_t>(&copy));
    if (isMove) cursor = Point{record.x, record.y};
    return result;
}

std::intptr_t Desktop::SendKeyboardMessage(std::uint32_t message, const LowLevelKeyboardRecord& record) {
    LowLevelKeyboardRecord copy = record;
    return Deliver(platform::HookKind::LowLevelKeyboard, message, reinterpret_cast<std::intptr_t>(&copy));
}

}  // namespace qm::fake

namespace qm::platform {

using fake::Desktop;

// Input.
Point CursorPosition() {
    Desktop& d = Desktop::Get();
    ++d.cursorReads;
    return d.cursor;
}

void SetCursorPosition(std::int32_t x, std::int32_t y) {
    Desktop& d = Desktop::Get();
    d.cursor.x = std::clamp(x, 0, d.screenWidth - 1);
    d.cursor.y = std::clamp(y, 0, d.screenHeight - 1);
    d.cursorMoves.push_back(d.cursor);
}

void SendMouseButton(std::uint32_t flags) {
    Desktop& d = Desktop::Get();
    d.buttons.push_back(fake::ButtonEvent{flags, d.cursor, d.nowUs});
    if (d.onButton) d.onButton(flags);
}

// Waiting.
TimerHandle CreateWaitTimer() {
    Desktop& d = Desktop::Get();
    if (d.refuseTimerCreation) return 0;
    ++d.timersCreated;
    return static_cast<TimerHandle>(0x500 + d.timersCreated);
}

bool SetWaitTimer(TimerHandle timer, std::int64_t due) {
    Desktop& d = Desktop::Get();
    if (timer == 0 || d.refuseTimerSetting) return false;
    d.timerDues.push_back(due);
    // Negative: relative, in 100 ns units.
    std::int64_t fire = due < 0 ? d.nowUs + (-due) / 10 : due / 10;
    d.timerFireUs[timer] = fire;
    return true;
}

WaitResult WaitForTimerOrEvents(TimerHandle timer) {
    Desktop& d = Desktop::Get();
    if (d.failTimerWaits) return WaitResult::Failed;
    auto armed = d.timerFireUs.find(timer);
    if (d.HasDueEvent() || d.quit) return WaitResult::EventsPending;
    if (armed == d.timerFireUs.end()) {
        // An unarmed timer never fires: a pending event is the only way out.
        if (d.queue.empty()) return WaitResult::Failed;
        d.nowUs = std::max(d.nowUs, d.queue.front().atUs);
        return WaitResult::EventsPending;
    }
    if (!d.queue.empty() && d.queue.front().atUs < armed->second) {
        d.nowUs = std::max(d.nowUs, d.queue.front().atUs);
        return WaitResult::EventsPending;
    }
    d.nowUs = std::max(d.nowUs, armed->second);
    d.timerFireUs.erase(armed);
    return WaitResult::TimerFired;
}

void CloseWaitTimer(TimerHandle timer) {
    Desktop& d = Desktop::Get();
    if (timer == 0) return;
    ++d.timersClosed;
    d.timerFireUs.erase(timer);
}

void BlockingSleep(std::uint32_t ms) {
    Desktop& d = Desktop::Get();
    d.sleeps.push_back(ms);
    d.nowUs += static_cast<std::int64_t>(ms) * 1000;
}

// Window.
bool CreateMainWindow(const WindowDefinition& definition) {
    Desktop& d = Desktop::Get();
    if (d.refuseWindowCreation) return false;
    d.windowCreated = true;
    d.onClick = definition.onClick;
    for (int i = 0; i < definition.controlCount; ++i)
        d.texts[definition.controls[i].id] = definition.controls[i].text;
    return true;
}

int RunMessageLoop() {
    Desktop& d = Desktop::Get();
    while (!d.quit && !d.queue.empty()) {
        d.nowUs = std::max(d.nowUs, d.queue.front().atUs);
        ServeEvents();
    }
    return 0;
}

Text ControlText(Control control) {
    Desktop& d = Desktop::Get();
    auto it = d.texts.find(control);
    return it == d.texts.end() ? Text() : it->second;
}

void SetControlText(Control control, const Text& text) {
    Desktop& d = Desktop::Get();
    d.texts[control] = text;
    if (control == Control::透明标签7) d.statusHistory.push_back(text);
}

void AppendToScriptBox(const Text& text) {
    Desktop& d = Desktop::Get();
    d.texts[Control::编辑框1] += text;
    d.appends.push_back(text);
}

void ShowMessage(const Text& text) { Desktop::Get().messages.push_back(text); }

void ServeEvents() {
    Desktop& d = Desktop::Get();
    ++d.serveCalls;
    while (!d.quit && d.HasDueEvent()) {
        std::function<void()> event = std::move(d.queue.front().event);
        d.queue.erase(d.queue.begin());
        event();
    }
}

bool QuitRequested() { return Desktop::Get().quit; }

std::uintptr_t MainWindowHandle() { return Desktop::Get().windowCreated ? 0x10010 : 0; }

// Hooks.
HookHandle InstallHook(HookKind kind, HookProcedure procedure) {
    Desktop& d = Desktop::Get();
    if (d.refuseHooks) return 0;
    HookHandle handle = d.nextHandle;
    d.nextHandle += 4;
    d.hooks.push_back(fake::InstalledHook{handle, kind, procedure, true});
    return handle;
}

std::int32_t RemoveHook(HookHandle handle) {
    Desktop& d = Desktop::Get();
    for (fake::InstalledHook& h : d.hooks) {
        if (h.handle == handle && h.live) {
            h.live = false;
            return 1;
        }
    }
    return 0;
}

std::intptr_t CallNextHook(HookHandle handle, std::int32_t code, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    Desktop& d = Desktop::Get();
    d.nextHookCalls.push_back(fake::HookCall{handle, code, wParam, lParam});
    // The chain position is the caller's own place plus one; nested deliveries
    // restore the chain when they return.
    return d.CallFrom(++d.deliveryPosition, code, wParam, lParam);
}

}  // namespace qm::platform
