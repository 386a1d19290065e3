#pragma once

#include <array>
#include <optional>
#include <string_view>

// The physics of the design check: how the transformer as wound operates.
// Pure functions of numbers; every guard returns no value instead of a
// number that is not finite or has no meaning.
//
// Units of every argument and result unless its name says otherwise:
//   voltage V, current A, power W, inductance H, frequency Hz,
//   flux density T, area m², length m, time s, capacitance F

namespace kelvane::check {

// How the primary current flows at the lowest input.
enum class ConductionMode {
    Continuous,     // CCM: the current never falls to zero
    Discontinuous,  // DCM: the core empties before the next on-time
    Boundary        // BCM: the next on-time starts as the core empties (RCC)
};

// The operating point of a flyback or RCC converter at its input voltage.
// The primary current ramps from `valleyA` to `peakA` during `duty` of the
// period; the secondaries conduct during `offDuty` of it.
struct FlybackPoint {
    ConductionMode mode;
    double duty;
    double offDuty;
    double peakA;
    double valleyA;
};

// flybackPoint() — the ideal flyback with primary inductance `lpH` switched
// at `frequencyHz`, delivering `inputPowerW` from `vinV` while the outputs
// reflect `vorV`. Erickson & Maksimović, Fundamentals of Power Electronics,
// ch. 6.3 (flyback as buck-boost) and ch. 5 (discontinuous mode):
// CCM D = Vor ÷ (Vin + Vor), ripple ΔI = Vin D ÷ (Lp f), valley
// Iin ÷ D − ΔI ÷ 2; a valley not above 0 means DCM, where the energy per
// cycle ½ Lp Ipk² = Pin ÷ f gives Ipk and D = Ipk Lp f ÷ Vin, and the
// secondaries conduct for D Vin ÷ Vor. No value unless every argument is
// above 0 and the result is finite.
[[nodiscard]] std::optional<FlybackPoint> flybackPoint(double vinV, double vorV, double inputPowerW,
                                                       double lpH, double frequencyHz) noexcept;

// rccPoint() — the self-oscillating flyback (RCC), which turns on again as
// the core empties: D = Vor ÷ (Vin + Vor), Ipk = 2 Pin ÷ (Vin D), valley 0,
// secondary conduction 1 − D. No value unless every argument is above 0.
[[nodiscard]] std::optional<FlybackPoint> rccPoint(double vinV, double vorV,
                                                   double inputPowerW) noexcept;

// rccFrequencyHz() — the frequency an RCC settles at, Vin D ÷ (Lp Ipk).
[[nodiscard]] std::optional<double> rccFrequencyHz(double vinV, const FlybackPoint& point,
                                                   double lpH) noexcept;

// trapezoidRms() — rms of a current that ramps from `valley` to `peak`
// during `fraction` of the period and is zero otherwise,
// √(fraction (peak² + peak valley + valley²) ÷ 3).
[[nodiscard]] double trapezoidRms(double fraction, double peak, double valley) noexcept;

// copperResistivity100C() — copper at 100 °C in Ω·m:
// 0.0175 Ω·mm²/m × (1 + 0.00393 × 80).
[[nodiscard]] double copperResistivity100C() noexcept;

// skinDepthM() — skin depth of copper at 100 °C, √(ρ ÷ (π f μ0)). No value
// unless f > 0.
[[nodiscard]] std::optional<double> skinDepthM(double frequencyHz) noexcept;

// dowellPenetration() — Dowell's Δ of a layer of round wire of diameter d
// wound at the pitch 1.1 d: the square conductor of equal area, thickness
// (π/4)^0.5 d, its porosity (π/4)^0.5 d ÷ pitch:
// Δ = (π/4)^0.75 × (d ÷ δ) × √(d ÷ 1.1 d).
[[nodiscard]] double dowellPenetration(double diameterM, double skinDepthM) noexcept;

// dowellFactor() — the AC over DC resistance of a winding of `layers`
// layers at penetration Δ, P. L. Dowell, "Effects of eddy currents in
// transformer windings", Proc. IEE 113 (8), 1966:
// Fr = Δ [ (sinh 2Δ + sin 2Δ) ÷ (cosh 2Δ − cos 2Δ)
//          + 2 (m² − 1) ÷ 3 × (sinh Δ − sin Δ) ÷ (cosh Δ + cos Δ) ].
// Tends to 1 as Δ → 0 (a series expansion below Δ = 1e-3). No value unless
// Δ ≥ 0 and m ≥ 1.
[[nodiscard]] std::optional<double> dowellFactor(double penetration, double layers) noexcept;

// The catalogue's loss points of a material: PL in mW/cm³ (= kW/m³) at
// 200 mT, sine, by frequency (25, 100, 500 kHz) and core temperature (25,
// 60, 100, 120 °C); a point may be missing.
struct LossPoints {
    static constexpr std::array<double, 3> kFrequenciesKHz = {25.0, 100.0, 500.0};
    static constexpr std::array<double, 4> kTemperaturesC = {25.0, 60.0, 100.0, 120.0};
    std::array<std::array<std::optional<double>, 4>, 3> mwPerCm3;  // [frequency][temperature]

