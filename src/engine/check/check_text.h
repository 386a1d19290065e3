#pragma once

#include <QString>

namespace kelvane::check {

// significantText() — a value with three significant digits in plain
// decimal, as the check's VALUE texts show it: rounded as std::to_chars
// writes it in scientific form with two decimals (correctly rounded), then
// written without exponent and with the digits kept ("0.506", "2.30",
// "164", "1640"; 1e-4 is "0.000100"). Zero, and a value that rounds to
// zero, is "0", never "-0". A value that is not finite gives "—" (the
// check shows no such value; its formulas may meet one).
[[nodiscard]] QString significantText(double value);
void appendSignificant(QString& text, double value);

// plainText() — a value with the shortest digits that read back to it, in
// plain decimal ("40", "0.0175", "1.2"): the inputs of a formula as given.
// Zero is "0"; not finite gives "—".
[[nodiscard]] QString plainText(double value);
void appendPlain(QString& text, double value);

}  // namespace kelvane::check
