// Button synthesis: the flags of each button and kind, and the record of held
// buttons that lets a stopped run release them.
#include "playback/mouse_buttons.h"

#include "playback_fixture.h"

namespace qm::testing {
namespace {

using MouseButtonsTest = PlaybackTest;

TEST_F(MouseButtonsTest, SendsThePressAndReleaseFlagsOfEachButtonWhereTheCursorIs) {
    struct Case {
        MouseButton button;
        ButtonKind kind;
        std::vector<std::uint32_t> flags;
    };
    const Case cases[] = {
        {MouseButton::Left, ButtonKind::Press, {0x0002}},
        {MouseButton::Left, ButtonKind::Release, {0x0004}},
        {MouseButton::Left, ButtonKind::Click, {0x0002, 0x0004}},
        {MouseButton::Right, ButtonKind::Press, {0x0008}},
        {MouseButton::Right, ButtonKind::Release, {0x0010}},
        {MouseButton::Right, ButtonKind::Click, {0x0008, 0x0010}},
        {MouseButton::Middle, ButtonKind::Press, {0x0020}},
        {MouseButton::Middle, ButtonKind::Release, {0x0040}},
        {MouseButton::Middle, ButtonKind::Click, {0x0020, 0x0040}},
    };
    for (const Case& c : cases) {
        ReleaseHeldButtons();
        Fake().Reset();
        Fake().cursor = Point{120, 45};
        SynthesizeMouseButton(c.button, c.kind);
        EXPECT_EQ(Flags(), c.flags) << static_cast<int>(c.button) << "/" << static_cast<int>(c.kind);
        for (const fake::ButtonEvent& e : Fake().buttons) {
            EXPECT_EQ(e.at, (Point{120, 45}));
            EXPECT_EQ(e.timeUs, 0);  // a click has no pause between its two events
        }
        EXPECT_TRUE(Fake().cursorMoves.empty());
    }
}

TEST_F(MouseButtonsTest, CodesOutsideTheTableSendNothing) {
    SynthesizeMouseButton(static_cast<MouseButton>(0), ButtonKind::Press);
    SynthesizeMouseButton(static_cast<MouseButton>(4), ButtonKind::Click);
    SynthesizeMouseButton(MouseButton::Left, static_cast<ButtonKind>(2));
    EXPECT_TRUE(Fake().buttons.empty());
}

TEST_F(MouseButtonsTest, ReleasingHeldButtonsReleasesOnlyThoseStillDown) {
    SynthesizeMouseButton(MouseButton::Left, ButtonKind::Press);
    SynthesizeMouseButton(MouseButton::Middle, ButtonKind::Press);
    SynthesizeMouseButton(MouseButton::Right, ButtonKind::Click);
    SynthesizeMouseButton(MouseButton::Middle, ButtonKind::Release);
    Fake().buttons.clear();
    ReleaseHeldButtons();
    EXPECT_EQ(Flags(), std::vector<std::uint32_t>{0x0004});
    EXPECT_FALSE(ButtonHeld(MouseButton::Left));
    ReleaseHeldButtons();
    EXPECT_EQ(Fake().buttons.size(), 1u);
}

}  // namespace
}  // namespace qm::testing