    [[nodiscard]] bool any() const noexcept;
};

// The parts of igseFactor() that depend on α alone: 2^α, and
// (2π)^(α−1) I_α.
struct IgseConstants {
    double twoToAlpha;
    double denominator;
};
[[nodiscard]] IgseConstants igseConstants(double alpha) noexcept;

// A Steinmetz law for one material at one frequency: Pv = plAtF ×
// (B̂ ÷ 200 mT)^beta, with alpha the frequency exponent around f.
struct SteinmetzFit {
    double plAtFrequency;  // mW/cm³ at 200 mT, sine, at the check's f
    double alpha;
    double beta;
    double temperatureC;  // the column the points came from
    int points;           // 1 when alpha came from the classic law
    IgseConstants igse;   // of alpha, worked out once for the material
};

// steinmetzFit() — the law at `frequencyKHz` from the loss points of the
// temperature column nearest 100 °C that has a value (order 100, 120, 60,
// 25 °C): alpha from the two points around f (the nearest two outside
// them), PL(f) = PL1 × (f ÷ f1)^alpha. With a single point alpha is
// `classicX`. beta is `classicY`, the classic law's exponent of the
// material's permeability class. No value without points, without a
// classic exponent where one is needed, or when f ≤ 0.
[[nodiscard]] std::optional<SteinmetzFit> steinmetzFit(const LossPoints& points,
                                                       double frequencyKHz,
                                                       std::optional<double> classicX,
                                                       std::optional<double> classicY) noexcept;

// cosinePowerIntegral() — I_α = ∫₀^2π |cos θ|^α dθ
// = 2 √π Γ((α + 1) ÷ 2) ÷ Γ(α ÷ 2 + 1): 2π at α 0, 4 at 1, π at 2.
[[nodiscard]] double cosinePowerIntegral(double alpha) noexcept;

// igseFactor() — the loss of a triangular flux (rising for `rise` of the
// period, falling for `fall`, flat otherwise) over that of a sine of the
// same peak, by the improved generalised Steinmetz equation, Venkatachalam
// et al., "Accurate prediction of ferrite core loss with nonsinusoidal
// waveforms using only Steinmetz parameters", COMPEL 2002:
// 2^α (rise^(1−α) + fall^(1−α)) ÷ ((2π)^(α−1) I_α). No value unless rise
// and fall are above 0.
[[nodiscard]] std::optional<double> igseFactor(double alpha, double rise, double fall) noexcept;
// The same with the constants of alpha given.
[[nodiscard]] std::optional<double> igseFactor(double alpha, const IgseConstants& constants,
                                               double rise, double fall) noexcept;

// bulkMinimumVoltage() — the lowest voltage of a bulk capacitor C charged
// to the peak of `acV` and discharged by `powerW` for 1 ÷ (2 f_line) less
// 3 ms of conduction: √(2 U² − 2 P t ÷ C). No value when the capacitor
// cannot hold the bus (the root is not real) or C or f_line is not above 0.
[[nodiscard]] std::optional<double> bulkMinimumVoltage(double acV, double powerW,
                                                       double capacitanceF, double lineHz) noexcept;

// defaultBulkMicrofarads() — 3 µF per watt of input below 150 V of lowest
// mains, else 1 µF per watt, rounded up to a whole µF (a tolerance of 1e-9
// keeps 20 W × 3 at 60).
[[nodiscard]] double defaultBulkMicrofarads(double acMinV, double inputPowerW) noexcept;

// turnsPerLayer() — whole turns of pitch `pitchMm` along `lengthMm`,
// floored with a tolerance of 1e-9 (17.6 ÷ 0.44 is 40). 0 when none fits.
[[nodiscard]] double turnsPerLayer(double lengthMm, double pitchMm) noexcept;

// The pitch of enamelled round wire in a layer over its bare diameter: the
// enamel and the lay of the turns.
inline constexpr double kEnamelledPitchFactor = 1.1;

// How a winding lies in the window: whole turns to a layer, whole layers.
struct WindingLayers {
    double turnsPerLayer;
    double layers;
};

// windingLayers() — `turns` of pitch `pitchMm` along `lengthMm`:
// turnsPerLayer() of them, and ⌈turns ÷ turns per layer⌉ layers (with the
// tolerance 1e-9, so 80 turns at 40 a layer are 2 layers). The check's
// build and the construction sheet both lay windings out by it. No value
// when not one turn fits or `turns` is not above 0.
[[nodiscard]] std::optional<WindingLayers> windingLayers(double turns, double lengthMm,
                                                         double pitchMm) noexcept;

// The families of core by the drawing of their catalogue dimensions.
enum class CoreShape {
    E,       // E-like sets (EE, EC, ER, EFD, ETD, EQ, PQ, EP…): a block A × 2B × C
    Rm,      // RM: a square block A × A × 2B
    Pot,     // POT, PM: a cylinder of diameter A, height 2B
    U,       // UU: a block A × 2B × C, the window E wide
    Toroid,  // TOR: outer diameter A, inner B, height C
};

// coreShapeOf() — the shape of a family code as catalogue::coreFamily()
// gives it (EE, EI, EC, ER, EFD, EPC, ETD, EQ, PQ, EP, RM, POT, PM, UU, UI,
// TOR, T; EER names are EE, EPO names EP); no value for another.
[[nodiscard]] std::optional<CoreShape> coreShapeOf(std::u16string_view familyCode) noexcept;

// The catalogue's dimension letters A … F in mm of one core set.
struct CoreDimensions {
    std::optional<double> a, b, c, d, e, f;
};

// The room for the windings: the length a layer runs along and the build
// depth it may take, in mm.
struct WindingWindow {
    double lengthMm;
    double depthMm;
};

// windingWindow() — height 2D and width (E − F) ÷ 2 for E-type, RM and pot
// cores, width E for U cores; a toroid winds along its inner circumference
// π B with a build of B ÷ 2. No value when a dimension it needs is missing
// or not above 0, or the width is not above 0.
[[nodiscard]] std::optional<WindingWindow> windingWindow(CoreShape shape,
                                                         const CoreDimensions& dims) noexcept;

// coreSurfaceMm2() — the outer surface of the assembled core set:
//   E, U:    2 (A·2B + A·C + 2B·C), the block that encloses the set
//   RM:      2 A² + 4 A·2B, the square block of the grid size A
//   Pot:     2 π A²/4 + π A·2B, the cylinder
//   Toroid:  2 π (A² − B²)/4 + π (A + B) C, faces, outer and inner walls
// No value when a dimension it needs is missing or not above 0.
[[nodiscard]] std::optional<double> coreSurfaceMm2(CoreShape shape,
                                                   const CoreDimensions& dims) noexcept;

// surfaceTemperatureRise() — the rise of a transformer by its surface,
// ΔT = (P in mW ÷ A in cm²)^0.833 °C, the ferrite makers' rule (Magnetics
// Inc., Ferrite Cores catalogue, transformer design section); McLyman,
// Transformer and Inductor Design Handbook, ch. 6, fits the same natural
// convection as 450 (P ÷ A)^0.826 with P in W. No value unless the area is
// above 0 and the loss not negative.
[[nodiscard]] std::optional<double> surfaceTemperatureRise(double lossW, double areaCm2) noexcept;

}  // namespace kelvane::check
