#pragma once

#include <QString>

#include <optional>

namespace kelvane::catalogue {

// The coefficients of the classic loss law PL = F^x · K · (Bm · 0.01)^y of
// one permeability class and frequency band (F in kHz, Bm in mT, PL in
// mW/cm³).
struct LossLaw {
    double k;
    double x;
    double y;
};

// lossLaw() — the coefficients estimateLossDensity() uses for the initial
// permeability Ui at F kHz: the last class whose range holds Ui, the band of
// F within it (the last band above its limits). No value when Ui lies in no
// class.
[[nodiscard]] std::optional<LossLaw> lossLaw(double initialPermeability, double frequencyKHz);

// estimateLossDensity() — core loss density in mW/cm³ from the Steinmetz law
// PL = F^x · K · (Bm · 0.01)^y, F in kHz, Bm in mT, formatted "0.0". K, x, y
// come from the class of the initial permeability Ui and the frequency band;
// the classes are tested in order and a later match overrides an earlier
// one, so overlapping ranges take the highest class. Ui outside every class
// gives 0.0, and so does a result that is no real number (negative Bm).
[[nodiscard]] QString estimateLossDensity(double frequencyKHz, double fluxDensityMt,
                                          double initialPermeability);

// hasLossClass() — whether the initial permeability Ui lies in a class of
// estimateLossDensity(), so that the estimate has a value for Bm > 0.
[[nodiscard]] bool hasLossClass(double initialPermeability);

// proposedFluxDensityText() — the flux density a material proposes,
// (Bs − Br) × 0.34 in mT, "0". A material whose Bs is not above its Br
// (a missing one counts 0) proposes none: the empty text, never a negative
// flux density.
[[nodiscard]] std::optional<QString> proposedFluxDensityText(double saturationMt,
                                                             double remanenceMt);
// lossPerGramText() — the loss density per gram, PL ÷ density, "0.0". No
// value for density 0.
[[nodiscard]] std::optional<QString> lossPerGramText(double lossDensity, double density);
// coreVolumeText() — Ve = Le × Ae × 0.001 in cm³, "0.0".
[[nodiscard]] std::optional<QString> coreVolumeText(double leMm, double aeMm2);
// coreWeightText() — density × Ve in g, plain number text.
[[nodiscard]] std::optional<QString> coreWeightText(double density, double volumeCm3);
// coreLossText() — weight × loss per gram × 0.001 in W, `decimals` decimals.
[[nodiscard]] std::optional<QString> coreLossText(double weightG, double lossPerGram, int decimals);
// coreWeight(), coreLoss() — the numbers those texts show, unrounded.
[[nodiscard]] double coreWeight(double density, double volumeCm3);
[[nodiscard]] double coreLoss(double weightG, double lossPerGram);

// areaProductMm4() — the area product Aw·Ae the transformer needs:
// (Pint · 2 · Ton · K) / (Bm · 0.001 · J · 0.2), 0.2 the window utilisation.
// No value unless Bm · 0.001 · J > 0.
[[nodiscard]] std::optional<double> areaProductMm4(double inputPowerW, double onTimeUs,
                                                   double marginFactor, double fluxDensityMt,
                                                   double currentDensityAPerMm2);

// corePowerEstimate() — the power a core can handle,
// Aw · 0.2 · J · Bm · Ae / Ton · 0.001, formatted "0"; empty unless Ton > 0.
[[nodiscard]] QString corePowerEstimate(double aeMm2, double fluxDensityMt, double onTimeUs,
                                        double awMm2, double currentDensityAPerMm2);

}  // namespace kelvane::catalogue
