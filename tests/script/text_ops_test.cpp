// The byte-level text operations on GBK text: trimming, splitting with
// two-byte stepping, byte slices, and the decimal conversions.
#include "script/text_ops.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "byte_helpers.h"

namespace qm {
namespace {

using namespace std::literals;
using test::Owned;
using test::TightCopy;

template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// Whether a result views its argument rather than a copy.
bool ViewsInto(std::string_view part, std::string_view whole) {
    return part.empty() ||
           (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

// ---- TrimSpaces -------------------------------------------------------------

struct TrimCase {
    const char* name;
    std::string_view text;
    std::string_view trimmed;
};

class TrimSpacesTest : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimSpacesTest, RemovesWholeSpaceCharactersAtBothEndsOnly) {
    const TrimCase& c = GetParam();
    const TightCopy text(c.text);
    const std::string_view result = TrimSpaces(text.View());
    EXPECT_EQ(std::string(result), std::string(c.trimmed));
    EXPECT_TRUE(ViewsInto(result, text.View()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrimSpacesTest,
    testing::Values(TrimCase{"Empty", ""sv, ""sv}, TrimCase{"OnlyAsciiSpaces", "    "sv, ""sv},
                    TrimCase{"OnlyMixedSpaces", "\xA1\xA1 \xA1\xA1  "sv, ""sv},
                    TrimCase{"AsciiSpacesBothEnds", "  ab  "sv, "ab"sv},
                    TrimCase{"FullWidthSpacesBothEnds",
                             "\xA1\xA1"
                             "ab \xA1\xA1"sv,
                             "ab"sv},
                    TrimCase{"InnerSpacesStay", " a \xA1\xA1 b "sv, "a \xA1\xA1 b"sv},
                    TrimCase{"TabsCrLfStay", "\t a \r\n"sv, "\t a \r\n"sv},
                    TrimCase{"SpacesAfterLastCrLf", "a\r\n  \xA1\xA1"sv, "a\r\n"sv},
                    // B0 A1 is one character, so the A1 A1 at the end is not a space.
                    TrimCase{"TrailingA1A1IsSecondHalfOfCharacter", "x\xB0\xA1\xA1"sv, "x\xB0\xA1\xA1"sv},
                    TrimCase{"SpaceAfterCharacterEndingInA1", "x\xB0\xA1\xA1\xA1"sv, "x\xB0\xA1"sv},
                    TrimCase{"OddRunOfA1EndsInLoneLeadByte", "a\xA1\xA1\xA1\xA1\xA1"sv,
                             "a\xA1\xA1\xA1\xA1\xA1"sv},
                    TrimCase{"EvenRunOfA1IsSpaces", "a\xA1\xA1\xA1\xA1"sv, "a"sv},
                    TrimCase{"OnlyA1OddRun", "\xA1\xA1\xA1\xA1\xA1"sv, "\xA1"sv},
                    TrimCase{"LoneLeadByteAtEnd", "ab\xA1"sv, "ab\xA1"sv},
                    TrimCase{"SpaceThenLoneLeadByte", " ab \xB0"sv, "ab \xB0"sv},
                    // A lead byte takes the space after it as its second byte.
                    TrimCase{"SpaceAsTrailByte", "ab\xA1 "sv, "ab\xA1 "sv},
                    TrimCase{"LeadingA1WithSpaceTrail", "\xA1 x"sv, "\xA1 x"sv},
                    TrimCase{"FFRunTakesSpaceAsTrail", "\xFF\xFF\xFF \xA1\xA1"sv, "\xFF\xFF\xFF "sv},
                    TrimCase{"FFPairThenSpaces", "\xFF\xFF \xA1\xA1"sv, "\xFF\xFF"sv},
                    TrimCase{"NulBytesAreNotSpaces", "\0 a\0 "sv, "\0 a\0"sv}),
    CaseName<TrimCase>);

// ---- SplitText --------------------------------------------------------------

struct SplitCase {
    const char* name;
    std::string_view text;
    std::string_view sep;
    std::vector<std::string> pieces;
};

class SplitTextTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTextTest, CutsAtSeparatorsOnCharacterBoundaries) {
    const SplitCase& c = GetParam();
    const TightCopy text(c.text);
    const TightCopy sep(c.sep);
    const std::vector<std::string_view> pieces = SplitText(text.View(), sep.View());
    EXPECT_EQ(Owned(pieces), c.pieces);
    for (std::string_view piece : pieces) EXPECT_TRUE(ViewsInto(piece, text.View()));
}

constexpr std::string_view CrLf = "\r\n"sv;
constexpr std::string_view Semi = "\xA3\xBB"sv;  // full-width semicolon

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitTextTest,
    testing::Values(
        SplitCase{"EmptyTextHasNoPieces", ""sv, CrLf, {}},
        SplitCase{"TextWithoutSeparatorIsOnePiece", "abc"sv, CrLf, {"abc"}},
        SplitCase{"EndingSeparatorGivesNoEmptyLastPiece", "a\r\nb\r\n"sv, CrLf, {"a", "b"}},
        SplitCase{"TwoSeparatorsInARowGiveEmptyPiece", "a\r\n\r\nb"sv, CrLf, {"a", "", "b"}},
        SplitCase{"SeparatorAtStartGivesEmptyFirstPiece", "\r\na"sv, CrLf, {"", "a"}},
        SplitCase{"OnlySeparator", "\r\n"sv, CrLf, {""}},
        SplitCase{"LoneCrAndLfDoNotCut", "a\rb\nc"sv, CrLf, {"a\rb\nc"}},
        SplitCase{"FieldsAndEmptyField",
                  "a\xA3\xBB\xA3\xBB"
                  "b"sv,
                  Semi,
                  {"a", "", "b"}},
        // B0 A3 is one character, so the A3 BB bytes straddle two characters.
        SplitCase{"LeadByteBeforeSeparatorBytes",
                  "a\xB0\xA3\xBB"
                  "b"sv,
                  Semi,
                  {"a\xB0\xA3\xBB"
                   "b"}},
        SplitCase{"CharacterBeforeSeparator",
                  "a\xB0\xB0\xA3\xBB"
                  "b"sv,
                  Semi,
                  {"a\xB0\xB0", "b"}},
        SplitCase{"OddHighRunHidesEverySeparator", "\xA3\xA3\xBB\xA3\xBB"sv, Semi, {"\xA3\xA3\xBB\xA3\xBB"}},
        SplitCase{"EvenHighRunKeepsSeparators", "\xA3\xBB\xA3\xBB"sv, Semi, {"", ""}},
        SplitCase{"LeadByteSwallowsCr", "\xB0\r\n"sv, CrLf, {"\xB0\r\n"}},
        SplitCase{"LeadByteSwallowsCrThenRealCrLf", "\xB0\r\n\r\nx"sv, CrLf, {"\xB0\r\n", "x"}},
        SplitCase{"NulBytesInsidePieces", "a\0b\r\n\0"sv, CrLf, {"a\0b"s, "\0"s}},
        SplitCase{"FFRunsStepInPairs", "\xFF\xFF\xA3\xBB\xFF\xA3\xBB"sv, Semi, {"\xFF\xFF", "\xFF\xA3\xBB"}},
        SplitCase{"LoneLeadByteAtEnd", "a\r\n\xB0"sv, CrLf, {"a", "\xB0"}},
        SplitCase{"SeparatorLongerThanText", "a"sv, "abc"sv, {"a"}},
        SplitCase{"EmptySeparatorLeavesTextWhole", "a\r\nb"sv, ""sv, {"a\r\nb"}},
        // Scanning resumes right after a separator, even one that ends inside
        // a character.
        SplitCase{"SteppingRestartsAfterSeparator", "x\xB0z\xB0\xB0z"sv, "\xB0"sv, {"x", "z", "", "z"}}),
    CaseName<SplitCase>);

// Character-by-character scanning exactly as the format describes it; the
// real SplitText and TrimSpaces skip ahead and must agree with these.
std::vector<std::string> SplitOneCharacterAtATime(std::string_view t, std::string_view sep) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < t.size()) {
        if (t.substr(i, sep.size()) == sep) {
            pieces.emplace_back(t.substr(start, i - start));
            i += sep.size();
            start = i;
        } else {
            i += static_cast<unsigned char>(t[i]) >= 0x80 ? 2 : 1;
        }
    }
    if (start < t.size()) pieces.emplace_back(t.substr(start));
    return pieces;
}

std::string TrimOneCharacterAtATime(std::string_view t) {
    std::vector<std::string_view> chars;
    for (std::size_t i = 0; i < t.size();) {
        const std::size_t w = static_cast<unsigned char>(t[i]) >= 0x80 && i + 1 < t.size() ? 2 : 1;
        chars.push_back(t.substr(i, w));
        i += w;
    }
    auto isSpace = [](std::string_view c) { return c == " "sv || c == "\xA1\xA1"sv; };
    std::size_t first = 0;
    std::size_t last = chars.size();
    while (first < last && isSpace(chars[first])) ++first;
    while (last > first && isSpace(chars[last - 1])) --last;
    std::string out;
    for (std::size_t k = first; k < last; ++k) out.append(chars[k]);
    return out;
}

std::string RandomBytes(std::mt19937& rng) {
    static constexpr char Alphabet[] = {'\xA3', '\xBB', '\xBA', '\r',   '\n',  ' ',
                                        '\xA1', 'a',    '\0',   '\xFF', '\xB0'};
    std::uniform_int_distribution<std::size_t> length(0, 80);  // past the short-scan limit too
    std::uniform_int_distribution<std::size_t> pick(0, sizeof Alphabet - 1);
    std::string s(length(rng), '\0');
    for (char& c : s) c = Alphabet[pick(rng)];
    return s;
}

TEST(SplitTextScan, AgreesWithCharacterByCharacterScanOnRandomBytes) {
    std::mt19937 rng(20240611);
    const std::string_view seps[] = {CrLf, Semi, "\xA3"sv, "\xBB\xA3"sv, "a"sv};
    for (int n = 0; n < 20000; ++n) {
        const std::string bytes = RandomBytes(rng);
        const TightCopy text(bytes);
        for (std::string_view sep : seps) {
            ASSERT_EQ(Owned(SplitText(text.View(), sep)), SplitOneCharacterAtATime(bytes, sep))
                << testing::PrintToString(bytes) << " at " << testing::PrintToString(std::string(sep));
        }
    }
}

TEST(TrimSpacesScan, AgreesWithCharacterByCharacterScanOnRandomBytes) {
    std::mt19937 rng(7);
    for (int n = 0; n < 20000; ++n) {
        const std::string bytes = RandomBytes(rng);
        const TightCopy text(bytes);
        ASSERT_EQ(std::string(TrimSpaces(text.View())), TrimOneCharacterAtATime(bytes))
            << testing::PrintToString(bytes);
    }
}

TEST(SplitTextScan, LongRunOfHighBytesStillCutsAtTheRealSeparators) {
    // Thousands of A3 BB pairs offset by one lead byte: none is a separator
    // until a plain byte resets the stepping.
    std::string text = "\xB0";
    for (int k = 0; k < 5000; ++k) text += "\xA3\xBB";
    text += "x\xA3\xBBy";
    EXPECT_EQ(Owned(SplitText(text, Semi)), (std::vector<std::string>{text.substr(0, text.size() - 3), "y"}));
}

// ---- RightBytes -------------------------------------------------------------

struct RightCase {
    const char* name;
    std::string_view text;
    std::int64_t n;
    std::string_view right;
};

class RightBytesTest : public testing::TestWithParam<RightCase> {};

TEST_P(RightBytesTest, KeepsTheLastNBytes) {
    const RightCase& c = GetParam();
    const TightCopy text(c.text);
    const std::string_view result = RightBytes(text.View(), c.n);
    EXPECT_EQ(std::string(result), std::string(c.right));
    EXPECT_TRUE(ViewsInto(result, text.View()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RightBytesTest,
    testing::Values(RightCase{"Zero", "abc"sv, 0, ""sv}, RightCase{"Negative", "abc"sv, -5, ""sv},
                    RightCase{"MostNegative", "abc"sv, std::numeric_limits<std::int64_t>::min(), ""sv},
                    RightCase{"Some", "abc"sv, 2, "bc"sv}, RightCase{"Exactly", "abc"sv, 3, "abc"sv},
                    RightCase{"MoreThanLength", "abc"sv, 4, "abc"sv},
                    RightCase{"Largest", "abc"sv, std::numeric_limits<std::int64_t>::max(), "abc"sv},
                    RightCase{"EmptyText", ""sv, 1, ""sv},
                    RightCase{"CutsCharacterInHalf", "\xCB\xAE\xC6\xBD"sv, 3, "\xAE\xC6\xBD"sv}),
    CaseName<RightCase>);

// ---- TextToInt --------------------------------------------------------------

struct ToIntCase {
    const char* name;
    std::string_view text;
    std::int32_t value;
};

class TextToIntTest : public testing::TestWithParam<ToIntCase> {};

TEST_P(TextToIntTest, ReadsTheLeadingDecimalNumber) {
    EXPECT_EQ(TextToInt(TightCopy(GetParam().text).View()), GetParam().value);
}

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToIntTest,
    testing::Values(
        ToIntCase{"Empty", ""sv, 0}, ToIntCase{"Plain", "500"sv, 500}, ToIntCase{"LeadingZeros", "007"sv, 7},
        ToIntCase{"Negative", "-12"sv, -12}, ToIntCase{"ExplicitPlus", "+12"sv, 12},
        ToIntCase{"NoDigits", "abc"sv, 0}, ToIntCase{"StopsAtFirstOther", "12abc3"sv, 12},
        ToIntCase{"NoHex", "0x1A"sv, 0}, ToIntCase{"CWhiteSpaceSkipped", " \t\n\v\f\r7"sv, 7},
        ToIntCase{"SpaceAfterSign", "- 5"sv, 0}, ToIntCase{"TwoSigns", "+-5"sv, 0},
        ToIntCase{"TrailingSpaceIgnored", "500 "sv, 500},
        ToIntCase{"FullWidthDigits", "\xA3\xB5\xA3\xB0\xA3\xB0"sv, 500},
        ToIntCase{"FullWidthMinus", "\xA3\xAD\xA3\xB1\xA3\xB2"sv, -12},
        ToIntCase{"FullWidthPlus",
                  "\xA3\xAB"
                  "7"sv,
                  7},
        ToIntCase{"MixedWidthDigits",
                  "\xA3\xB1"
                  "2\xA3\xB3"sv,
                  123},
        ToIntCase{"FullWidthSpaceSkipped", "\xA1\xA1 \xA1\xA1\xA3\xAD\xA3\xB9"sv, -9},
        ToIntCase{"FullWidthLetterStops",
                  "4\xA3\xE1"
                  "5"sv,
                  4},
        ToIntCase{"A3A0IsNoFullWidthForm",
                  "\xA3\xA0"
                  "5"sv,
                  0},
        // B0 A3 is one character, so the B5 after it is no full-width five.
        ToIntCase{"FullWidthBytesAcrossCharacters", "\xB0\xA3\xB5"sv, 0},
        ToIntCase{"OtherCharacterStops",
                  "\xCB\xAE"
                  "5"sv,
                  0},
        ToIntCase{"LeadByteTakesDigit",
                  "1\xB0"
                  "23"sv,
                  1},
        ToIntCase{"LoneLeadByteAtEnd", "5\xA3"sv, 5}, ToIntCase{"OnlyLoneLeadByte", "\xA3"sv, 0},
        ToIntCase{"NulStops",
                  "5\0"
                  "6"sv,
                  5},
        ToIntCase{"LeadingNul",
                  "\0"
                  "5"sv,
                  0},
        ToIntCase{"FFRun", "12\xFF\xFF\xFF"sv, 12}, ToIntCase{"Largest", "2147483647"sv, Max},
        ToIntCase{"Smallest", "-2147483648"sv, Min}, ToIntCase{"OnePastLargestWraps", "2147483648"sv, Min},
        ToIntCase{"AllOnesWraps", "4294967295"sv, -1}, ToIntCase{"TwoToThe32WrapsToZero", "4294967296"sv, 0},
        ToIntCase{"NegativeWraps", "-4294967297"sv, -1},
        ToIntCase{"ElevenDigitsWrap", "99999999999"sv, 1215752191},
        ToIntCase{"TwentyDigitsWrap", "12345678901234567890"sv, -350287150},
        ToIntCase{"FullWidthWrap",
                  "\xA3\xB4\xA3\xB2\xA3\xB9\xA3\xB4\xA3\xB9\xA3\xB6\xA3\xB7\xA3\xB2\xA3\xB9\xA3\xB7"sv, 1}),
    CaseName<ToIntCase>);

// ---- IntToText --------------------------------------------------------------

struct ToTextCase {
    const char* name;
    std::int32_t value;
    const char* text;
};

class IntToTextTest : public testing::TestWithParam<ToTextCase> {};

TEST_P(IntToTextTest, WritesPlainDecimalThatReadsBack) {
    const ToTextCase& c = GetParam();
    EXPECT_EQ(IntToText(c.value), c.text);
    EXPECT_EQ(TextToInt(IntToText(c.value)), c.value);
}

INSTANTIATE_TEST_SUITE_P(Cases, IntToTextTest,
                         testing::Values(ToTextCase{"Zero", 0, "0"}, ToTextCase{"Small", 7, "7"},
                                         ToTextCase{"Coordinate", 1920, "1920"},
                                         ToTextCase{"MinusOne", -1, "-1"},
                                         ToTextCase{"NegativeCoordinate", -12, "-12"},
                                         ToTextCase{"Largest", Max, "2147483647"},
                                         ToTextCase{"Smallest", Min, "-2147483648"}),
                         CaseName<ToTextCase>);

// ---- TextEquals -------------------------------------------------------------

TEST(TextEquals, AbsentEqualsEmptyAndBytesDecideTheRest) {
    const std::optional<Text> none;
    const std::optional<Text> empty = Text();
    EXPECT_TRUE(TextEquals(none, none));
    EXPECT_TRUE(TextEquals(none, empty));
    EXPECT_TRUE(TextEquals(empty, none));
    EXPECT_FALSE(TextEquals(none, Text("0")));
    EXPECT_FALSE(TextEquals(Text("0"), none));
    EXPECT_TRUE(TextEquals(Text("300"), Text("300")));
    EXPECT_FALSE(TextEquals(Text("300"), Text("301")));
    EXPECT_FALSE(TextEquals(Text("3\0a"s), Text("3\0b"s)));
    EXPECT_FALSE(TextEquals(Text("3"), Text("3\0"s)));
}

}  // namespace
}  // namespace qm
