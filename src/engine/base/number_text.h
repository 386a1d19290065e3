#pragma once

#include <QString>
#include <QStringView>

#include <cmath>
#include <iterator>
#include <optional>

namespace kelvane {

// isBlank() — the blanks of number texts and search texts: space, tab, CR
// and LF, nothing else. The full-width space U+3000 that Chinese input
// methods type is not a blank: a text that begins with it reads as 0 and is
// no strict number.
[[nodiscard]] bool isBlank(QChar c) noexcept;

// trimBlanks() — the text less its leading and trailing blanks.
[[nodiscard]] QString trimBlanks(QStringView text);

// parseNumber() — the leading number of a field's text.
// Blanks are skipped wherever they stand; then an optional sign, digits, one
// ".", and an exponent "E" or "D" with optional sign and digits. The first
// character that cannot continue the number ends the scan ("12V" gives 12,
// "1.5.3" gives 1.5, "1 2" gives 12). "&H" and "&O" read a hexadecimal or
// octal integer. Text that does not begin with a number gives 0. Never
// fails; a value beyond the double range gives ±infinity, which every
// formatter below refuses to write, one below it gives 0. "." is the only
// decimal separator whatever the process locale.
[[nodiscard]] double parseNumber(QStringView text) noexcept;

// isStrictNumber() — whether the whole text, less surrounding blanks, is one
// number: a decimal number (sign, digits, point, exponent) or an "&H"/"&O"
// integer with at least one digit. Used where a text is converted strictly
// rather than by its leading number.
[[nodiscard]] bool isStrictNumber(QStringView text) noexcept;

// strictNumberOr0() — the value of a strict number text, otherwise 0.
[[nodiscard]] double strictNumberOr0(QStringView text) noexcept;

// formatFixed() — the value with exactly `decimals` decimals ("0", "0.0",
// "0.00", ...), at least one integer digit, "." as separator, rounded half
// away from zero. The rounding works on the value's 15-significant-digit
// decimal form, so 2.675 with two decimals gives 2.68 and 0.125 gives 0.13.
// A negative value that rounds to zero is written without sign. No value for
// a non-finite number.
[[nodiscard]] std::optional<QString> formatFixed(double value, int decimals);

// formatPlain() — plain number text: the shortest decimal text with up to 15
// significant digits, no trailing zeros or point, a leading zero before the
// point (12, 2.1, 33.3333333333333, 0.0175), never an exponent
// (5E20 is 500000000000000000000, 2.5E-16 is 0.00000000000000025). Zero is
// "0", never "-0". No value for a non-finite number.
[[nodiscard]] std::optional<QString> formatPlain(double value);

// roundFixed() — the value formatFixed() writes, read back: exactly
// parseNumber(*formatFixed(value, decimals)), without the text for the
// common case. No value for a non-finite number. roundFixedByText() goes
// through the text, for the values near a half or beyond 1e9.
[[nodiscard]] std::optional<double> roundFixedByText(double value, int decimals);
[[nodiscard]] inline std::optional<double> roundFixed(double value, int decimals) {
    // Rounding the 15-digit form half away from zero equals rounding the
    // value to nearest whenever the scaled value lies clearly off a half:
    // the 15-digit form and the scaling move it by less than 6e-15 of
    // itself, under 1e-5 below 1e9. k ÷ 10^decimals then is the double
    // nearest the decimal text, as reading it gives.
    constexpr double kPowers[] = {1.0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    if (decimals >= 0 && decimals < int(std::size(kPowers))) {
        const double power = kPowers[decimals];
        const double scaled = std::fabs(value) * power;
        if (scaled < 1e9) {
            const double whole = std::floor(scaled);
            const double fraction = scaled - whole;
            if (std::fabs(fraction - 0.5) > 1e-5) {
                const double k = fraction > 0.5 ? whole + 1.0 : whole;
                if (k == 0.0) {
                    return 0.0;
                }
                return value < 0 ? -(k / power) : k / power;
            }
        }
    }
    return roundFixedByText(value, decimals);
}

// roundPlain() — the value formatPlain() writes, read back: exactly
// parseNumber(*formatPlain(value)). No value for a non-finite number.
[[nodiscard]] std::optional<double> roundPlain(double value);

// formatTextFixed() — a text that is a strict number reformatted with
// `decimals` decimals; any other text (empty, "abc", "12V") unchanged.
[[nodiscard]] QString formatTextFixed(const QString& text, int decimals);

}  // namespace kelvane
