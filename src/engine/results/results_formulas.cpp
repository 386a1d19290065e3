#include "engine/results/results_formulas.h"

#include "engine/base/conductor_formulas.h"
#include "engine/base/number_text.h"
#include "engine/base/single_precision.h"

#include <cmath>

namespace kelvane::results {

std::optional<QString> turnsFromVoltSeconds(double volts, double onTimeUs, double fluxDensityMt,
                                            double aeMm2) {
    const std::optional<double> turns = turnsValue(volts, onTimeUs, fluxDensityMt, aeMm2);
    return turns ? formatPlain(*turns) : std::nullopt;
}

std::optional<double> turnsValue(double volts, double onTimeUs, double fluxDensityMt,
                                 double aeMm2) {
    const float u = toSingle(volts);
    const float ton = toSingle(onTimeUs);
    const double bm = toSingle(fluxDensityMt);
    const double ae = toSingle(aeMm2);
    if (!(bm > 0.0 && ae > 0.0)) {
        return std::nullopt;
    }
    // The volt-seconds stay a single-precision product: 12.3 × 2.5 is then
    // exactly 30.75, and 30.75 ÷ 1.5 a tie that goes to 20.
    const float voltSeconds = u * ton;
    return std::nearbyint(voltSeconds / (bm * 0.001 * ae));  // ties to even
}

std::optional<QString> wireDiameterFromCurrent(double amps, double currentDensityAPerMm2) {
    if (currentDensityAPerMm2 == 0.0) {
        return std::nullopt;
    }
    return formatFixed(1.13 * std::pow(amps / currentDensityAPerMm2, 0.5), 2);
}

QString absProduct(const QString& a, const QString& b) {
    const std::optional<double> product = absProductValue(parseNumber(a), parseNumber(b));
    return product ? formatPlain(*product).value_or(QString()) : QString();
}

std::optional<double> absProductValue(double a, double b) {
    const std::optional<double> rounded = roundFixed(a * b, 3);
    return rounded ? std::optional<double>(std::fabs(*rounded)) : std::nullopt;
}

std::optional<QString> standardInductanceFactor(double permeability, double aeMm2, double leMm) {
    if (!(leMm > 0.0)) {
        return std::nullopt;
    }
    return formatPlain(std::trunc(permeability * 1.257 * aeMm2 / leMm));
}

std::optional<QString> temperatureRise(const QString& awMm2, const QString& lossW) {
    const std::optional<double> rise = temperatureRiseValue(parseNumber(awMm2), parseNumber(lossW));
    return rise ? formatFixed(*rise, 1) : std::nullopt;
}

std::optional<double> temperatureRiseValue(double awMm2, double lossW) {
    return WindowRise(awMm2).of(lossW);
}

WindingConductor windingConductor(const QString& turns, const QString& diameter,
                                  const QString& amps, double turnLengthMm) {
    const double d = parseNumber(diameter);
    const double n = parseNumber(turns);
    WindingConductor conductor;
    conductor.resistance =
        wireResistance(d, n, turnLengthMm, kCopperResistivity).value_or(QString());
    conductor.drop = absProduct(amps, conductor.resistance);
    conductor.loss = absProduct(conductor.drop, amps);
    conductor.weight = wireWeight(d, n, turnLengthMm, kCopperDensity).value_or(QString());
    return conductor;
}

void addFillTerm(QString& fillFactor, const QString& turns, const QString& diameter, double awMm2) {
    const double area = parseNumber(wireArea(parseNumber(diameter)).value_or(QString()));
    if (const std::optional<QString> next =
            formatFixed(fillSum(parseNumber(fillFactor), parseNumber(turns), area, awMm2), 2)) {
        fillFactor = *next;
    }
}

double fillSum(double fillFactor, double turns, double wireAreaMm2, double awMm2) {
    return fillFactor + 1.2 * turns * wireAreaMm2 / awMm2;
}

std::optional<int> fillFactorColour(double fillFactor, const ChosenStandards& standards) {
    std::optional<int> colour;
    for (int i = 0; i < kFillStandardCount; ++i) {
        if (standards[i]) {
            colour = fillFactor < kFillLimits[i] ? sheet::kGreen : sheet::kRed;
        }
    }
    return colour;
}

std::optional<QString> inductanceFactorText(double primaryInductanceMh, double primaryTurns) {
    const std::optional<double> al = inductanceFactorValue(primaryInductanceMh, primaryTurns);
    return al ? formatFixed(*al, 1) : std::nullopt;
}

std::optional<double> inductanceFactorValue(double primaryInductanceMh, double primaryTurns) {
    if (!(primaryTurns > 0.0)) {
        return std::nullopt;
    }
    return primaryInductanceMh * 1e6 / (primaryTurns * primaryTurns);
}

std::optional<QString> effectivePermeabilityText(double alNh, double leMm, double aeMm2) {
    const std::optional<double> ue = effectivePermeabilityValue(alNh, leMm, aeMm2);
    return ue ? formatPlain(*ue) : std::nullopt;
}

std::optional<double> effectivePermeabilityValue(double alNh, double leMm, double aeMm2) {
    if (!(aeMm2 > 0.0)) {
        return std::nullopt;
    }
    return std::trunc(alNh * leMm / aeMm2 / 1.257);
}

std::optional<QString> airGapText(double permeability, double effectivePermeability, double leMm) {
    const std::optional<double> gap = airGapValue(permeability, effectivePermeability, leMm);
    return gap ? formatFixed(*gap, 3) : std::nullopt;
}

std::optional<double> airGapValue(double permeability, double effectivePermeability, double leMm) {
    if (!(permeability * effectivePermeability > 0.0)) {
        return std::nullopt;
    }
    return (permeability - effectivePermeability) * leMm / (effectivePermeability * permeability);
}

}  // namespace kelvane::results
