// InputHook: installing and removing hooks, and what the hook procedures hand
// to their callbacks before passing each message on.
#include <stdexcept>
#include <vector>

#include "capture_fixture.h"

namespace qm::testing {
namespace {

using platform::HookKind;

struct CallbackCall {
    std::int32_t first, second, third;
    std::size_t nextHookCallsBefore;  // how many CallNextHook calls had been made
};
std::vector<CallbackCall> calls;

void Capture(std::int32_t first, std::int32_t second, std::int32_t third) {
    calls.push_back({first, second, third, fake::Desktop::Get().nextHookCalls.size()});
}

void Throw(std::int32_t, std::int32_t, std::int32_t) { throw std::runtime_error("callback failed"); }

class InputHookTest : public CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        calls.clear();
    }
};

struct Classification {
    const char* what;
    std::uint32_t message;
    std::uint32_t mouseData;
    std::int32_t button, action;
};

const Classification classifications[] = {
    {"move", Move, 0, 0, 0},
    {"left down", LeftDown, 0, 1, 1},
    {"left up", LeftUp, 0, 1, 2},
    {"left double-click", LeftDoubleClick, 0, 1, 3},
    {"right down", RightDown, 0, 2, 1},
    {"right up", RightUp, 0, 2, 2},
    {"right double-click", RightDoubleClick, 0, 2, 3},
    {"middle down", MiddleDown, 0, 3, 1},
    {"middle up", MiddleUp, 0, 3, 2},
    {"middle double-click", MiddleDoubleClick, 0, 3, 3},
    {"wheel notch forward", Wheel, 0x00780000, 4, 4},
    {"wheel notch back", Wheel, 0xFF880000, 4, 5},
    {"horizontal notch forward", HorizontalWheel, 0x00780000, 4, 4},
    {"horizontal notch back", HorizontalWheel, 0xFF880000, 4, 5},
    {"wheel, two notches forward", Wheel, 0x00F00000, 0, 0},
    {"wheel, two notches back", Wheel, 0xFF100000, 0, 0},
    {"wheel, fine-grained amount", Wheel, 0x00780001, 0, 0},
    {"wheel-notch data on a left down", LeftDown, 0x00780000, 4, 4},
    {"wheel-notch data on a move", Move, 0xFF880000, 4, 5},
    {"first extra down", ExtraDown, 0x00010000, 6, 1},
    {"first extra up", ExtraUp, 0x00010000, 6, 2},
    {"second extra down", ExtraDown, 0x00020000, 5, 1},
    {"second extra up", ExtraUp, 0x00020000, 5, 2},
    {"extra down, low word ignored", ExtraDown, 0x0002FFFF, 5, 1},
    {"extra down, button number in the low word only", ExtraDown, 0x00000002, 0, 0},
    {"extra down, unknown button 3", ExtraDown, 0x00030000, 0, 0},
    {"extra up, negative high word", ExtraUp, 0xFFFE0000, 0, 0},
    {"extra double-click is not classified", 0x020D, 0x00010000, 0, 0},
    {"a keyboard message number", 0x0100, 0, 0, 0},
};

TEST_F(InputHookTest, MouseMessagesAreClassifiedBeforeGoingDownTheChain) {
    const HookHandle handle = TheInputHook->InstallMouseHook(0, Capture);
    for (const Classification& c : classifications) {
        SCOPED_TRACE(c.what);
        calls.clear();
        desktop().nextHookCalls.clear();
        LowLevelMouseRecord record{12, 34, c.mouseData, 0, 0};
        desktop().SendMouseMessage(c.message, record);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].first, c.button);
        EXPECT_EQ(calls[0].second, c.action);
        EXPECT_EQ(calls[0].third, 0);
        EXPECT_EQ(calls[0].nextHookCallsBefore, 0u) << "callback must run before CallNextHook";
        ASSERT_EQ(desktop().nextHookCalls.size(), 1u);
        EXPECT_EQ(desktop().nextHookCalls[0].handle, handle);
        EXPECT_EQ(desktop().nextHookCalls[0].code, 0);
        EXPECT_EQ(desktop().nextHookCalls[0].wParam, c.message);
    }
}

