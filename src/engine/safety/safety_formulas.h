#pragma once

#include <QString>

namespace kelvane::safety {

// creepageMm() — minimum creepage distance for a test voltage: 468.75 V of
// test voltage per millimetre.
[[nodiscard]] double creepageMm(double testVolts) noexcept;

// marginFactor() — the area-product margin of a safety standard name: VDE
// 2.0, IEC 1.8, UL 1.27, Self creepage/8·2 + 1 rounded to two decimals in
// single precision; any other text 0. The comparison is exact.
[[nodiscard]] double marginFactor(const QString& standard, double creepageMm);

}  // namespace kelvane::safety
