// One pass over the script: what each line's field 3 performs, the delays,
// and what happens to lines the user cut short.
#include "playback/run_controller.h"
#include "playback_fixture.h"

namespace qm::testing {
namespace {

using PlayerTest = PlaybackTest;

struct ActionCase {
    const char* action;
    std::vector<std::uint32_t> flags;
    std::vector<std::uint32_t> sleeps;
};

class LineActionTest : public PlaybackTest, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(LineActionTest, GlidesToThePointThenPerformsTheActionAndItsDelay) {
    Fake().texts[Control::编辑框1] = Line("7", "9", GetParam().action, "250");
    PlayScript();
    EXPECT_EQ(Fake().cursor, (Point{7, 9}));
    EXPECT_EQ(Flags(), GetParam().flags);
    for (const fake::ButtonEvent& e : Fake().buttons) EXPECT_EQ(e.at, (Point{7, 9}));
    EXPECT_EQ(Fake().sleeps, GetParam().sleeps);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, LineActionTest,
    ::testing::Values(
        ActionCase{script::ActionLeftPress, {0x0002}, {250}},
        ActionCase{script::ActionLeftRelease, {0x0004}, {250}},
        ActionCase{script::ActionLeftClick, {0x0002, 0x0004}, {250}},
        ActionCase{script::ActionRightPress, {0x0008}, {250}},
        ActionCase{script::ActionRightRelease, {0x0010}, {250}},
        ActionCase{script::ActionRightClick, {0x0008, 0x0010}, {}},  // the delay is not read
        ActionCase{script::ActionMiddlePress, {0x0020}, {250}},
        ActionCase{script::ActionMiddleRelease, {0x0040}, {250}},
        ActionCase{script::ActionMiddleClick, {0x0020, 0x0040}, {250}},
        ActionCase{script::ActionDoubleClick, {}, {}},
        // Byte for byte: a space around the field, or the label alone, matches nothing.
        ActionCase{" \xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD7\xF3\xBC\xFC\xB5\xA5\xBB\xF7", {}, {}},
        ActionCase{"\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD7\xF3\xBC\xFC\xB5\xA5\xBB\xF7 ", {}, {}},
        ActionCase{script::LabelMouse, {}, {}}));

TEST_F(PlayerTest, ThreeFieldRightClickGoesOnToTheNextLineAtOnce) {
    const std::string rightClick = Line("10", "20", script::ActionRightClick, std::nullopt);
    Fake().texts[Control::编辑框1] = rightClick + Line("30", "20", script::ActionLeftClick, "40");
    PlayScript();
    ASSERT_EQ(Fake().buttons.size(), 4u);
    EXPECT_EQ(Fake().buttons[0].at, (Point{10, 20}));
    EXPECT_EQ(Fake().buttons[2].at, (Point{30, 20}));
    EXPECT_EQ(Fake().sleeps, std::vector<std::uint32_t>{40});
}

struct Script {
    const char* what;
    std::string text;
    std::vector<Point> buttonsAt;
    std::vector<std::uint32_t> flags;
    std::vector<std::uint32_t> sleeps;
    Point cursorEnd;
};

class ScriptTextTest : public PlaybackTest, public ::testing::WithParamInterface<Script> {};

TEST_P(ScriptTextTest, PlaysWhatTheTextHoldsAndSkipsWhatItCannot) {
    const Script& s = GetParam();
    Fake().texts[Control::编辑框1] = s.text;
    PlayScript();
    std::vector<Point> at;
    for (const fake::ButtonEvent& e : Fake().buttons) at.push_back(e.at);
    EXPECT_EQ(at, s.buttonsAt);
    EXPECT_EQ(Flags(), s.flags);
    EXPECT_EQ(Fake().sleeps, s.sleeps);
    EXPECT_EQ(Fake().cursor, s.cursorEnd);
}

const std::string A = Line("5", "6", script::ActionLeftClick, "7");
const std::string B = Line("8", "9", script::ActionMiddleClick, "3");
const std::string Fw = "\xA1\xA1";  // full-width space

INSTANTIATE_TEST_SUITE_P(
    Texts, ScriptTextTest,
    ::testing::Values(Script{"Empty", "", {}, {}, {}, {0, 0}},
                      Script{"OnlySpaces", "   " + Fw + " ", {}, {}, {}, {0, 0}},
                      Script{"EmptyLineInside",
                             A + "\r\n" + B,
                             {{5, 6}, {5, 6}, {8, 9}, {8, 9}},
                             {0x2, 0x4, 0x20, 0x40},
                             {7, 3},
                             {8, 9}},
                      Script{"LineOfSpacesInside",
                             A + "   \r\n" + B,
                             {{5, 6}, {5, 6}, {8, 9}, {8, 9}},
                             {0x2, 0x4, 0x20, 0x40},
                             {7, 3},
                             {8, 9}},
                      Script{"BeginsWithLineBreak", "\r\n" + A, {{5, 6}, {5, 6}}, {0x2, 0x4}, {7}, {5, 6}},
                      Script{"BlankLastLine", A + "\r\n", {{5, 6}, {5, 6}}, {0x2, 0x4}, {7}, {5, 6}},
                      Script{"OneField",
                             "\xCB\xAE\xC6\xBD\xA3\xBA"
                             "40",
                             {},
                             {},
                             {},
                             {0, 0}},
                      Script{"TwoFieldsOnlyGlide",
                             "\xCB\xAE\xC6\xBD\xA3\xBA"
                             "40\xA3\xBB\xB4\xB9\xD6\xB1\xA3\xBA"
                             "30",
                             {},
                             {},
                             {},
                             {40, 30}},
                      Script{"PressWithoutDelayFieldWaitsNothing",
                             Line("5", "6", script::ActionLeftPress, std::nullopt) + B,
                             {{5, 6}, {8, 9}, {8, 9}},
                             {0x2, 0x20, 0x40},
                             {0, 3},
                             {8, 9}},
                      Script{"DoubleClickLineOnlyGlides",
                             Line("12", "4", script::ActionDoubleClick, std::nullopt),
                             {},
                             {},
                             {},
                             {12, 4}},
                      Script{"NotANumberGlidesToZero",
                             Line("abc", "7", script::ActionLeftClick, "1"),
                             {{0, 7}, {0, 7}},
                             {0x2, 0x4},
                             {1},
                             {0, 7}},
                      Script{"NegativeDelayWaitsNothing",
                             Line("1", "1", script::ActionLeftClick, "-40"),
                             {{1, 1}, {1, 1}},
                             {0x2, 0x4},
                             {0},
                             {1, 1}},
                      Script{"FullWidthDigits",
                             Line("1", "1", script::ActionLeftClick, "\xA3\xB5\xA3\xB0\xA3\xB0"),
                             {{1, 1}, {1, 1}},
                             {0x2, 0x4},
                             {500},
                             {1, 1}},
                      Script{"ExtraFieldsAreIgnored",
                             A.substr(0, A.size() - 2) + "\xA3\xBBxyz\r\n",
                             {{5, 6}, {5, 6}},
                             {0x2, 0x4},
                             {7},
                             {5, 6}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(PlayerTest, EditsDuringThePassDoNotChangeThePass) {
    Fake().texts[Control::编辑框1] = Line("20", "0", script::ActionLeftClick, "1") + B;
    Fake().PostAt(5500,
                  [] { Fake().texts[Control::编辑框1] = Line("600", "600", script::ActionRightClick, ""); });
    PlayScript();
    EXPECT_EQ(Flags(), (std::vector<std::uint32_t>{0x2, 0x4, 0x20, 0x40}));
    EXPECT_EQ(Fake().cursor, (Point{8, 9}));
}

}  // namespace
}  // namespace qm::testing
