#include "engine/base/number_text.h"

#include "../table_rows.h"

#include <gtest/gtest.h>

#include <QMap>

#include <bit>
#include <charconv>
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
// table of number texts would not show that the conversions ignore the locale.
TEST(NumberLocale, TestsRunWithACommaAsDecimalSeparator) {
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_STRNE(std::setlocale(LC_NUMERIC, nullptr), "C");
}

// A text of data/number_texts.tsv with its escapes \t \r \n \uXXXX undone.
QString unescaped(const QString& text) {
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            result += text[i];
        } else if (const QChar c = text[++i]; c == u'u') {
            result += QChar(text.mid(i + 1, 4).toUShort(nullptr, 16));
            i += 4;
        } else {
            result += c == u't' ? u'\t' : c == u'r' ? u'\r' : c == u'n' ? u'\n' : c;
        }
    }
    return result;
}

// A value of the table, read exactly and without the process locale.
double valueOf(const QString& text) {
    const std::string digits = text.toStdString();
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    EXPECT_TRUE(error == std::errc() && end == digits.data() + digits.size()) << digits;
    return value;
}

// Every row of data/number_texts.tsv: kind, input, result.
TEST(NumberTexts, EveryRowOfTheTable) {
    QMap<QString, int> rows;
    for (const tables::TableRow& row : tables::tableRows("number_texts.tsv")) {
        const QStringList& columns = row.columns;
        SCOPED_TRACE(row.trace());
        ASSERT_GE(columns.size(), 3);
        const QString& kind = columns[0];
        const QString input = unescaped(columns[1]);
        const QString& result = columns[2];
        ++rows[kind];
        if (kind == u"parse") {
            EXPECT_DOUBLE_EQ(parseNumber(input), valueOf(result));
        } else if (kind == u"fixed") {
            const QStringList words = input.split(u' ');
            ASSERT_EQ(words.size(), 2);
            EXPECT_EQ(formatFixed(valueOf(words[0]), words[1].toInt())
                          .value_or(QStringLiteral("-"))
                          .toStdString(),
                      result.toStdString());
        } else if (kind == u"plain") {
            EXPECT_EQ(formatPlain(valueOf(input)).value_or(QStringLiteral("-")).toStdString(),
                      result.toStdString());
        } else {
            ASSERT_EQ(kind, u"strict");
            EXPECT_EQ(isStrictNumber(input), result == u"yes");
        }
    }
    EXPECT_EQ(rows.keys(), (QStringList{"fixed", "parse", "plain", "strict"}));
}

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

TEST(FormatFixed, RefusesNonFiniteValues) {
    EXPECT_FALSE(formatFixed(std::numeric_limits<double>::quiet_NaN(), 2).has_value());
    EXPECT_FALSE(formatFixed(-std::numeric_limits<double>::infinity(), 0).has_value());
}

TEST(FormatPlain, RefusesNonFiniteValues) {
    EXPECT_FALSE(formatPlain(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_FALSE(formatPlain(std::numeric_limits<double>::quiet_NaN()).has_value());
}

TEST(FormatPlain, WritesTheWholeDoubleRangeWithoutExponent) {
    const std::optional<QString> largest = formatPlain(std::numeric_limits<double>::max());
    ASSERT_TRUE(largest.has_value());
    // Rounded up to 15 digits the largest double would read back as
    // infinity; it is written one step lower.
    EXPECT_EQ(largest->toStdString(), "179769313486231" + std::string(294, '0'));
    EXPECT_TRUE(std::isfinite(parseNumber(*largest)));
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
