#pragma once

#include "engine/sheet/design_sheet.h"

#include <QString>

#include <iterator>
#include <optional>

namespace kelvane::results {

// turnsFromVoltSeconds() — turns of a winding, U × Ton ÷ (Bm × 0.001 × Ae),
// with U (V), Ton (µs), Bm (mT) and Ae (mm²) reduced to single precision,
// rounded to a whole number with ties to even (24.5 gives 24, 25.5 gives 26).
// No value unless Bm > 0 and Ae > 0.
[[nodiscard]] std::optional<QString> turnsFromVoltSeconds(double volts, double onTimeUs,
                                                          double fluxDensityMt, double aeMm2);
// turnsValue() — the whole number turnsFromVoltSeconds() writes.
[[nodiscard]] std::optional<double> turnsValue(double volts, double onTimeUs, double fluxDensityMt,
                                               double aeMm2);

// wireDiameterFromCurrent() — 1.13 × (I ÷ J)^0.5 in mm, "0.00". No value
// for J = 0 or a negative quotient.
[[nodiscard]] std::optional<QString> wireDiameterFromCurrent(double amps,
                                                             double currentDensityAPerMm2);

// absProduct() — |a × b| of two texts' leading numbers, the product first
// rounded to three decimals; written as plain number text (0.250 is 0.25).
[[nodiscard]] QString absProduct(const QString& a, const QString& b);
// absProductValue() — the value absProduct() writes as plain text: |a × b|
// after rounding to three decimals. No value when the product is not finite.
[[nodiscard]] std::optional<double> absProductValue(double a, double b);

// standardInductanceFactor() — AL of the ungapped core in nH/N²,
// u × 1.257 × Ae ÷ Le truncated toward zero. No value unless Le > 0.
[[nodiscard]] std::optional<QString> standardInductanceFactor(double permeability, double aeMm2,
                                                              double leMm);

// temperatureRise() — 800 ÷ (Aw × 22 × 0.01) × P in ℃, "0.0", from the
// window area text (mm²) and the loss text (W). No value unless
// Aw × 22 × 0.01 × P > 0.
[[nodiscard]] std::optional<QString> temperatureRise(const QString& awMm2, const QString& lossW);
// temperatureRiseValue() — the rise temperatureRise() rounds, from numbers.
[[nodiscard]] std::optional<double> temperatureRiseValue(double awMm2, double lossW);
// The same rise for many losses through one window area, with the area's
// share worked out once.
class WindowRise {
public:
    explicit WindowRise(double awMm2) : m_area(awMm2 * 22.0 * 0.01), m_perWatt(800.0 / m_area) {}
    [[nodiscard]] std::optional<double> of(double lossW) const {
        if (!(m_area * lossW > 0.0)) {
            return std::nullopt;
        }
        return m_perWatt * lossW;
    }
    // The rise of one watt.
    [[nodiscard]] double perWatt() const { return m_perWatt; }

private:
    double m_area;
    double m_perWatt;
};

// The conductor of one winding row of MSwin from its turns and wire texts:
// resistance (turns × mean turn length of copper), drop |I × R|, copper
// loss |drop × I| and weight, each as the row shows it.
struct WindingConductor {
    QString resistance;
    QString drop;
    QString loss;
    QString weight;
};
[[nodiscard]] WindingConductor windingConductor(const QString& turns, const QString& diameter,
                                                const QString& amps, double turnLengthMm);

// addFillTerm() — the fill factor after one more winding:
// sum + 1.2 × turns × wire area ÷ Aw, "0.00"; a sum that is not finite keeps
// the text before it.
void addFillTerm(QString& fillFactor, const QString& turns, const QString& diameter, double awMm2);
// fillSum() — the sum addFillTerm() rounds, from numbers.
[[nodiscard]] double fillSum(double fillFactor, double turns, double wireAreaMm2, double awMm2);

// The safety standards whose fill-factor limits the results know, and
// those limits, in the same order.
inline constexpr sheet::Check kFillStandards[] = {sheet::Check::OptIEC, sheet::Check::OptVDE,
                                                  sheet::Check::OptUL, sheet::Check::OptSelf};
inline constexpr int kFillStandardCount = int(std::size(kFillStandards));
inline constexpr double kFillLimits[kFillStandardCount] = {0.15, 0.12, 0.25, 0.3};
// Which of kFillStandards are chosen.
using ChosenStandards = bool[kFillStandardCount];
// fillFactorColour() — sheet::kGreen below the limit of the chosen
// standard (the last chosen in the order above), else sheet::kRed; none
// when none is chosen.
[[nodiscard]] std::optional<int> fillFactorColour(double fillFactor,
                                                  const ChosenStandards& standards);

// inductanceFactorText() — AL = Lp × 10⁶ ÷ N1² in nH/N², "0.0". No value
// unless N1 > 0.
[[nodiscard]] std::optional<QString> inductanceFactorText(double primaryInductanceMh,
                                                          double primaryTurns);
// inductanceFactorValue() — the AL inductanceFactorText() rounds.
[[nodiscard]] std::optional<double> inductanceFactorValue(double primaryInductanceMh,
                                                          double primaryTurns);
// effectivePermeabilityText() — Ue = AL × Le ÷ Ae ÷ 1.257 truncated toward
// zero. No value unless Ae > 0.
[[nodiscard]] std::optional<QString> effectivePermeabilityText(double alNh, double leMm,
                                                               double aeMm2);
// effectivePermeabilityValue() — the Ue effectivePermeabilityText() writes.
[[nodiscard]] std::optional<double> effectivePermeabilityValue(double alNh, double leMm,
                                                               double aeMm2);
// airGapText() — (u − Ue) × Le ÷ (Ue × u) in mm, "0.000". No value unless
// u × Ue > 0.
[[nodiscard]] std::optional<QString> airGapText(double permeability, double effectivePermeability,
                                                double leMm);
// airGapValue() — the gap airGapText() rounds.
[[nodiscard]] std::optional<double> airGapValue(double permeability, double effectivePermeability,
                                                double leMm);

}  // namespace kelvane::results