TEST_F(InputHookTest, NegativeCodeGoesStraightDownTheChain) {
    const HookHandle handle = TheInputHook->InstallMouseHook(0, Capture);
    LowLevelMouseRecord record{1, 2, 0, 0, 0};
    const auto lParam = reinterpret_cast<std::intptr_t>(&record);
    MouseHookProc(-1, LeftDown, lParam);
    EXPECT_TRUE(calls.empty());
    ASSERT_EQ(desktop().nextHookCalls.size(), 1u);
    EXPECT_EQ(desktop().nextHookCalls[0].handle, handle);
    EXPECT_EQ(desktop().nextHookCalls[0].code, -1);
    EXPECT_EQ(desktop().nextHookCalls[0].wParam, LeftDown);
    EXPECT_EQ(desktop().nextHookCalls[0].lParam, lParam);
}

TEST_F(InputHookTest, CallArrivingAfterRemovalReportsNothingButGoesOn) {
    TheInputHook->InstallMouseHook(0, Capture);
    TheInputHook->InstallKeyboardHook(0, Capture);
    TheInputHook->RemoveHooks(0, false);
    // Calls the platform queued before the unhook, delivered after it.
    LowLevelMouseRecord mouse{1, 2, 0, 0, 0};
    LowLevelKeyboardRecord key{0x41, 0, 0, 0};
    MouseHookProc(0, LeftDown, reinterpret_cast<std::intptr_t>(&mouse));
    KeyboardHookProc(0, 0x0100, reinterpret_cast<std::intptr_t>(&key));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(desktop().nextHookCalls.size(), 2u);
}

TEST_F(InputHookTest, HookReturnsWhatTheRestOfTheChainReturns) {
    // An older hook further down the chain answers 7; ours must pass that on.
    platform::InstallHook(HookKind::LowLevelMouse,
                          [](std::int32_t, std::uintptr_t, std::intptr_t) -> std::intptr_t { return 7; });
    TheInputHook->InstallMouseHook(0, Capture);
    LowLevelMouseRecord record{1, 2, 0, 0, 0};
    EXPECT_EQ(desktop().SendMouseMessage(LeftDown, record), 7);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(InputHookTest, FailingCallbackStillPassesTheMessageOn) {
    TheInputHook->InstallMouseHook(0, Throw);
    LowLevelMouseRecord record{1, 2, 0, 0, 0};
    EXPECT_NO_THROW(desktop().SendMouseMessage(LeftDown, record));
    EXPECT_EQ(desktop().nextHookCalls.size(), 1u);
}

TEST_F(InputHookTest, KeyboardHookReportsKeyMessagesOnlyForCodeZero) {
    struct Case {
        std::int32_t code;
        std::uint32_t message;
        bool reported;
    };
    const Case cases[] = {
        {0, 0x0100, true},  {0, 0x0101, true},   {0, 0x0102, true}, {0, 0x0104, false},  // system key down
        {1, 0x0100, false}, {-1, 0x0100, false},
    };
    const HookHandle handle = TheInputHook->InstallKeyboardHook(0, Capture);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "code " << c.code << " message " << c.message);
        calls.clear();
        desktop().nextHookCalls.clear();
        LowLevelKeyboardRecord record{0x41, 0x1E, 0, 0};
        KeyboardHookProc(c.code, c.message, reinterpret_cast<std::intptr_t>(&record));
        if (c.reported) {
            ASSERT_EQ(calls.size(), 1u);
            EXPECT_EQ(calls[0].first, static_cast<std::int32_t>(c.message));
            EXPECT_EQ(calls[0].second, 0x41);
            EXPECT_EQ(calls[0].third, 0);
        } else {
            EXPECT_TRUE(calls.empty());
        }
        ASSERT_EQ(desktop().nextHookCalls.size(), 1u);
        EXPECT_EQ(desktop().nextHookCalls[0].handle, handle);
        EXPECT_EQ(desktop().nextHookCalls[0].code, c.code);
    }
}

TEST_F(InputHookTest, InstallMouseHookStoresHandleAndCallback) {
    const HookHandle handle = TheInputHook->InstallMouseHook(0x10010, Capture);
    EXPECT_NE(handle, 0);
    EXPECT_EQ(TheHookRegistry->mouseHook, handle);
    EXPECT_EQ(TheHookRegistry->mouseCallback, &Capture);
    EXPECT_EQ(TheHookRegistry->keyboardHook, 0);
    EXPECT_EQ(TheHookRegistry->keyboardCallback, nullptr);
    EXPECT_EQ(desktop().LiveHooks(HookKind::LowLevelMouse), 1);
}

TEST_F(InputHookTest, RefusedHookLeavesZeroHandleButSetsCallback) {
    desktop().refuseHooks = true;
    EXPECT_EQ(TheInputHook->InstallMouseHook(0, Capture), 0);
    EXPECT_EQ(TheHookRegistry->mouseHook, 0);
    EXPECT_EQ(TheHookRegistry->mouseCallback, &Capture);
}

