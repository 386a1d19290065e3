#include "engine/check/check_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

namespace kelvane::check {
namespace {

// Writes the scientific form `chars` ("-1.64e+03", "5e-01") in plain
// decimal, keeping every digit of the mantissa.
void appendScientificAsPlain(QString& text, const char* begin, const char* end) {
    const char* p = begin;
    const bool negative = *p == '-';
    if (negative) {
        ++p;
    }
    char digits[32];
    int count = 0;
    while (p != end && *p != 'e') {
        if (*p != '.' && count < int(sizeof digits)) {
            digits[count++] = *p;
        }
        ++p;
    }
    // The exponent's sign and digits; to_chars writes no terminating zero.
    int exponent = 0;
    if (p != end) {
        ++p;
        const bool below = p != end && *p == '-';
        if (p != end && (*p == '-' || *p == '+')) {
            ++p;
        }
        for (; p != end; ++p) {
            exponent = exponent * 10 + (*p - '0');
        }
        exponent = below ? -exponent : exponent;
    }
    bool zero = true;
    for (int i = 0; i < count; ++i) {
        zero = zero && digits[i] == '0';
    }
    if (zero) {
        text += u'0';
        return;
    }
    // Written into a buffer first and appended once: a double's exponent
    // needs at most 324 zeros, its digits 17.
    char plain[352];
    int length = 0;
    const auto put = [&plain, &length](char c) { plain[length++] = c; };
    if (negative) {
        put('-');
    }
    if (exponent < 0) {
        put('0');
        put('.');
        for (int i = 0; i < -exponent - 1; ++i) {
            put('0');
        }
        for (int i = 0; i < count; ++i) {
            put(digits[i]);
        }
    } else {
        // Digits before the point: exponent + 1, padded with zeros.
        const int whole = exponent + 1;
        for (int i = 0; i < std::max(whole, count); ++i) {
            if (i == whole) {
                put('.');
            }
            put(i < count ? digits[i] : '0');
        }
    }
    text += QLatin1StringView(plain, length);
}

void appendScientific(QString& text, double value, std::optional<int> precision) {
    if (!std::isfinite(value)) {
        text += u'—';
        return;
    }
    char buffer[40];
    const std::to_chars_result written =
        precision
            ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                            *precision)
            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    if (written.ec != std::errc()) {
        text += u'—';
        return;
    }
    appendScientificAsPlain(text, buffer, written.ptr);
}

}  // namespace

void appendSignificant(QString& text, double value) {
    appendScientific(text, value, 2);
}

QString significantText(double value) {
    QString text;
    appendSignificant(text, value);
    return text;
}

void appendPlain(QString& text, double value) {
    appendScientific(text, value, std::nullopt);
}

QString plainText(double value) {
    QString text;
    appendPlain(text, value);
    return text;
}

}  // namespace kelvane::check
