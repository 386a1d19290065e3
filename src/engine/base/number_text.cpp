#include "engine/base/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

// Every conversion between numbers and text goes through std::from_chars and
// std::to_chars, which ignore the process locale: a German LC_NUMERIC, set
// by QCoreApplication from the environment, must not turn "1.5" into 1.

namespace kelvane {
namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

int radixDigit(QChar c, int radix) {
    int digit = -1;
    if (isDigit(c)) {
        digit = c.unicode() - u'0';
    } else if (c >= u'A' && c <= u'F') {
        digit = c.unicode() - u'A' + 10;
    } else if (c >= u'a' && c <= u'f') {
        digit = c.unicode() - u'a' + 10;
    }
    return digit < radix ? digit : -1;
}

// The radix of an "&H" or "&O" prefix at the start of `s`, otherwise 0.
int radixOfPrefix(QStringView s) {
    if (s.size() < 2 || s[0] != u'&') {
        return 0;
    }
    if (s[1] == u'H' || s[1] == u'h') {
        return 16;
    }
    if (s[1] == u'O' || s[1] == u'o') {
        return 8;
    }
    return 0;
}

// Length of the leading run of digits of `radix` in `digits`.
qsizetype radixDigitCount(QStringView digits, int radix) {
    qsizetype count = 0;
    while (count < digits.size() && radixDigit(digits[count], radix) >= 0) {
        ++count;
    }
    return count;
}

double parseRadixInteger(QStringView digits, int radix) {
    double value = 0.0;
    const qsizetype count = radixDigitCount(digits, radix);
    for (qsizetype i = 0; i < count; ++i) {
        value = value * radix + radixDigit(digits[i], radix);
    }
    return value;
}

// The text with every blank removed: blanks are skipped anywhere.
QString withoutBlanks(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (!isBlank(c)) {
            out.append(c);
        }
    }
    return out;
}

// The leading decimal number of a text: sign, mantissa ("12.5", ".5", "3.")
// and the value of its exponent part, held apart so that a value beyond the
// double range can be told from one below it.
struct DecimalText {
    qsizetype length = 0;  // 0: the text does not begin with a number
    bool negative = false;
    std::string mantissa;
    long exponent = 0;
};

DecimalText scanDecimal(QStringView s) {
    DecimalText number;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        number.negative = s[i] == u'-';
        ++i;
    }
    bool sawDigit = false;
    while (i < s.size() && isDigit(s[i])) {
        number.mantissa.push_back(char(s[i].unicode()));
        sawDigit = true;
        ++i;
    }
    if (i < s.size() && s[i] == u'.') {
        number.mantissa.push_back('.');
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            number.mantissa.push_back(char(s[i].unicode()));
            sawDigit = true;
            ++i;
        }
    }
    if (!sawDigit) {
        return {};
    }
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e' || s[i] == u'D' || s[i] == u'd')) {
        qsizetype j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) {
            negativeExponent = s[j] == u'-';
            ++j;
        }
        // Any exponent beyond this bound is out of the double range anyway.
        constexpr long kExponentBound = 100000;
        long exponent = 0;
        const qsizetype firstExponentDigit = j;
        while (j < s.size() && isDigit(s[j])) {
            exponent = std::min(kExponentBound, exponent * 10 + (s[j].unicode() - u'0'));
            ++j;
        }
        if (j > firstExponentDigit) {
            number.exponent = negativeExponent ? -exponent : exponent;
            i = j;
        }
    }
    number.length = i;
    return number;
}

// Decimal exponent of the first significant digit of a mantissa ("120" 2,
// "0.05" -2); the mantissa has at least one non-zero digit.
long leadingDigitExponent(const std::string& mantissa) {
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t first = mantissa.find_first_not_of("0.");
    return first < point ? long(point - first) - 1 : -long(first - point);
}

double decimalValue(const DecimalText& number) {
    char exponent[16];
    const char* exponentEnd =
        std::to_chars(exponent, exponent + sizeof exponent, number.exponent).ptr;
    const std::string text =
        number.mantissa + 'e' + std::string(exponent, size_t(exponentEnd - exponent));
    double value = 0.0;
    const std::from_chars_result result =
        std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = leadingDigitExponent(number.mantissa) + number.exponent > 0
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    }
    return number.negative ? -value : value;
}

// A non-negative finite value rounded to 15 significant digits: the digits
// d0 d1 ... d14 and the decimal exponent of d0.
struct Significand {
    std::string digits;
    int exponent = 0;
};

// The largest magnitude whose 15-digit text still reads back as a finite
// double: the largest doubles round up to 1.79769313486232E+308, beyond the
// range, so they are written as this.
constexpr double kLargestWritable = 1.79769313486231e308;

Significand significand15(double magnitude) {
    magnitude = std::min(magnitude, kLargestWritable);
    char buffer[32];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    Significand out;
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (*p != '.') {
            out.digits.push_back(*p);
        }
    }
    ++p;  // 'e'
    const bool negative = *p == '-';
    ++p;  // sign
    std::from_chars(p, result.ptr, out.exponent);
    if (negative) {
        out.exponent = -out.exponent;
    }
    return out;
}

}  // namespace

