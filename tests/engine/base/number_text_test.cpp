#include "engine/base/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace kelvane {
namespace {

// The test main puts the process under a German locale; without it the
// tables below would not show that the conversions ignore the locale.
TEST(NumberLocale, TestsRunWithACommaAsDecimalSeparator) {
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_STRNE(std::setlocale(LC_NUMERIC, nullptr), "C");
}

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
    ParseCase{u"1,5", 1.0},           // no other decimal separator
    ParseCase{u"\r\n7\r\n", 7.0},
    ParseCase{u"\u300070", 0.0},       // a full-width space is no blank
    ParseCase{u"7\u30000", 7.0},
    ParseCase{u"\u00a05", 0.0},        // nor is a no-break space
    ParseCase{u"5E20", 5e20},
    ParseCase{u"-2.5e-16", -2.5e-16},
    ParseCase{u"1e-400", 0.0},        // below the double range
    ParseCase{u"0e999999999999", 0.0},
    ParseCase{u"0.0004e-320", 4e-324},  // the smallest subnormal
    ParseCase{u"&H", 0.0},
    ParseCase{u"&X12", 0.0}));
// clang-format on

TEST(ParseNumber, OverflowGivesInfinityThatIsNeverWritten) {
    // The digits before and after the point count with the exponent.
    for (const char16_t* text : {u"1e400", u"-1e400", u"12345e305", u"1e99999999999999999999",
                                 u"100000000000000000000e300", u"0.000000000000000000001e330"}) {
        const double huge = parseNumber(text);
        EXPECT_TRUE(std::isinf(huge)) << QString::fromUtf16(text).toStdString();
        EXPECT_EQ(huge < 0, text[0] == u'-');
        EXPECT_FALSE(formatFixed(huge, 1).has_value());
        EXPECT_FALSE(formatPlain(huge).has_value());
    }
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
    FixedCase{1.0 / 3.0, 6, "0.333333"},
    FixedCase{5e20, 0, "500000000000000000000"},
    FixedCase{1.2345678901234567e20, 2, "123456789012346000000.00"},  // 15 digits
    FixedCase{2.5e-16, 1, "0.0"},
    FixedCase{-1e-20, 3, "0.000"}));
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
    PlainCase{1e15, "1000000000000000"},       // never an exponent
    PlainCase{-2.5e-16, "-0.00000000000000025"},
    PlainCase{5e20, "500000000000000000000"},
    PlainCase{1e-20, "0.00000000000000000001"},
    PlainCase{1.2345678901234567e20, "123456789012346000000"},
    PlainCase{999999999999999.875, "1000000000000000"},  // the rounding carries
    PlainCase{1e-10 / 3.0, "0.0000000000333333333333333"}));
// clang-format on

