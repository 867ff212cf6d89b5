// The buttons as the window delivers them: 按钮1 counts, the other three reach
// their own subsystems.
#include "app/click_counter.h"

#include <gtest/gtest.h>

#include <limits>

#include "app/startup.h"
#include "fakes/fake_desktop.h"
#include "script/script_texts.h"

namespace qm {
namespace {

class ButtonClicks : public ::testing::Test {
protected:
    // The real start-up: the fake's message loop returns at once with nothing
    // queued, leaving the window and the capture objects in place.
    void SetUp() override {
        desktop.Reset();
        ClickCounter = 0;
        ASSERT_EQ(StartUp(), 0);
    }
    void TearDown() override { ShutDown(); }
    fake::Desktop& desktop = fake::Desktop::Get();
};

TEST_F(ButtonClicks, EachClickOnTheCounterShowsTheNewCount) {
    for (const char* expected : {"1", "2", "3"}) {
        desktop.Click(Control::按钮1);
        EXPECT_EQ(desktop.texts[Control::按钮1], expected);
    }
}

TEST_F(ButtonClicks, CounterPastTheLargest32BitValueWrapsToTheSmallest) {
    ClickCounter = std::numeric_limits<std::int32_t>::max();
    desktop.Click(Control::按钮1);
    EXPECT_EQ(desktop.texts[Control::按钮1], "-2147483648");
}

TEST_F(ButtonClicks, OtherButtonsAndLabelsLeaveTheCounterAlone) {
    desktop.Click(Control::按钮1);
    for (Control other : {Control::按钮_结束, Control::透明标签7, Control::编辑框1}) desktop.Click(other);
    desktop.Click(Control::按钮1);
    EXPECT_EQ(desktop.texts[Control::按钮1], "2");
}

TEST_F(ButtonClicks, EndButtonReachesEnd) {
    desktop.Click(Control::按钮_结束);
    EXPECT_EQ(desktop.texts[Control::透明标签7], script::StatusRecorded);
}

TEST_F(ButtonClicks, RecordButtonReachesRecord) {
    desktop.Click(Control::按钮_录制);
    EXPECT_EQ(desktop.LiveHooks(platform::HookKind::LowLevelMouse), 1);
}

TEST_F(ButtonClicks, RunButtonReachesRun) {
    desktop.texts[Control::编辑框_运行次数] = "1";
    desktop.Click(Control::按钮_运行);
    EXPECT_EQ(desktop.texts[Control::透明标签7], script::StatusRunDone);
}

}  // namespace
}  // namespace qm
