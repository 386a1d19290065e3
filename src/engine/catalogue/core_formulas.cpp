#include "engine/catalogue/core_formulas.h"

#include "engine/base/number_text.h"

#include <cmath>

namespace kelvane::catalogue {
namespace {

struct Band {
    double upperKHz;  // the band holds F below (or up to) this limit
    double k;
    double x;
    double y;
};

struct LossClass {
    double uiLow;
    double uiHigh;
    bool inclusiveLimits;  // classes 5 to 7: exactly 20 kHz is the lower band
    Band bands[4];
    int bandCount;
};

constexpr double kOpen = 1e300;

// clang-format off
const LossClass kClasses[] = {
    {1125, 1875, false, {{500, 0.053, 1.6, 3.15}, {1000, 0.00113, 2.19, 3.1},
                         {kOpen, 1.77e-9, 4.13, 2.98}}, 3},
    {1725, 2875, false, {{100, 0.074, 1.43, 2.85}, {500, 0.036, 1.64, 2.68},
                         {kOpen, 0.014, 1.84, 2.28}}, 3},
    {2400, 3600, false, {{100, 0.158, 1.36, 2.86}, {500, 0.0434, 1.63, 2.62},
                         {kOpen, 7.36e-7, 3.47, 2.54}}, 3},
    {1875, 3125, false, {{10, 0.79, 1.06, 2.85}, {100, 0.0717, 1.72, 2.66},
                         {500, 0.0573, 1.66, 2.68}, {kOpen, 0.0126, 1.88, 2.29}}, 4},
    {4000, 6000, true, {{20, 0.245, 1.39, 2.5}, {kOpen, 0.00458, 2.42, 2.5}}, 2},
    {7000, 13000, true, {{20, 0.3, 1.26, 2.6}, {kOpen, 0.00382, 2.32, 2.62}}, 2},
    {10500, 19500, true, {{20, 0.148, 1.5, 2.25}, {kOpen, 0.135, 1.62, 2.15}}, 2},
};
// clang-format on

}  // namespace

std::optional<LossLaw> lossLaw(double initialPermeability, double frequencyKHz) {
    std::optional<LossLaw> law;
    for (const LossClass& lossClass : kClasses) {
        if (initialPermeability < lossClass.uiLow || initialPermeability > lossClass.uiHigh) {
            continue;
        }
        for (int b = 0; b < lossClass.bandCount; ++b) {
            const Band& band = lossClass.bands[b];
            const bool inBand = lossClass.inclusiveLimits ? frequencyKHz <= band.upperKHz
                                                          : frequencyKHz < band.upperKHz;
            if (inBand || b == lossClass.bandCount - 1) {
                law = LossLaw{band.k, band.x, band.y};
                break;
            }
        }
    }
    return law;
}

QString estimateLossDensity(double frequencyKHz, double fluxDensityMt, double initialPermeability) {
    // Ui outside every class leaves K, x and y at 0: the loss is 0.
    const LossLaw law = lossLaw(initialPermeability, frequencyKHz).value_or(LossLaw{0.0, 0.0, 0.0});
    const double loss =
        std::pow(frequencyKHz, law.x) * law.k * std::pow(fluxDensityMt * 0.01, law.y);
    return formatFixed(std::isfinite(loss) ? loss : 0.0, 1).value_or(QStringLiteral("0.0"));
}

bool hasLossClass(double initialPermeability) {
    for (const LossClass& lossClass : kClasses) {
        if (initialPermeability >= lossClass.uiLow && initialPermeability <= lossClass.uiHigh) {
            return true;
        }
    }
    return false;
}

std::optional<QString> proposedFluxDensityText(double saturationMt, double remanenceMt) {
    if (!(saturationMt > remanenceMt)) {
        return QString();
    }
    return formatFixed((saturationMt - remanenceMt) * 0.34, 0);
}

std::optional<QString> lossPerGramText(double lossDensity, double density) {
    if (density == 0.0) {
        return std::nullopt;
    }
    return formatFixed(lossDensity / density, 1);
}

std::optional<QString> coreVolumeText(double leMm, double aeMm2) {
    return formatFixed(leMm * aeMm2 * 0.001, 1);
}

std::optional<QString> coreWeightText(double density, double volumeCm3) {
    return formatPlain(coreWeight(density, volumeCm3));
}

double coreWeight(double density, double volumeCm3) {
    return density * volumeCm3;
}

std::optional<QString> coreLossText(double weightG, double lossPerGram, int decimals) {
    return formatFixed(coreLoss(weightG, lossPerGram), decimals);
}

double coreLoss(double weightG, double lossPerGram) {
    return weightG * lossPerGram * 0.001;
}

std::optional<double> areaProductMm4(double inputPowerW, double onTimeUs, double marginFactor,
                                     double fluxDensityMt, double currentDensityAPerMm2) {
    if (!(fluxDensityMt * 0.001 * currentDensityAPerMm2 > 0.0)) {
        return std::nullopt;
    }
    return (inputPowerW * 2.0 * onTimeUs * marginFactor) /
           (fluxDensityMt * 0.001 * currentDensityAPerMm2 * 0.2);
}

QString corePowerEstimate(double aeMm2, double fluxDensityMt, double onTimeUs, double awMm2,
                          double currentDensityAPerMm2) {
    if (!(onTimeUs > 0.0)) {
        return {};
    }
    return formatFixed(
               awMm2 * 0.2 * currentDensityAPerMm2 * fluxDensityMt * aeMm2 / onTimeUs * 0.001, 0)
        .value_or(QString());
}

}  // namespace kelvane::catalogue
