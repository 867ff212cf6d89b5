// The script's line grammar: the fixed GBK texts, the recorder's pieces, and
// reading a script back into lines, fields and numbers.
#include "script/script_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "byte_helpers.h"
#include "script/script_texts.h"
#include "script/text_ops.h"

namespace qm {
namespace {

using namespace std::literals;
using test::Hex;
using test::Owned;
using test::TightCopy;

template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

const std::string H = script::LabelHorizontal;
const std::string V = script::LabelVertical;
const std::string M = script::LabelMouse;
const std::string D = script::LabelDelay;
const std::string Semi = script::FieldSeparator;
const std::string CrLf = script::LineSeparator;

// ---- Fixed texts and writer pieces ------------------------------------------

struct BytesCase {
    const char* name;
    std::string actual;
    const char* hex;
};

class ExactBytesTest : public testing::TestWithParam<BytesCase> {};

TEST_P(ExactBytesTest, IsExactlyTheseGbkBytes) { EXPECT_EQ(GetParam().actual, Hex(GetParam().hex)); }

INSTANTIATE_TEST_SUITE_P(
    FixedTexts, ExactBytesTest,
    testing::Values(BytesCase{"LabelHorizontal", script::LabelHorizontal, "CB AE C6 BD A3 BA"},
                    BytesCase{"LabelVertical", script::LabelVertical, "B4 B9 D6 B1 A3 BA"},
                    BytesCase{"LabelMouse", script::LabelMouse, "CA F3 B1 EA A3 BA"},
                    BytesCase{"LabelDelay", script::LabelDelay, "D1 D3 CA B1 A3 BA"},
                    BytesCase{"FieldSeparator", script::FieldSeparator, "A3 BB"},
                    BytesCase{"LineSeparator", script::LineSeparator, "0D 0A"},
                    BytesCase{"ActionLeftPress", script::ActionLeftPress,
                              "CA F3 B1 EA A3 BA CA F3 B1 EA D7 F3 BC FC B0 B4 CF C2"},
                    BytesCase{"ActionLeftRelease", script::ActionLeftRelease,
                              "CA F3 B1 EA A3 BA CA F3 B1 EA D7 F3 BC FC B5 AF C6 F0"},
                    BytesCase{"ActionLeftClick", script::ActionLeftClick,
                              "CA F3 B1 EA A3 BA CA F3 B1 EA D7 F3 BC FC B5 A5 BB F7"},
                    BytesCase{"ActionRightPress", script::ActionRightPress,
                              "CA F3 B1 EA A3 BA CA F3 B1 EA D3 D2 BC FC B0 B4 CF C2"},
                    BytesCase{"ActionRightRelease", script::ActionRightRelease,
                              "CA F3 B1 EA A3 BA CA F3 B1 EA D3 D2 BC FC B5 AF C6 F0"},
                    BytesCase{"ActionRightClick", script::ActionRightClick,
                              "CA F3 B1 EA A3 BA CA F3 B1 EA D3 D2 BC FC B5 A5 BB F7"},
                    BytesCase{"ActionMiddlePress", script::ActionMiddlePress,
                              "CA F3 B1 EA A3 BA CA F3 B1 EA D6 D0 BC FC B0 B4 CF C2"},
                    BytesCase{"ActionMiddleRelease", script::ActionMiddleRelease,
                              "CA F3 B1 EA A3 BA CA F3 B1 EA D6 D0 BC FC B5 AF C6 F0"},
                    BytesCase{"ActionMiddleClick", script::ActionMiddleClick,
                              "CA F3 B1 EA A3 BA CA F3 B1 EA D6 D0 BC FC B5 A5 BB F7"},
                    BytesCase{"ActionDoubleClick", script::ActionDoubleClick,
                              "CA F3 B1 EA A3 BA CA F3 B1 EA D7 F3 BC FC CB AB BB F7"},
                    BytesCase{"StatusNotRecorded", script::StatusNotRecorded,
                              "C7 EB CF C8 C2 BC D6 C6 BD C5 B1 BE A3 A1"},
                    BytesCase{"StatusRecording", script::StatusRecording, "D5 FD D4 DA C2 BC D6 C6 A3 A1"},
                    BytesCase{"StatusRecorded", script::StatusRecorded, "C2 BC D6 C6 CD EA B1 CF A3 A1"},
                    BytesCase{"StatusRunPrefix", script::StatusRunPrefix, "D5 FD D4 DA D4 CB D0 D0 B5 DA"},
                    BytesCase{"StatusRunSuffix", script::StatusRunSuffix, "B4 CE"},
                    BytesCase{"StatusRunDone", script::StatusRunDone, "D4 CB D0 D0 CD EA B1 CF A3 A1"},
                    BytesCase{"MessageFinishRecording", script::MessageFinishRecording,
                              "C7 EB CF C8 BD E1 CA F8 C2 BC D6 C6 A3 A1"},
                    BytesCase{"MessageCaption", script::MessageCaption, "D0 C5 CF A2 A3 BA"}),
    CaseName<BytesCase>);

INSTANTIATE_TEST_SUITE_P(
    WriterPieces, ExactBytesTest,
    testing::Values(
        BytesCase{"Horizontal", HorizontalPiece("300"), "CB AE C6 BD A3 BA 33 30 30 A3 BB"},
        BytesCase{"NegativeHorizontal", HorizontalPiece("-12"), "CB AE C6 BD A3 BA 2D 31 32 A3 BB"},
        BytesCase{"Vertical", VerticalPiece("200"), "B4 B9 D6 B1 A3 BA 32 30 30 A3 BB"},
        BytesCase{"Action", ActionPiece(script::ActionLeftClick),
                  "CA F3 B1 EA A3 BA CA F3 B1 EA D7 F3 BC FC B5 A5 BB F7 A3 BB"},
        BytesCase{"DoubleClick", DoubleClickPiece(),
                  "CA F3 B1 EA A3 BA CA F3 B1 EA D7 F3 BC FC CB AB BB F7 0D 0A"},
        BytesCase{"Delay", DelayPiece("500"), "D1 D3 CA B1 A3 BA 35 30 30 0D 0A"},
        BytesCase{"EmptyDelayIsBareLabel", DelayPiece(""), "D1 D3 CA B1 A3 BA 0D 0A"},
        BytesCase{"DelayTakenVerbatim", DelayPiece(" 500"), "D1 D3 CA B1 A3 BA 20 35 30 30 0D 0A"},
        BytesCase{"DelayNotANumber", DelayPiece("abc"), "D1 D3 CA B1 A3 BA 61 62 63 0D 0A"},
        BytesCase{"DelayWithNul", DelayPiece("5\0"sv), "D1 D3 CA B1 A3 BA 35 00 0D 0A"},
        BytesCase{"ActionLineInAppendOrder",
                  HorizontalPiece("300") + VerticalPiece("200") + ActionPiece(script::ActionLeftClick) +
                      DelayPiece("500"),
                  "CB AE C6 BD A3 BA 33 30 30 A3 BB B4 B9 D6 B1 A3 BA 32 30 30 A3 BB"
                  "CA F3 B1 EA A3 BA CA F3 B1 EA D7 F3 BC FC B5 A5 BB F7 A3 BB"
                  "D1 D3 CA B1 A3 BA 35 30 30 0D 0A"}),
    CaseName<BytesCase>);

// ---- ScriptLines ------------------------------------------------------------

struct LinesCase {
    const char* name;
    std::string script;
    std::vector<std::string> lines;
};

class ScriptLinesTest : public testing::TestWithParam<LinesCase> {};

TEST_P(ScriptLinesTest, TrimsTheScriptThenCutsAtCrLf) {
    EXPECT_EQ(Owned(ScriptLines(TightCopy(GetParam().script).View())), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptLinesTest,
    testing::Values(LinesCase{"Empty", "", {}}, LinesCase{"OnlySpaces", "   \xA1\xA1 ", {}},
                    LinesCase{"RecordedEndsInCrLf", "a\r\nb\r\n", {"a", "b"}},
                    LinesCase{"LastLineWithoutCrLf", "a\r\nb", {"a", "b"}},
                    LinesCase{"BlankLineBetween", "a\r\n\r\nb\r\n", {"a", "", "b"}},
                    LinesCase{"CrLfAtStart", "\r\na\r\n", {"", "a"}},
                    LinesCase{"SpacesAroundScriptRemoved",
                              "  \xA1\xA1"
                              "a\r\nb\r\n \xA1\xA1 ",
                              {"a", "b"}},
                    LinesCase{"SpacesStartingLaterLineStay", " a\r\n b\r\n", {"a", " b"}},
                    LinesCase{"SpaceOnlyLineInsideStays", "a\r\n \r\nb", {"a", " ", "b"}},
                    LinesCase{"TabNotTrimmed", "\ta\r\n\t", {"\ta", "\t"}},
                    LinesCase{"LoneCrStaysInLine", "a\rb\r\n", {"a\rb"}},
                    LinesCase{"LoneTrailingLeadByte", "a\r\n\xB0", {"a", "\xB0"}},
                    LinesCase{"LeadByteBeforeCrLf", "\xD1\r\n\xB0\xB0\r\n", {"\xD1\r\n\xB0\xB0"}}),
    CaseName<LinesCase>);

// ---- LineFields -------------------------------------------------------------

struct FieldsCase {
    const char* name;
    std::string line;
    std::vector<std::string> fields;
};

class LineFieldsTest : public testing::TestWithParam<FieldsCase> {};

TEST_P(LineFieldsTest, CutsAtFullWidthSemicolons) {
    EXPECT_EQ(Owned(LineFields(TightCopy(GetParam().line).View())), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineFieldsTest,
    testing::Values(
        FieldsCase{"ActionLine",
                   H + "300" + Semi + V + "200" + Semi + script::ActionLeftClick + Semi + D + "500",
                   {H + "300", V + "200", script::ActionLeftClick, D + "500"}},
        FieldsCase{"DoubleClickLine",
                   H + "1" + Semi + V + "2" + Semi + script::ActionDoubleClick,
                   {H + "1", V + "2", script::ActionDoubleClick}},
        FieldsCase{"TwoSeparatorsGiveEmptyField", "a" + Semi + Semi + "b", {"a", "", "b"}},
        FieldsCase{"TrailingSeparatorGivesNoEmptyField", "a" + Semi, {"a"}},
        FieldsCase{"SpacesAroundFieldsStay", " a " + Semi + " b ", {" a ", " b "}},
        FieldsCase{"AsciiSemicolonDoesNotCut", "a;b", {"a;b"}},
        // The user typed a lead byte right before the semicolon: B0 A3 is one
        // character and BB pairs with the next byte, so nothing is cut.
        FieldsCase{"LeadByteBeforeSemicolon", "12\xB0" + Semi + "34", {"12\xB0" + Semi + "34"}},
        FieldsCase{"WholeCharacterBeforeSemicolon", "12\xB0\xB0" + Semi + "34", {"12\xB0\xB0", "34"}}),
    CaseName<FieldsCase>);

// ---- FieldNumber ------------------------------------------------------------

struct NumberCase {
    const char* name;
    std::string field;
    std::int32_t number;
};

class FieldNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(FieldNumberTest, DropsSixBytesAndReadsTheRest) {
    EXPECT_EQ(FieldNumber(TightCopy(GetParam().field).View()), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldNumberTest,
    testing::Values(NumberCase{"Delay", D + "500", 500}, NumberCase{"NegativeCoordinate", H + "-12", -12},
                    NumberCase{"SpaceAfterLabel", D + " 500", 500},
                    NumberCase{"SpaceAfterNumber", D + "500 ", 500}, NumberCase{"NotANumber", D + "abc", 0},
                    NumberCase{"BareLabel", D, 0}, NumberCase{"Empty", "", 0},
                    NumberCase{"FiveBytes", "X:100", 0}, NumberCase{"SixBytes", "123456", 0},
                    NumberCase{"SevenBytes", "1234567", 7},
                    NumberCase{"EightBytesCutInsideLabel",
                               "ab\xA3\xBA"
                               "1234",
                               34},
                    NumberCase{"LabelNotChecked", "abcdef42", 42},
                    // The space shifts the cut one byte into the label: BA 31 is then one
                    // character and no digit follows it.
                    NumberCase{"SpaceBeforeLabel", " " + H + "12", 0},
                    NumberCase{"FullWidthDigits", D + "\xA3\xB5\xA3\xB0\xA3\xB0", 500},
                    NumberCase{"FullWidthMinus", H + "\xA3\xAD\xA3\xB1\xA3\xB2", -12},
                    NumberCase{"FullWidthSpaceAfterLabel",
                               D + "\xA1\xA1"
                                   "500",
                               500},
                    NumberCase{"LoneLeadByteAfterLabel", H + "\xB0", 0},
                    NumberCase{"WrapsAt32Bits", D + "4294967796", 500}),
    CaseName<NumberCase>);

// ---- A recorded script reads back -------------------------------------------

struct RecordedLine {
    std::int32_t x;
    std::int32_t y;
    const char* action;    // nullptr for a double click
    std::string delayBox;  // the delay box text, written verbatim
    std::int32_t delay;    // what the reader makes of it
};

TEST(RecordedScript, ReadsBackIntoExactlyTheLinesAndNumbersWritten) {
    const std::vector<RecordedLine> recorded = {
        {300, 200, script::ActionLeftClick, "500", 500},
        {10, 10, script::ActionRightPress, "500", 500},
        {40, 50, script::ActionRightRelease, " 500", 500},
        {-12, 0, nullptr, "", 0},
        {1919, 1079, script::ActionMiddleClick, "abc", 0},
        {0, -1, script::ActionLeftPress, "", 0},
        {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(),
         script::ActionLeftRelease, "\xA3\xB5\xA3\xB0\xA3\xB0", 500},
        {5, 5, script::ActionMiddlePress, "7", 7},
        {6, 6, script::ActionMiddleRelease, "-3", -3},
        {7, 7, script::ActionRightClick, "0", 0},
    };
    Text box;
    for (const RecordedLine& r : recorded) {
        box += HorizontalPiece(IntToText(r.x));
        box += VerticalPiece(IntToText(r.y));
        if (r.action == nullptr) {
            box += DoubleClickPiece();
        } else {
            box += ActionPiece(r.action);
            box += DelayPiece(r.delayBox);
        }
    }

    const TightCopy tight(box);
    const std::vector<std::string_view> lines = ScriptLines(tight.View());
    ASSERT_EQ(lines.size(), recorded.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        const RecordedLine& r = recorded[i];
        const std::vector<std::string_view> fields = LineFields(lines[i]);
        ASSERT_EQ(fields.size(), r.action == nullptr ? 3u : 4u);
        EXPECT_EQ(FieldNumber(fields[0]), r.x);
        EXPECT_EQ(FieldNumber(fields[1]), r.y);
        EXPECT_EQ(std::string(fields[2]),
                  r.action == nullptr ? std::string(script::ActionDoubleClick) : r.action);
        if (r.action != nullptr) {
            EXPECT_EQ(std::string(fields[3]), D + r.delayBox);
            EXPECT_EQ(FieldNumber(fields[3]), r.delay);
        }
    }
}

TEST(EditedScript, SpaceBeforeLabelZeroesTheFieldAndSpaceAroundActionKeepsIt) {
    // What a user gets after typing spaces in the box: around the script they
    // vanish; before a later line's label they shift the cut into the label.
    const std::string box = "  " + H + "300" + Semi + V + "200" + Semi + script::ActionLeftClick + Semi + D +
                            "500" + CrLf + " " + H + "10" + Semi + V + "20" + Semi + script::ActionLeftClick +
                            " " + Semi + D + "500" + CrLf + "  ";
    const TightCopy tight(box);
    const std::vector<std::string_view> lines = ScriptLines(tight.View());
    ASSERT_EQ(lines.size(), 2u);

    const std::vector<std::string_view> first = LineFields(lines[0]);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(FieldNumber(first[0]), 300);

    const std::vector<std::string_view> second = LineFields(lines[1]);
    ASSERT_EQ(second.size(), 4u);
    EXPECT_EQ(FieldNumber(second[0]), 0);
    EXPECT_EQ(FieldNumber(second[1]), 20);
    EXPECT_EQ(std::string(second[2]), script::ActionLeftClick + " "s);
}

}  // namespace
}  // namespace qm
