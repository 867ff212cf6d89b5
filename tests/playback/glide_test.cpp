// The glide's path, its waits, and how it ends: on the target, at the edge of
// the screen, or when the window is closed.
#include "playback/cursor_glide.h"
#include "playback_fixture.h"

namespace qm::testing {
namespace {

using GlideTest = PlaybackTest;

struct GlidePath {
    Point from;
    Point to;
    std::vector<Point> moves;  // every position set, the final (0, 0) step included
};

class GlidePathTest : public PlaybackTest, public ::testing::WithParamInterface<GlidePath> {};

TEST_P(GlidePathTest, MovesOnePixelPerPassAndWaitsOnceAfterEveryPass) {
    const GlidePath& path = GetParam();
    Fake().cursor = path.from;
    GlideCursor(path.to.x, path.to.y);
    EXPECT_EQ(Fake().cursorMoves, path.moves);
    EXPECT_EQ(Fake().cursor, path.to);
    // One 1 ms wait per pass: a relative due time of 10,000 × 100 ns.
    EXPECT_EQ(Fake().timerDues, std::vector<std::int64_t>(path.moves.size(), -10000));
    EXPECT_EQ(Fake().timersClosed, Fake().timersCreated);
    EXPECT_EQ(Fake().nowUs, static_cast<std::int64_t>(path.moves.size()) * 1000);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, GlidePathTest,
    ::testing::Values(GlidePath{{0, 0}, {3, 1}, {{1, 1}, {2, 1}, {3, 1}, {3, 1}}},  // diagonal, then straight
                      GlidePath{{5, 5}, {5, 5}, {{5, 5}}},                          // already there
                      GlidePath{{10, 10}, {7, 12}, {{9, 11}, {8, 12}, {7, 12}, {7, 12}}},
                      GlidePath{{4, 3}, {4, 0}, {{4, 2}, {4, 1}, {4, 0}, {4, 0}}}));  // straight up

TEST_F(GlideTest, ServesEventsAfterEveryStep) {
    Fake().cursor = Point{0, 0};
    GlideCursor(3, 1);
    EXPECT_GE(Fake().serveCalls, 4);
}

struct OffScreen {
    Point from;
    Point to;
    Point stopsAt;
    std::size_t movingPasses;  // then GlideStallPasses passes that find it held
};

class GlideOffScreenTest : public PlaybackTest, public ::testing::WithParamInterface<OffScreen> {};

TEST_P(GlideOffScreenTest, GivesUpWhereTheScreenEdgeHoldsTheCursor) {
    const OffScreen& c = GetParam();
    Fake().cursor = c.from;
    GlideCursor(c.to.x, c.to.y);
    EXPECT_EQ(Fake().cursor, c.stopsAt);
    EXPECT_EQ(Fake().timerDues.size(), c.movingPasses + GlideStallPasses);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, GlideOffScreenTest,
    ::testing::Values(OffScreen{{1919, 0}, {1925, 0}, {1919, 0}, 0},  // the first step cannot move
                      OffScreen{{2, 2}, {-50, -50}, {0, 0}, 2},
                      // The free axis keeps going until it arrives; then the clamped one stops.
                      OffScreen{{1915, 500}, {5000, 300}, {1919, 300}, 200},
                      OffScreen{{0, 0}, {-2147483647 - 1, 2147483647}, {0, 1079}, 1079}));

TEST_F(GlideTest, PositionReportedAStepLateDoesNotEndTheGlide) {
    // Some platforms report the cursor where an earlier step put it for a pass
    // or two after it moved on.
    Fake().cursor = Point{0, 0};
    Fake().PostAt(2500, [] { Fake().cursor = Point{2, 0}; });
    Fake().PostAt(3500, [] { Fake().cursor = Point{2, 0}; });
    GlideCursor(10, 0);
    EXPECT_EQ(Fake().cursor, (Point{10, 0}));
}

TEST_F(GlideTest, MouseMovedDuringTheGlideOnlyChangesWhereThePathResumes) {
    Fake().cursor = Point{0, 0};
    // During the second pass's wait the user puts the mouse elsewhere.
    Fake().PostAt(1500, [] { Fake().cursor = Point{50, 50}; });
    GlideCursor(10, 0);
    ASSERT_GE(Fake().cursorMoves.size(), 3u);
    EXPECT_EQ(Fake().cursorMoves[1], (Point{2, 0}));
    EXPECT_EQ(Fake().cursorMoves[2], (Point{49, 49}));
    EXPECT_EQ(Fake().cursor, (Point{10, 0}));
}

Point clickSeenAt;
int clicksSeen = 0;

TEST_F(GlideTest, ButtonClickedDuringTheGlideIsHandledWhileItRuns) {
    clicksSeen = 0;
    Fake().onClick = [](Control c) {
        if (c != Control::按钮1) return;
        ++clicksSeen;
        clickSeenAt = Fake().cursor;
    };
    Fake().cursor = Point{0, 0};
    Fake().PostAt(20500, [] { Fake().Click(Control::按钮1); });
    GlideCursor(100, 0);
    EXPECT_EQ(clicksSeen, 1);
    EXPECT_EQ(clickSeenAt, (Point{21, 0}));
}

TEST_F(GlideTest, ClosingTheWindowStopsTheGlideAtOnce) {
    Fake().cursor = Point{0, 0};
    Fake().PostAt(5500, [] { Fake().Close(); });
    GlideCursor(100, 0);
    EXPECT_EQ(Fake().cursor, (Point{6, 0}));
    EXPECT_EQ(Fake().cursorMoves.size(), 6u);
}

}  // namespace
}  // namespace qm::testing