bool isBlank(QChar c) noexcept {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

QString trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin).toString();
}

double parseNumber(QStringView text) noexcept {
    const QString s = withoutBlanks(text);
    if (s.size() >= 2 && s[0] == u'&') {
        const int radix = radixOfPrefix(s);
        return radix == 0 ? 0.0 : parseRadixInteger(QStringView(s).mid(2), radix);
    }
    const DecimalText number = scanDecimal(s);
    return number.length == 0 ? 0.0 : decimalValue(number);
}

bool isStrictNumber(QStringView text) noexcept {
    const QString s = trimBlanks(text);
    if (const int radix = radixOfPrefix(s); radix != 0) {
        const QStringView digits = QStringView(s).mid(2);
        return !digits.isEmpty() && radixDigitCount(digits, radix) == digits.size();
    }
    return !s.isEmpty() && scanDecimal(s).length == s.size();
}

double strictNumberOr0(QStringView text) noexcept {
    return isStrictNumber(text) ? parseNumber(text) : 0.0;
}

std::optional<QString> formatFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const Significand significand = significand15(std::fabs(value));
    const std::string& digits = significand.digits;
    // Digits of |value| × 10^decimals before the point: those of the
    // significand up to position exponent + decimals.
    const int keep = significand.exponent + 1 + decimals;
    std::string scaled;
    bool roundUp = false;
    if (keep == 0) {
        roundUp = digits[0] >= '5';
    } else if (keep > 0) {
        for (int i = 0; i < keep; ++i) {
            scaled.push_back(i < int(digits.size()) ? digits[size_t(i)] : '0');
        }
        roundUp = keep < int(digits.size()) && digits[size_t(keep)] >= '5';
    }
    if (scaled.empty()) {
        scaled.push_back('0');
    }
    if (roundUp) {
        int i = int(scaled.size()) - 1;
        for (; i >= 0; --i) {
            if (scaled[size_t(i)] == '9') {
                scaled[size_t(i)] = '0';
            } else {
                ++scaled[size_t(i)];
                break;
            }
        }
        if (i < 0) {
            scaled.insert(scaled.begin(), '1');
        }
    }
    if (int(scaled.size()) < decimals + 1) {
        scaled.insert(0, size_t(decimals + 1) - scaled.size(), '0');
    }
    std::string text = scaled.substr(0, scaled.size() - size_t(decimals));
    const size_t firstNonZero = text.find_first_not_of('0');
    text = firstNonZero == std::string::npos ? "0" : text.substr(firstNonZero);
    if (decimals > 0) {
        text += '.';
        text += scaled.substr(scaled.size() - size_t(decimals));
    }
    const bool allZero = scaled.find_first_not_of('0') == std::string::npos;
    if (value < 0 && !allZero) {
        text.insert(text.begin(), '-');
    }
    return QString::fromStdString(text);
}

std::optional<QString> formatPlain(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    if (value == 0.0) {
        return QStringLiteral("0");
    }
    Significand significand = significand15(std::fabs(value));
    std::string& digits = significand.digits;
    digits.erase(digits.find_last_not_of('0') + 1);
    const int exponent = significand.exponent;
    const int count = int(digits.size());
    std::string text;
    if (exponent < 0) {
        text = "0." + std::string(size_t(-exponent - 1), '0') + digits;
    } else if (exponent + 1 >= count) {
        text = digits + std::string(size_t(exponent + 1 - count), '0');
    } else {
        const auto integerDigits = size_t(exponent) + 1;
        text = digits.substr(0, integerDigits) + '.' + digits.substr(integerDigits);
    }
    if (value < 0) {
        text.insert(text.begin(), '-');
    }
    return QString::fromStdString(text);
}

std::optional<double> roundFixedByText(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return parseNumber(*formatFixed(value, decimals));
}

std::optional<double> roundPlain(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double magnitude = std::fabs(value);
    // A whole number of at most 15 digits is written in full.
    if (magnitude < 1e15 && magnitude == std::trunc(magnitude)) {
        return magnitude == 0.0 ? 0.0 : value;
    }
    // The double nearest a decimal of at most 15 digits reads back from its
    // 15-digit form as itself: so the nearest double to k millionths, k of at
    // most nine digits.
    if (magnitude < 1e3) {
        const double millionths = std::nearbyint(magnitude * 1e6);
        if (millionths / 1e6 == magnitude) {
            return value;
        }
    }
    // The same 15 digits in scientific form read back to the same double
    // (the largest doubles are written as the largest that reads back).
    char buffer[32];
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof buffer, std::min(magnitude, kLargestWritable),
                      std::chars_format::scientific, 14);
    double rounded = 0.0;
    if (std::from_chars(buffer, written.ptr, rounded).ec == std::errc::result_out_of_range) {
        rounded = magnitude > 1.0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return value < 0 ? -rounded : rounded;
}

QString formatTextFixed(const QString& text, int decimals) {
    if (!isStrictNumber(text)) {
        return text;
    }
    return formatFixed(parseNumber(text), decimals).value_or(text);
}

}  // namespace kelvane
