#include "base/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kelvane {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
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

double parseRadixInteger(QStringView digits, int radix) {
    double value = 0.0;
    for (QChar c : digits) {
        int digit = -1;
        if (isDigit(c)) {
            digit = c.unicode() - u'0';
        } else if (radix == 16 && c.toUpper() >= u'A' && c.toUpper() <= u'F') {
            digit = c.toUpper().unicode() - u'A' + 10;
        }
        if (digit < 0 || digit >= radix) {
            break;
        }
        value = value * radix + digit;
    }
    return value;
}

// Length of the longest prefix of `s` that forms a decimal number, and its
// text in C form (exponent letter "e"); 0 when no digit was seen.
qsizetype scanDecimal(const QString& s, std::string& cForm) {
    qsizetype i = 0;
    cForm.clear();
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        cForm.push_back(char(s[i].unicode()));
        ++i;
    }
    bool sawDigit = false;
    while (i < s.size() && isDigit(s[i])) {
        cForm.push_back(char(s[i].unicode()));
        sawDigit = true;
        ++i;
    }
    if (i < s.size() && s[i] == u'.') {
        cForm.push_back('.');
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            cForm.push_back(char(s[i].unicode()));
            sawDigit = true;
            ++i;
        }
    }
    if (!sawDigit) {
        return 0;
    }
    if (i < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) {
            exponent.push_back(char(s[j].unicode()));
            ++j;
        }
        bool expDigit = false;
        while (j < s.size() && isDigit(s[j])) {
            exponent.push_back(char(s[j].unicode()));
            expDigit = true;
            ++j;
        }
        if (expDigit) {
            cForm += exponent;
            i = j;
        }
    }
    return i;
}

// The largest magnitude whose 15-significant-digit text still reads back as
// a finite double; rounding DBL_MAX to 15 digits would overshoot the range.
constexpr double kLargestWritable = 1.79769313486231e308;

double withinWritableRange(double value) {
    return std::fabs(value) > kLargestWritable ? std::copysign(kLargestWritable, value) : value;
}

}  // namespace

double parseNumber(QStringView text) noexcept {
    const QString s = withoutBlanks(text);
    if (s.size() >= 2 && s[0] == u'&') {
        const QChar prefix = s[1].toUpper();
        if (prefix == u'H') {
            return parseRadixInteger(QStringView(s).mid(2), 16);
        }
        if (prefix == u'O') {
            return parseRadixInteger(QStringView(s).mid(2), 8);
        }
        return 0.0;
    }
    std::string cForm;
    if (scanDecimal(s, cForm) == 0) {
        return 0.0;
    }
    return std::strtod(cForm.c_str(), nullptr);
}

bool isStrictNumber(QStringView text) noexcept {
    const QString s = text.trimmed().toString();
    if (s.isEmpty()) {
        return false;
    }
    std::string cForm;
    return scanDecimal(s, cForm) == s.size();
}

double strictNumberOr0(QStringView text) noexcept {
    return isStrictNumber(text) ? parseNumber(text) : 0.0;
}

std::optional<QString> formatFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    value = withinWritableRange(value);
    // The 15 significant digits d0.d1...d14 and the decimal exponent.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (*p != '.') {
            digits.push_back(*p);
        }
    }
    const int exponent = std::atoi(p + 1);
    // Digits of |value| × 10^decimals before the point: those of the
    // mantissa up to position exponent + decimals.
    const int keep = exponent + 1 + decimals;
    std::string scaled;
    bool roundUp = false;
    if (keep < 0) {
        roundUp = false;
    } else if (keep == 0) {
        roundUp = digits[0] >= '5';
    } else {
        for (int i = 0; i < keep; ++i) {
            scaled.push_back(i < int(digits.size()) ? digits[size_t(i)] : '0');
        }
        roundUp = keep < int(digits.size()) && digits[size_t(keep)] >= '5';
    }
    if (scaled.empty()) {
        scaled = "0";
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
    value = withinWritableRange(value);
    // The notation follows the magnitude after rounding to 15 significant
    // digits: 999999999999999.9 is written 1E+15.
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.14E", value);
    const std::string scientific = buffer;
    const size_t e = scientific.find('E');
    const int roundedExponent = std::atoi(buffer + e + 1);
    if (roundedExponent >= 15 || roundedExponent < -15) {
        std::string mantissa = scientific.substr(0, e);
        std::string exponent = scientific.substr(e + 1);
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
        if (mantissa.back() == '.') {
            mantissa.pop_back();
        }
        const char sign = exponent[0];
        exponent.erase(0, 1);
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        if (exponent.size() < 2) {
            exponent.insert(0, "0");
        }
        return QString::fromStdString(mantissa + "E" + sign + exponent);
    }
    // Fixed notation with 15 significant digits, then trailing zeros dropped.
    const int decimals = std::max(0, 14 - roundedExponent);
    std::optional<QString> fixed = formatFixed(value, decimals);
    QString s = *fixed;
    if (s.contains(u'.')) {
        while (s.endsWith(u'0')) {
            s.chop(1);
        }
        if (s.endsWith(u'.')) {
            s.chop(1);
        }
    }
    if (s == u"-0") {
        s = QStringLiteral("0");
    }
    return s;
}

QString formatTextFixed(const QString& text, int decimals) {
    if (!isStrictNumber(text)) {
        return text;
    }
    return formatFixed(parseNumber(text), decimals).value_or(text);
}

}  // namespace kelvane
