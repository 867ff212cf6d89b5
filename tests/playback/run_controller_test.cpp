// Run: the number of passes, the status walk, the pause between runs, the
// refusal while recording, nested clicks of Run, and the close during a run.
#include "playback/run_controller.h"

#include "capture/recorder.h"
#include "playback_fixture.h"

namespace qm::testing {
namespace {

using RunControllerTest = PlaybackTest;

const std::string Overview = Line("300", "200", script::ActionLeftClick, "500") +
                             Line("10", "10", script::ActionRightPress, "500") +
                             Line("40", "50", script::ActionRightRelease, "500");

std::vector<std::uint32_t> Repeat(const std::vector<std::uint32_t>& once, int times) {
    std::vector<std::uint32_t> all;
    for (int i = 0; i < times; ++i) all.insert(all.end(), once.begin(), once.end());
    return all;
}

TEST_F(RunControllerTest, PlaysTheScriptTwiceWithThePauseBetweenAndReportsEachRun) {
    Fake().texts[Control::编辑框1] = Overview;
    RunScript();
    EXPECT_EQ(Fake().statusHistory,
              (std::vector<Text>{RunningStatus(1), RunningStatus(2), script::StatusRunDone}));
    EXPECT_EQ(Fake().sleeps, (std::vector<std::uint32_t>{500, 500, 500, 5000, 500, 500, 500}));
    EXPECT_EQ(Flags(), Repeat({0x2, 0x4, 0x8, 0x10}, 2));
    const std::vector<Point> at = {{300, 200}, {300, 200}, {10, 10}, {40, 50}};
    for (std::size_t i = 0; i < Fake().buttons.size(); ++i) EXPECT_EQ(Fake().buttons[i].at, at[i % 4]) << i;
    EXPECT_TRUE(Fake().messages.empty());
}

TEST_F(RunControllerTest, SingleRunHasNoPause) {
    Fake().texts[Control::编辑框1] = Line("3", "3", script::ActionMiddleClick, "20");
    Fake().texts[Control::编辑框_运行次数] = "1";
    RunScript();
    EXPECT_EQ(Fake().sleeps, std::vector<std::uint32_t>{20});
    EXPECT_EQ(Fake().statusHistory, (std::vector<Text>{RunningStatus(1), script::StatusRunDone}));
}

struct CountChange {
    const char* what;
    const char* countDuringRun;
    std::vector<std::uint32_t> sleeps;
    std::vector<Text> status;
};

class RunCountChangeTest : public PlaybackTest, public ::testing::WithParamInterface<CountChange> {};

TEST_P(RunCountChangeTest, KeepsTheNumberOfPassesAndMovesOnlyTheCompletion) {
    Fake().texts[Control::编辑框1] = Line("50", "0", script::ActionLeftClick, "7");
    Fake().texts[Control::编辑框_运行次数] = "3";
    Fake().texts[Control::编辑框_总延时] = "2";
    const std::string changed = GetParam().countDuringRun;
    Fake().PostAt(10500, [changed] { Fake().texts[Control::编辑框_运行次数] = changed; });
    RunScript();
    EXPECT_EQ(Fake().buttons.size(), 6u);
    EXPECT_EQ(Fake().sleeps, GetParam().sleeps);
    EXPECT_EQ(Fake().statusHistory, GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(Counts, RunCountChangeTest,
                         ::testing::Values(CountChange{"ToALaterPass",
                                                       "2",
                                                       {7, 2000, 7, 7, 2000},
                                                       {RunningStatus(1), RunningStatus(2),
                                                        script::StatusRunDone, RunningStatus(3)}},
                                           CountChange{
                                               "ToNoPass",
                                               "9",
                                               {7, 2000, 7, 2000, 7, 2000},
                                               {RunningStatus(1), RunningStatus(2), RunningStatus(3)}},
                                           CountChange{"ToThePassUnderWay",
                                                       "1",
                                                       {7, 7, 2000, 7, 2000},
                                                       {RunningStatus(1), script::StatusRunDone,
                                                        RunningStatus(2), RunningStatus(3)}}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(RunControllerTest, CountThatIsNotPositivePlaysNothingAndLeavesTheStatus) {
    Fake().texts[Control::编辑框1] = Overview;
    for (const char* count : {"0", "-3", "abc", ""}) {
        Fake().texts[Control::编辑框_运行次数] = count;
        RunScript();
        EXPECT_TRUE(Fake().cursorMoves.empty()) << count;
        EXPECT_TRUE(Fake().statusHistory.empty()) << count;
        EXPECT_TRUE(Fake().sleeps.empty()) << count;
    }
}

TEST_F(RunControllerTest, PauseIsTheTotalDelayInSecondsTakenAsA32BitMillisecondCount) {
    struct Case {
        const char* totalDelay;
        std::uint32_t pauseMs;
    };
    const Case cases[] = {
        {"5", 5000},
        {"0", 0},
        {"-1", 0},
        {"abc", 0},
        {"\xA3\xB3", 3000},  // full-width 3
        {"2147483", 2147483000u},
        {"2147484", 0},    // 2,147,484,000 is negative as a signed 32-bit count
        {"4294968", 704},  // 4,294,968,000 keeps only its low 32 bits
    };
    for (const Case& c : cases) {
        Fake().Reset();
        Fake().texts[Control::编辑框_运行次数] = "2";
        Fake().texts[Control::编辑框_总延时] = c.totalDelay;
        RunScript();  // an empty script: each run still sets its status, and the pause still applies
        EXPECT_EQ(Fake().sleeps, std::vector<std::uint32_t>{c.pauseMs}) << c.totalDelay;
        EXPECT_EQ(Fake().statusHistory.size(), 3u);
    }
}

TEST_F(RunControllerTest, RunWhileRecordingShowsTheRefusalAndPlaysNothing) {
    Fake().texts[Control::编辑框1] = Overview;
    Fake().texts[Control::透明标签7] = script::StatusRecording;
    RunScript();
    EXPECT_EQ(Fake().messages, std::vector<Text>{script::MessageFinishRecording});
    EXPECT_TRUE(Fake().cursorMoves.empty());
    EXPECT_TRUE(Fake().buttons.empty());
    EXPECT_TRUE(Fake().statusHistory.empty());
}

void DispatchClick(Control c) {
    if (c == Control::按钮_运行) RunScript();
    if (c == Control::按钮_结束) End();
}

TEST_F(RunControllerTest, RunClickedByTheScriptDuringARunIsIgnored) {
    Fake().onClick = DispatchClick;
    // Each synthesized left release lands on the Run button: the click is queued
    // and handled the next time a glide serves events.
    Fake().onButton = [](std::uint32_t flags) {
        if (flags == 0x0004) Fake().Post([] { Fake().Click(Control::按钮_运行); });
    };
    Fake().texts[Control::编辑框1] =
        Line("20", "20", script::ActionLeftClick, "1") + Line("0", "0", "x", "1");
    RunScript();
    EXPECT_EQ(Flags(), Repeat({0x2, 0x4}, 2));
    EXPECT_EQ(Fake().statusHistory,
              (std::vector<Text>{RunningStatus(1), RunningStatus(2), script::StatusRunDone}));
    // Once the run is over, Run works again.
    Fake().onButton = nullptr;
    Fake().statusHistory.clear();
    RunScript();
    EXPECT_EQ(Fake().statusHistory.size(), 3u);
}

TEST_F(RunControllerTest, ScriptWhoseLastLineClicksEndFinishesAtRecorded) {
    Fake().onClick = DispatchClick;
    // The synthesized click lands on End; the window handles it once Run has
    // returned to the message loop.
    Fake().onButton = [](std::uint32_t flags) {
        if (flags == 0x0004) Fake().Post([] { Fake().Click(Control::按钮_结束); });
    };
    Fake().texts[Control::编辑框1] = Line("30", "30", script::ActionLeftClick, "5");
    Fake().texts[Control::编辑框_运行次数] = "1";
    RunScript();
    EXPECT_EQ(Fake().texts[Control::透明标签7], script::StatusRunDone);
    platform::RunMessageLoop();
    EXPECT_EQ(Fake().statusHistory,
              (std::vector<Text>{RunningStatus(1), script::StatusRunDone, script::StatusRecorded}));
}

TEST_F(RunControllerTest, ClosingDuringADragReleasesTheButtonAndSynthesizesNothingAfter) {
    Fake().texts[Control::编辑框1] = Line("10", "10", script::ActionLeftPress, "100") +
                                     Line("400", "10", script::ActionLeftRelease, "100");
    // The press lands at 11 ms and its delay ends at 111 ms: the close comes
    // 89 ms into the glide towards the release point.
    Fake().PostAt(200000, [] { Fake().Close(); });
    RunScript();
    ASSERT_EQ(Flags(), (std::vector<std::uint32_t>{0x0002, 0x0004}));
    EXPECT_EQ(Fake().buttons[0].at, (Point{10, 10}));
    const Point releasedAt = Fake().buttons[1].at;
    EXPECT_GT(releasedAt.x, 10);
    EXPECT_LT(releasedAt.x, 400);
    EXPECT_EQ(Fake().cursor, releasedAt);
    EXPECT_EQ(Fake().sleeps, std::vector<std::uint32_t>{100});  // no pause, no second pass
    EXPECT_EQ(Fake().statusHistory, std::vector<Text>{RunningStatus(1)});
    EXPECT_FALSE(ButtonHeld(MouseButton::Left));
}

TEST_F(RunControllerTest, PressesWithoutTheirReleaseAreReleasedWhenTheRunEnds) {
    Fake().texts[Control::编辑框1] =
        Line("5", "5", script::ActionRightPress, "10") + Line("9", "5", script::ActionMiddlePress, "10");
    Fake().texts[Control::编辑框_运行次数] = "1";
    RunScript();
    EXPECT_EQ(Flags(), (std::vector<std::uint32_t>{0x0008, 0x0020, 0x0010, 0x0040}));
    EXPECT_EQ(Fake().buttons[2].at, (Point{9, 5}));
}

TEST_F(RunControllerTest, ButtonHeldAcrossPassesStaysDownUntilTheRunEnds) {
    // A release in the next pass's first line pairs with the press at the end of
    // the pass before it: nothing is released in between.
    Fake().texts[Control::编辑框1] =
        Line("5", "5", script::ActionLeftRelease, "1") + Line("9", "5", script::ActionLeftPress, "1");
    RunScript();
    EXPECT_EQ(Flags(), (std::vector<std::uint32_t>{0x4, 0x2, 0x4, 0x2, 0x4}));
}

}  // namespace
}  // namespace qm::testing
