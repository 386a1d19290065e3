#include "engine/construction/construction_formulas.h"

#include <cmath>
#include <numbers>

namespace kelvane::construction {

namespace {

constexpr double kTolerance = 1e-9;
constexpr double kMu0 = 4e-7 * std::numbers::pi;

}  // namespace

int strandsFor(double diameterMm, double skinDepthMm) noexcept {
    if (!(skinDepthMm > 0.0) || !(diameterMm > 0.0) || !std::isfinite(diameterMm)) {
        return 1;
    }
    const double ratio = diameterMm / (2.0 * skinDepthMm);
    const double strands = std::ceil(ratio * ratio - kTolerance);
    return strands > 1.0 && strands < 1e6 ? int(strands) : 1;
}

double strandDiameterMm(double diameterMm, int strands) noexcept {
    if (strands <= 1) {
        return diameterMm;
    }
    return std::ceil(diameterMm / std::sqrt(double(strands)) * 100.0 - kTolerance) / 100.0;
}

std::optional<double> inductanceFactorNh(double inductanceMh, double turns) noexcept {
    if (!(inductanceMh > 0.0) || !(turns > 0.0)) {
        return std::nullopt;
    }
    const double al = inductanceMh * 1e6 / (turns * turns);
    return std::isfinite(al) ? std::optional(al) : std::nullopt;
}

Band toleranceBand(double nominal, int percent, int decimals) noexcept {
    const double scale = std::pow(10.0, decimals);
    const double low = nominal * (1.0 - percent / 100.0) * scale;
    const double high = nominal * (1.0 + percent / 100.0) * scale;
    return {std::ceil(low - kTolerance * std::fabs(low)) / scale,
            std::floor(high + kTolerance * std::fabs(high)) / scale};
}

int significantDecimals(double value) noexcept {
    if (!(std::fabs(value) > 0.0) || !std::isfinite(value)) {
        return 0;
    }
    return 2 - int(std::floor(std::log10(std::fabs(value))));
}

std::optional<double> leakageInductanceUh(double turns, double meanTurnMm, double breadthMm,
                                          const std::vector<LeakageSlab>& slabs) {
    if (!(turns > 0.0) || !(meanTurnMm > 0.0) || !(breadthMm > 0.0)) {
        return std::nullopt;
    }
    double integralMm = 0.0;
    for (const LeakageSlab& slab : slabs) {
        const double a = slab.mmfStart;
        const double b = slab.mmfEnd;
        integralMm += slab.depthMm * (a * a + a * b + b * b) / 3.0;
    }
    const double henry =
        kMu0 * turns * turns * (meanTurnMm * 1e-3) / (breadthMm * 1e-3) * (integralMm * 1e-3);
    return std::isfinite(henry) ? std::optional(henry * 1e6) : std::nullopt;
}

}  // namespace kelvane::construction
