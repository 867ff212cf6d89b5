// The wait between glide steps: its timer, the events it serves, and what it
// does without a usable timer or after the window is closed.
#include "playback/pumping_wait.h"

#include "playback/cursor_glide.h"
#include "playback_fixture.h"

namespace qm::testing {
namespace {

using PumpingWaitTest = PlaybackTest;

TEST_F(PumpingWaitTest, ArmsOneTimerForTheRelativeDueTimeAndClosesIt) {
    struct Case {
        std::int32_t ms;
        std::int64_t due;
    };
    for (const Case& c : {Case{1, -10000}, Case{250, -2500000}, Case{0, 0}}) {
        Fake().Reset();
        EXPECT_TRUE(PumpingWait(c.ms));
        EXPECT_EQ(Fake().timerDues, std::vector<std::int64_t>{c.due}) << c.ms;
        EXPECT_EQ(Fake().nowUs, c.ms * 1000);
        EXPECT_EQ(Fake().timersCreated, 1);
        EXPECT_EQ(Fake().timersClosed, 1);
        EXPECT_TRUE(Fake().sleeps.empty());
    }
}

TEST_F(PumpingWaitTest, ServesEventsThatArriveBeforeTheTimerFires) {
    std::vector<std::int64_t> servedAt;
    Fake().PostAt(300, [&] { servedAt.push_back(Fake().nowUs); });
    Fake().PostAt(600, [&] { servedAt.push_back(Fake().nowUs); });
    Fake().PostAt(1500, [&] { servedAt.push_back(Fake().nowUs); });
    PumpingWait(1);
    EXPECT_EQ(servedAt, (std::vector<std::int64_t>{300, 600}));
    EXPECT_EQ(Fake().nowUs, 1000);
    EXPECT_EQ(Fake().timersCreated, 1);
}

struct Refusal {
    const char* what;
    bool refuseCreation;
    bool refuseSetting;
    bool failWaits;
};

class TimerRefusalTest : public PlaybackTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(TimerRefusalTest, FallsBackToAPlainWaitOfTheSameLengthAndStillServesEvents) {
    Fake().refuseTimerCreation = GetParam().refuseCreation;
    Fake().refuseTimerSetting = GetParam().refuseSetting;
    Fake().failTimerWaits = GetParam().failWaits;
    bool served = false;
    Fake().PostAt(500, [&] { served = true; });
    EXPECT_TRUE(PumpingWait(1));
    EXPECT_EQ(Fake().sleeps, std::vector<std::uint32_t>{1});
    EXPECT_TRUE(served);
    EXPECT_EQ(Fake().timersClosed, Fake().timersCreated);
}

INSTANTIATE_TEST_SUITE_P(Timers, TimerRefusalTest,
                         ::testing::Values(Refusal{"creation", true, false, false},
                                           Refusal{"setting", false, true, false},
                                           Refusal{"wait", false, false, true}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(PumpingWaitTest, GlideWithoutTimersStillArrivesWithOnePlainWaitPerPass) {
    Fake().refuseTimerCreation = true;
    GlideCursor(3, 1);
    EXPECT_EQ(Fake().cursor, (Point{3, 1}));
    EXPECT_EQ(Fake().sleeps, (std::vector<std::uint32_t>{1, 1, 1, 1}));
}

TEST_F(PumpingWaitTest, EndsOnceTheWindowIsClosed) {
    // After the close the quit message stays queued: every further wait would
    // wake at once.
    Fake().PostAt(300, [] { Fake().Close(); });
    EXPECT_TRUE(PumpingWait(1));
    EXPECT_EQ(Fake().nowUs, 300);
    EXPECT_EQ(Fake().timersClosed, 1);
}

}  // namespace
}  // namespace qm::testing