TEST_F(InputHookTest, InstallingAgainReplacesTheLiveHook) {
    const HookHandle first = TheInputHook->InstallMouseHook(0, Capture);
    const HookHandle second = TheInputHook->InstallMouseHook(0, Capture);
    EXPECT_NE(first, second);
    EXPECT_EQ(TheHookRegistry->mouseHook, second);
    EXPECT_EQ(desktop().LiveHooks(HookKind::LowLevelMouse), 1);
    Send(LeftDown, 5, 5);
    EXPECT_EQ(calls.size(), 1u) << "each message reaches the callback once";
}

TEST_F(InputHookTest, CopySharesTheRegistry) {
    InputHook* copy = TheInputHook->Copy();
    const HookHandle handle = copy->InstallMouseHook(0, Capture);
    copy->Destroy();
    delete copy;
    EXPECT_EQ(TheHookRegistry->mouseHook, handle);
    EXPECT_EQ(TheInputHook->RemoveHooks(0, false), 1);
    EXPECT_EQ(desktop().LiveHooks(HookKind::LowLevelMouse), 0);
}

TEST_F(InputHookTest, RemoveHooksWithNothingInstalledReturnsZeroAndChangesNothing) {
    EXPECT_EQ(TheInputHook->RemoveHooks(0, false), 0);
    EXPECT_EQ(TheHookRegistry->mouseHook, 0);
    EXPECT_EQ(TheHookRegistry->keyboardHook, 0);
}

TEST_F(InputHookTest, RemoveHooksWithoutHandleRemovesBothAndKeepsCallbacks) {
    TheInputHook->InstallKeyboardHook(0, Capture);
    TheInputHook->InstallMouseHook(0, Capture);
    EXPECT_EQ(TheInputHook->RemoveHooks(0, false), 1);
    EXPECT_EQ(desktop().LiveHooks(HookKind::LowLevelMouse), 0);
    EXPECT_EQ(desktop().LiveHooks(HookKind::LowLevelKeyboard), 0);
    EXPECT_EQ(TheHookRegistry->mouseHook, 0);
    EXPECT_EQ(TheHookRegistry->keyboardHook, 0);
    EXPECT_EQ(TheHookRegistry->mouseCallback, &Capture);
    EXPECT_EQ(TheHookRegistry->keyboardCallback, &Capture);
    EXPECT_EQ(TheInputHook->RemoveHooks(0, false), 0) << "a second call has nothing left to do";
}

TEST_F(InputHookTest, RemoveHooksReturnsTheLastUnhookResult) {
    // The keyboard handle is stale (the fake refuses it); the mouse one is live.
    TheHookRegistry->keyboardHook = 0x7770;
    TheInputHook->InstallMouseHook(0, Capture);
    EXPECT_EQ(TheInputHook->RemoveHooks(0, false), 1);
    EXPECT_EQ(TheHookRegistry->keyboardHook, 0);

    TheInputHook->InstallMouseHook(0, Capture);
    platform::RemoveHook(TheHookRegistry->mouseHook);  // stale mouse handle now
    EXPECT_EQ(TheInputHook->RemoveHooks(0, false), 0);
}

TEST_F(InputHookTest, RemoveHooksWithHandleUnhooksOnlyThatHandle) {
    const HookHandle mine = TheInputHook->InstallMouseHook(0, Capture);
    const HookHandle other = platform::InstallHook(HookKind::LowLevelMouse, MouseHookProc);
    EXPECT_EQ(TheInputHook->RemoveHooks(other, true), 1);
    EXPECT_EQ(TheHookRegistry->mouseHook, mine) << "the registry is not touched";
    EXPECT_EQ(desktop().LiveHooks(HookKind::LowLevelMouse), 1);
    // A handle that is not given, or given as 0, means the registry's hooks.
    EXPECT_EQ(TheInputHook->RemoveHooks(other, false), 1);
    EXPECT_EQ(TheHookRegistry->mouseHook, 0);
    TheInputHook->InstallMouseHook(0, Capture);
    EXPECT_EQ(TheInputHook->RemoveHooks(0, true), 1);
    EXPECT_EQ(desktop().LiveHooks(HookKind::LowLevelMouse), 0);
}

TEST_F(InputHookTest, RemoveHooksSkipsHandlesThatAreNotPositive) {
    TheHookRegistry->mouseHook = -8;
    EXPECT_EQ(TheInputHook->RemoveHooks(0, false), 0);
    EXPECT_EQ(TheHookRegistry->mouseHook, -8);
}

}  // namespace
}  // namespace qm::testing
