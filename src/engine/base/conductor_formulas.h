#pragma once

#include <QString>
#include <QVector>

#include <optional>

// Conductor formulas shared by the wire calculator and the design results:
// cross-section, DC resistance and weight of round wire, litz strand count
// and strand diameter, foil dimensions, gauge conversions and the skin-effect
// resistance ratio.
//
// Units of every argument and result:
//   diameter, thickness, width, skin depth   mm
//   cross-section                            mm²
//   length                                   mm (callers pass metres × 1000)
//   resistivity                              Ω·mm²/m
//   density                                  g/cm³
//   resistance                               Ω
//   weight                                   g
//
// Every function returns its display text, already formatted, or no value
// when its guard fails; callers write no value as an empty text. A result
// that is not a finite number (a division by zero, an overflow) is never
// written: the function then yields no value too. Arguments are numbers;
// callers reading a field take its leading number with parseNumber().

namespace kelvane {

// A conductor material of the wire calculator's material list.
struct ConductorMaterial {
    QString item;        // the list's item text, matched exactly
    double resistivity;  // Ω·mm²/m
    double density;      // g/cm³
};

// Copper, which foil and the design results always use.
inline constexpr double kCopperResistivity = 0.0175;
inline constexpr double kCopperDensity = 8.95;

// conductorMaterials() — the four materials in list order: copper, aluminium,
// copper-clad aluminium grade 10, copper-clad aluminium grade 15.
[[nodiscard]] const QVector<ConductorMaterial>& conductorMaterials();

// findConductorMaterial() — the material whose item text equals `item`
// exactly (no trimming, case as written); no value when none does.
[[nodiscard]] std::optional<ConductorMaterial> findConductorMaterial(const QString& item);

// conductorMaterialOrZero() — as findConductorMaterial(), but a text that
// matches no item gives resistivity 0 and density 0 (item text kept).
[[nodiscard]] ConductorMaterial conductorMaterialOrZero(const QString& item);

// wireArea() — cross-section of a round wire, 3.1415 × (d ÷ 2)², "0.000".
// The diameter is reduced to single precision first. No guard: d = 0 gives
// 0.000.
[[nodiscard]] std::optional<QString> wireArea(double diameter);

// wireResistance() — DC resistance of a round wire,
// 0.001 × ρ × (b × a) ÷ (3.14 × (d ÷ 2)²), "0.000000". The product a × b is
// the conductor length in mm (turns × mean turn length, or 1 × length).
// No value unless d > 0.
[[nodiscard]] std::optional<QString> wireResistance(double diameter, double factorA, double factorB,
                                                    double resistivity);
// wireResistanceValue() — the resistance wireResistance() rounds.
[[nodiscard]] std::optional<double> wireResistanceValue(double diameter, double factorA,
                                                        double factorB, double resistivity);

// wireWeight() — weight of a round wire,
// 0.001 × γ × 3.14 × (d ÷ 2)² × (b × a), "0.000000". No guard: d = 0 gives
// 0.000000.
[[nodiscard]] std::optional<QString> wireWeight(double diameter, double factorA, double factorB,
                                                double density);

// litzStrandCount() — number of strands of diameter d that make up the
// cross-section of a wire of diameter D, (D ÷ d)², rounded to a whole number
// ("0"). No value unless d > 0.
[[nodiscard]] std::optional<QString> litzStrandCount(double wireDiameter, double strandDiameter);

// litzStrandDiameter() — strand diameter of a bundle of P strands equivalent
// to a wire of diameter D, D ÷ √P, "0.00". No value unless P > 0.
[[nodiscard]] std::optional<QString> litzStrandDiameter(double wireDiameter, double strandCount);

// foilSide() — the other side of a foil of cross-section S and one known
// side t, S ÷ t, "0.000". No value unless t > 0.
[[nodiscard]] std::optional<QString> foilSide(double crossSection, double knownSide);

// foilWeight() — S × γ × L × 0.001, "0.000". No guard.
[[nodiscard]] std::optional<QString> foilWeight(double density, double crossSection,
                                                double lengthMm);

// foilResistance() — 0.001 × ρ × L ÷ S, "0.000000". No value unless S > 0.
[[nodiscard]] std::optional<QString> foilResistance(double resistivity, double crossSection,
                                                    double lengthMm);

// awgToDiameter() — diameter of an AWG gauge, written as a number followed
// by "mm" ("2.56mm" for 10, "0.81mm" for 20). The gauge is reduced to single
// precision and read back from its text; no value unless it is then above 0.
// The diameter is 10^(−n ÷ 20) × (2.54 ÷ 3.1415926) cm rounded to 0.001 cm,
// so the resolution is 0.01 mm.
[[nodiscard]] std::optional<QString> awgToDiameter(double gauge);

// diameterToAwg() — AWG gauge of a diameter, (1.8277 − 2 × log10 d) × 9.97,
// written "0.0" followed by "# " (number sign and one blank): "18.2# " for
// 1 mm. The diameter is reduced to single precision and read back from its
// text; no value unless it is then above 0.
[[nodiscard]] std::optional<QString> diameterToAwg(double diameter);

// skinEffectRatio() — ratio of AC to DC resistance of a round wire whose
// current flows in an outer ring one skin depth δ thick: A ÷ (A − C) with
// A = 3.14 × d² ÷ 4 and C = 3.14 × (d − 2δ)² ÷ 4 (not clamped at 0), "0.000".
// No value unless d > 0 and δ > 0, nor when A − C is 0 (d = δ).
[[nodiscard]] std::optional<QString> skinEffectRatio(double diameter, double skinDepth);

}  // namespace kelvane
