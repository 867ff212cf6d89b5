// StartUp and ShutDown as far as the fake desktop can see them: what exists
// while the window runs, what ShutDown takes down, and failures on the way.
#include "app/startup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "app/click_counter.h"
#include "capture/input_hook.h"
#include "capture/recorder.h"
#include "fakes/fake_desktop.h"
#include "script/script_texts.h"

namespace qm {
namespace {

// Registered before StartUp, so it runs after the exit routine StartUp registers.
void ExitWithCodeSevenIfShutDownRan() {
    if (TheInputHook == nullptr && TheHookRegistry == nullptr) _exit(7);
}

class StartUpAndShutDown : public ::testing::Test {
protected:
    void SetUp() override {
        ShutDown();  // nothing left over from an earlier test
        desktop.Reset();
    }
    void TearDown() override { ShutDown(); }
    fake::Desktop& desktop = fake::Desktop::Get();
};

TEST_F(StartUpAndShutDown, WindowRunsWithZeroedRegistryAndHookObjectAndTheInitialStatus) {
    bool sawObjects = false;
    HookRegistry seen;
    desktop.Post([&] {
        sawObjects = TheHookRegistry != nullptr && TheInputHook != nullptr;
        if (TheHookRegistry != nullptr) seen = *TheHookRegistry;
    });
    EXPECT_EQ(StartUp(), 0);
    EXPECT_TRUE(desktop.windowCreated);
    EXPECT_TRUE(sawObjects);
    EXPECT_EQ(seen.keyboardCallback, nullptr);
    EXPECT_EQ(seen.keyboardHook, 0);
    EXPECT_EQ(seen.mouseCallback, nullptr);
    EXPECT_EQ(seen.mouseHook, 0);
    EXPECT_EQ(desktop.texts[Control::透明标签7], script::StatusNotRecorded);
}

TEST_F(StartUpAndShutDown, ShutDownRemovesAHookLeftInstalledAndReleasesEverything) {
    // The window is closed in the middle of a recording.
    desktop.Post([&] { desktop.Click(Control::按钮_录制); });
    desktop.Post([&] {
        desktop.SendMouseMessage(0x0201, LowLevelMouseRecord{30, 40, 0, 0, 0});
        desktop.Close();
    });
    ASSERT_EQ(StartUp(), 0);
    ASSERT_EQ(desktop.LiveHooks(platform::HookKind::LowLevelMouse), 1);
    ASSERT_TRUE(DownPosition.x.has_value());

    ShutDown();
    EXPECT_EQ(desktop.LiveHooks(platform::HookKind::LowLevelMouse), 0);
    EXPECT_EQ(TheInputHook, nullptr);
    EXPECT_EQ(TheHookRegistry, nullptr);
    EXPECT_FALSE(DownPosition.x.has_value());
    EXPECT_FALSE(UpPosition.x.has_value());
}

TEST_F(StartUpAndShutDown, ProgramExitRunsShutDown) {
    // A fresh process, so the exit routines registered are this test's alone.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            fake::Desktop::Get().Reset();
            std::atexit(ExitWithCodeSevenIfShutDownRan);
            StartUp();
            std::exit(0);
        },
        ::testing::ExitedWithCode(7), "");
}

TEST_F(StartUpAndShutDown, ShutDownTwiceOrWithoutStartUpTouchesNoHook) {
    HookHandle stranger = platform::InstallHook(platform::HookKind::LowLevelMouse, nullptr);
    ShutDown();
    ShutDown();
    EXPECT_EQ(TheInputHook, nullptr);
    EXPECT_EQ(TheHookRegistry, nullptr);
    EXPECT_EQ(desktop.LiveHooks(platform::HookKind::LowLevelMouse), 1);
    platform::RemoveHook(stranger);
}

TEST_F(StartUpAndShutDown, WindowThatCannotBeCreatedEndsWithAFailureCode) {
    desktop.refuseWindowCreation = true;
    bool loopRan = false;
    desktop.Post([&] { loopRan = true; });
    EXPECT_NE(StartUp(), 0);
    EXPECT_FALSE(loopRan);
    ShutDown();
    EXPECT_EQ(TheHookRegistry, nullptr);
}

TEST_F(StartUpAndShutDown, ClickCountSurvivesRecordingAndPlayback) {
    ClickCounter = 0;
    desktop.Post([&] {
        desktop.Click(Control::按钮1);
        desktop.Click(Control::按钮_录制);
        desktop.Click(Control::按钮1);
        desktop.Click(Control::按钮_结束);
        desktop.texts[Control::编辑框_运行次数] = "1";
        desktop.Click(Control::按钮_运行);
        desktop.Click(Control::按钮1);
    });
    ASSERT_EQ(StartUp(), 0);
    EXPECT_EQ(desktop.texts[Control::按钮1], "3");
}

}  // namespace
}  // namespace qm