TEST(FormatPlain, RefusesNonFiniteValues) {
    EXPECT_FALSE(formatPlain(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_FALSE(formatPlain(std::numeric_limits<double>::quiet_NaN()).has_value());
}

TEST(FormatPlain, WritesTheWholeDoubleRangeWithoutExponent) {
    const std::optional<QString> largest = formatPlain(std::numeric_limits<double>::max());
    ASSERT_TRUE(largest.has_value());
    EXPECT_EQ(largest->toStdString(), "179769313486232" + std::string(294, '0'));
    const std::optional<QString> smallest = formatPlain(-std::numeric_limits<double>::denorm_min());
    ASSERT_TRUE(smallest.has_value());
    EXPECT_EQ(smallest->toStdString(), "-0." + std::string(323, '0') + "494065645841247");
}

// Plain text is read back as the number it shows, however long it is.
TEST(FormatPlain, TextReadsBackAsTheSameNumber) {
    for (double value :
         {5e20, -1e-20, 1.7e-308, 6.02214076e23, -9.87654321e-50, 1e300 / 7.0, 1.5e308}) {
        const std::optional<QString> text = formatPlain(value);
        ASSERT_TRUE(text.has_value());
        EXPECT_FALSE(text->contains(u'E') || text->contains(u'e')) << text->toStdString();
        EXPECT_EQ(formatPlain(parseNumber(*text)), text) << text->toStdString();
        EXPECT_NEAR(parseNumber(*text) / value, 1.0, 1e-14) << text->toStdString();
    }
}

struct StrictCase {
    const char16_t* text;
    bool strict;
};

class StrictNumberTest : public ::testing::TestWithParam<StrictCase> {};

// The strict check knows the same blanks and the same "&H"/"&O" integers as
// parseNumber().
TEST_P(StrictNumberTest, AcceptsOneWholeNumberBetweenBlanks) {
    const QString text = QString::fromUtf16(GetParam().text);
    EXPECT_EQ(isStrictNumber(text), GetParam().strict) << text.toStdString();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, StrictNumberTest, ::testing::Values(
    StrictCase{u"60", true},
    StrictCase{u" 60 ", true},
    StrictCase{u"\t-6.5e1\r\n", true},
    StrictCase{u".5", true},
    StrictCase{u"1D3", true},
    StrictCase{u"&H10", true},
    StrictCase{u"&h1f", true},
    StrictCase{u" &O17 ", true},
    StrictCase{u"&O18", false},           // 8 is not an octal digit
    StrictCase{u"&H", false},
    StrictCase{u"&HG", false},
    StrictCase{u"&H1.5", false},
    StrictCase{u"-&H1", false},
    StrictCase{u"\u300070", false},        // full-width space: no blank
    StrictCase{u"70\u3000", false},
    StrictCase{u"1 2", false},
    StrictCase{u"12V", false},
    StrictCase{u"2e", false},
    StrictCase{u"1,5", false},
    StrictCase{u"", false},
    StrictCase{u" \t", false},
    StrictCase{u".", false},
    StrictCase{u"-", false}));
// clang-format on

TEST(TrimBlanks, RemovesOnlySpaceTabCrLf) {
    EXPECT_EQ(trimBlanks(u" \t\r\nee1 \r\n"), u"ee1");
    EXPECT_EQ(trimBlanks(u"\u3000ee1\u3000"), u"\u3000ee1\u3000");
    EXPECT_EQ(trimBlanks(u"\u00a0ee 1\u00a0"), u"\u00a0ee 1\u00a0");
    EXPECT_EQ(trimBlanks(u"  "), u"");
}

TEST(FormatTextFixed, ReformatsOnlyWholeNumbers) {
    EXPECT_EQ(formatTextFixed(QStringLiteral("58.8235294117647"), 1), u"58.8");
    EXPECT_EQ(formatTextFixed(QStringLiteral(" 60 "), 1), u"60.0");
    EXPECT_EQ(formatTextFixed(QStringLiteral("12V"), 1), u"12V");
    EXPECT_EQ(formatTextFixed(QStringLiteral("abc"), 1), u"abc");
    EXPECT_EQ(formatTextFixed(QString(), 1), u"");
    EXPECT_EQ(formatTextFixed(QStringLiteral("&H10"), 1), u"16.0");
    EXPECT_EQ(formatTextFixed(QStringLiteral("&o17"), 2), u"15.00");
    EXPECT_EQ(formatTextFixed(QStringLiteral("\t70\r\n"), 1), u"70.0");
    EXPECT_EQ(formatTextFixed(QStringLiteral("\u300070"), 1), u"\u300070");
    EXPECT_EQ(formatTextFixed(QStringLiteral("5E20"), 1), u"500000000000000000000.0");
}

// The values the numeric roundings are checked on: hand-picked edges, ties
// at every decimal place and their neighbours, scaled random numbers of
// both signs, and random bit patterns that reach the ends of the double
// range, subnormals, infinities and NaN.
std::vector<double> roundingProbes(int randomCount) {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.5,
                                  -0.5,
                                  2.675,
                                  0.125,
                                  -0.125,
                                  1.005,
                                  0.0004999999999999999,
                                  0.00049999999999999995,
                                  999999999.5,
                                  999999999.49999,
                                  1e9,
                                  1e15 - 1.0,
                                  1e15,
                                  1e15 + 2.0,
                                  123456789012345.6,
                                  9.999999999999995,
                                  std::numeric_limits<double>::max(),
                                  -std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> exponent(-14, 14);
    std::uniform_int_distribution<int> places(0, 9);
    std::uniform_int_distribution<std::int64_t> whole(0, 2000000000);
    for (int i = 0; i < randomCount; ++i) {
        const double sign = random() % 2 == 0 ? 1.0 : -1.0;
        switch (i % 4) {
            case 0:
                values.push_back(sign * unit(random) * std::pow(10.0, exponent(random)));
                break;
            case 1: {
                // A tie k.5 at some decimal place, as the nearest double has it.
                const double tie = (double(whole(random)) + 0.5) / std::pow(10.0, places(random));
                values.push_back(sign * tie);
                values.push_back(sign * std::nextafter(tie, 0.0));
                values.push_back(sign * std::nextafter(tie, 1e300));
                break;
            }
            case 2:
                values.push_back(sign * double(whole(random)) / std::pow(10.0, places(random)));
                break;
            default:
                values.push_back(std::bit_cast<double>(std::uint64_t(random())));
                break;
        }
    }
    return values;
}

bool sameDouble(std::optional<double> a, std::optional<double> b) {
    if (!a || !b) {
        return a.has_value() == b.has_value();
    }
    return std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b) ||
           (std::isnan(*a) && std::isnan(*b));
}

std::optional<double> readBack(const std::optional<QString>& text) {
    return text ? std::optional<double>(parseNumber(*text)) : std::nullopt;
}

// The numeric roundings give, to the bit and sign of zero, what the text
// they stand for reads back as.
TEST(RoundFixed, EqualsTheFormattedTextReadBack) {
    int mismatches = 0;
    for (const double value : roundingProbes(150000)) {
        for (const int decimals : {0, 1, 2, 3, 6, 9, 12}) {
            const std::optional<double> expected = readBack(formatFixed(value, decimals));
            if (!sameDouble(roundFixed(value, decimals), expected) && ++mismatches <= 5) {
                ADD_FAILURE() << "value " << value << " decimals " << decimals;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(RoundPlain, EqualsTheFormattedTextReadBack) {
    int mismatches = 0;
    for (const double value : roundingProbes(400000)) {
        if (!sameDouble(roundPlain(value), readBack(formatPlain(value))) && ++mismatches <= 5) {
            ADD_FAILURE() << "value " << value;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace kelvane
