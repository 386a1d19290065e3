#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelvane {
namespace {

struct ParseCase {
    const char16_t* text;
    double value;
};

class ParseNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(parseNumber(QString::fromUtf16(GetParam().text)), GetParam().value)
        << QString::fromUtf16(GetParam().text).toStdString();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rules, ParseNumberTest, ::testing::Values(
    ParseCase{u"", 0.0},
    ParseCase{u"12 V", 12.0},
    ParseCase{u"12V", 12.0},
    ParseCase{u"1 2", 12.0},          // blanks are skipped inside the number
    ParseCase{u"\t4\n2", 42.0},
    ParseCase{u"-0.5e1", -5.0},
    ParseCase{u"abc", 0.0},
    ParseCase{u".7", 0.7},
    ParseCase{u"+.5", 0.5},
    ParseCase{u"1.5.3", 1.5},         // the second point ends the scan
    ParseCase{u"1D2", 100.0},         // D is an exponent letter too
    ParseCase{u"2e", 2.0},            // an exponent without digits is not taken
    ParseCase{u"3E+", 3.0},
    ParseCase{u"- 3", -3.0},
    ParseCase{u"-", 0.0},
    ParseCase{u"e5", 0.0},
    ParseCase{u"&H1F", 31.0},
    ParseCase{u"&h10", 16.0},
    ParseCase{u"&O17", 15.0},
    ParseCase{u"&O19", 1.0},          // 9 is not an octal digit
    ParseCase{u"6.4mm", 6.4},
    ParseCase{u"250.0nH/N2", 250.0},
    ParseCase{u"130℃", 130.0},
    ParseCase{u"1,5", 1.0}));         // no other decimal separator
// clang-format on

TEST(ParseNumber, OverflowGivesInfinityThatIsNeverWritten) {
    const double huge = parseNumber(u"1e400");
    EXPECT_TRUE(std::isinf(huge));
    EXPECT_FALSE(formatFixed(huge, 1).has_value());
    EXPECT_FALSE(formatPlain(huge).has_value());
}

struct FixedCase {
    double value;
    int decimals;
    const char* text;
};

class FormatFixedTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedTest, RoundsHalfAwayFromZero) {
    const std::optional<QString> text = formatFixed(GetParam().value, GetParam().decimals);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->toStdString(), GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Patterns, FormatFixedTest, ::testing::Values(
    FixedCase{109.3894, 1, "109.4"},
    FixedCase{2.0, 3, "2.000"},
    FixedCase{1000.0 / 30.0, 1, "33.3"},
    FixedCase{0.5, 2, "0.50"},
    FixedCase{2.675, 2, "2.68"},      // binary 2.67499999... rounds on its decimal form
    FixedCase{0.125, 2, "0.13"},
    FixedCase{1.005, 2, "1.01"},
    FixedCase{0.5, 0, "1"},
    FixedCase{1.5, 0, "2"},
    FixedCase{2.5, 0, "3"},           // away from zero, not to even
    FixedCase{-1.25, 1, "-1.3"},
    FixedCase{-0.04, 1, "0.0"},       // no "-0.0"
    FixedCase{-0.0, 2, "0.00"},
    FixedCase{9.995, 2, "10.00"},     // the carry adds a digit
    FixedCase{0.0004, 3, "0.000"},
    FixedCase{0.0005, 3, "0.001"},
    FixedCase{123456.789, 0, "123457"},
    FixedCase{1e20, 1, "100000000000000000000.0"},
    FixedCase{60.0 / 100.0 * 0.2, 2, "0.12"},
    FixedCase{1.0 / 3.0, 6, "0.333333"}));
// clang-format on

TEST(FormatFixed, RefusesNonFiniteValues) {
    EXPECT_FALSE(formatFixed(std::numeric_limits<double>::quiet_NaN(), 2).has_value());
    EXPECT_FALSE(formatFixed(-std::numeric_limits<double>::infinity(), 0).has_value());
}

struct PlainCase {
    double value;
    const char* text;
};

class FormatPlainTest : public ::testing::TestWithParam<PlainCase> {};

TEST_P(FormatPlainTest, WritesShortestTextUpTo15Digits) {
    const std::optional<QString> text = formatPlain(GetParam().value);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->toStdString(), GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Plain, FormatPlainTest, ::testing::Values(
    PlainCase{12.0, "12"},
    PlainCase{0.7 * 3.0, "2.1"},               // 2.0999999999999996 shown as 2.1
    PlainCase{100.0 / 3.0, "33.3333333333333"},
    PlainCase{50.0 / 0.85, "58.8235294117647"},
    PlainCase{0.0175, "0.0175"},
    PlainCase{52.5, "52.5"},
    PlainCase{-12.0, "-12"},
    PlainCase{-0.0, "0"},
    PlainCase{0.1 + 0.2, "0.3"},
    PlainCase{12500.0 * 1.5, "18750"},
    PlainCase{123456789012345.0, "123456789012345"},
    PlainCase{0.000001, "0.000001"},
    PlainCase{1e15, "1E+15"},
    PlainCase{-2.5e-16, "-2.5E-16"}));
// clang-format on

TEST(FormatPlain, RefusesNonFiniteValues) {
    EXPECT_FALSE(formatPlain(std::numeric_limits<double>::infinity()).has_value());
}

TEST(FormatTextFixed, ReformatsOnlyWholeNumbers) {
    EXPECT_EQ(formatTextFixed(QStringLiteral("58.8235294117647"), 1), u"58.8");
    EXPECT_EQ(formatTextFixed(QStringLiteral(" 60 "), 1), u"60.0");
    EXPECT_EQ(formatTextFixed(QStringLiteral("12V"), 1), u"12V");
    EXPECT_EQ(formatTextFixed(QStringLiteral("abc"), 1), u"abc");
    EXPECT_EQ(formatTextFixed(QString(), 1), u"");
}

}  // namespace
}  // namespace kelvane
