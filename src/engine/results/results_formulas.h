#pragma once

#include <QString>

#include <optional>

namespace kelvane::results {

// turnsFromVoltSeconds() — turns of a winding, U × Ton ÷ (Bm × 0.001 × Ae),
// with U (V), Ton (µs), Bm (mT) and Ae (mm²) reduced to single precision,
// rounded to a whole number with ties to even (24.5 gives 24, 25.5 gives 26).
// No value unless Bm > 0 and Ae > 0.
[[nodiscard]] std::optional<QString> turnsFromVoltSeconds(double volts, double onTimeUs,
                                                          double fluxDensityMt, double aeMm2);

// wireDiameterFromCurrent() — 1.13 × (I ÷ J)^0.5 in mm, "0.00". No value
// for J = 0 or a negative quotient.
[[nodiscard]] std::optional<QString> wireDiameterFromCurrent(double amps,
                                                             double currentDensityAPerMm2);

// absProduct() — |a × b| of two texts' leading numbers, the product first
// rounded to three decimals; written as plain number text (0.250 is 0.25).
[[nodiscard]] QString absProduct(const QString& a, const QString& b);

// standardInductanceFactor() — AL of the ungapped core in nH/N²,
// u × 1.257 × Ae ÷ Le truncated toward zero. No value unless Le > 0.
[[nodiscard]] std::optional<QString> standardInductanceFactor(double permeability, double aeMm2,
                                                              double leMm);

// temperatureRise() — 800 ÷ (Aw × 22 × 0.01) × P in ℃, "0.0", from the
// window area text (mm²) and the loss text (W). No value unless
// Aw × 22 × 0.01 × P > 0.
[[nodiscard]] std::optional<QString> temperatureRise(const QString& awMm2, const QString& lossW);

}  // namespace kelvane::results
