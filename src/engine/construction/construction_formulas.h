#pragma once

#include <optional>
#include <vector>

// The winding shop's numbers: wire, tape, tolerances and the leakage
// estimate. Pure functions of numbers.
//
// Units: lengths mm, inductance in the unit its name says, turns and
// strands as counts.

namespace kelvane::construction {

// Polyester tape: 0.025 mm of film; a layer with its adhesive takes about
// 0.05 mm of the build.
inline constexpr double kTapeFilmMm = 0.025;
inline constexpr double kTapeLayerMm = 0.05;
// Tape layers between neighbouring windings. Primary to secondary is
// reinforced insulation, which thin sheets give in three layers of which
// any two withstand the test voltage; any other neighbours get one.
inline constexpr int kReinforcedTapeLayers = 3;
inline constexpr int kFunctionalTapeLayers = 1;
// Over the last winding: mechanical protection, and insulation to the
// outer legs of the core.
inline constexpr int kOuterWrapLayers = 3;

// Triple-insulated wire adds about 0.2 mm to its conductor's diameter
// (three extruded layers of some 0.033 mm, the makers' nominal over
// conductors of 0.2 to 1.0 mm); it needs no margins.
inline constexpr double kTripleInsulationMm = 0.2;

// Tolerances the sheet states: AL of the gapped core ±5 %, the primary
// inductance ±10 %, DC resistance at most 10 % above the design's.
inline constexpr int kAlTolerancePercent = 5;
inline constexpr int kInductanceTolerancePercent = 10;
inline constexpr int kResistanceTolerancePercent = 10;
// The one-dimensional leakage estimate is commonly within ±30 % of a
// measurement (it leaves out the end turns outside the core and the
// field at the margins); the limit allows that much above it.
inline constexpr int kLeakageAccuracyPercent = 30;

// The primary inductance's test signal unless the engineer gives another.
inline constexpr double kTestFrequencyKHz = 10.0;
inline constexpr double kTestVoltageV = 0.1;

// strandsFor() — the strands of equal copper area a wire of `diameterMm`
// is wound as when it is wider than twice the skin depth: ⌈(d ÷ 2δ)²⌉,
// so that each strand d ÷ √n is no wider than 2δ; 1 when d ≤ 2δ (with a
// tolerance of 1e-9) or δ is not above 0.
[[nodiscard]] int strandsFor(double diameterMm, double skinDepthMm) noexcept;

// strandDiameterMm() — d ÷ √n rounded up to 0.01 mm, so that the strands
// hold no less copper than the wire; d itself for one strand.
[[nodiscard]] double strandDiameterMm(double diameterMm, int strands) noexcept;

// inductanceFactorNh() — AL = Lp × 10⁶ ÷ N² in nH/N² from Lp in mH. No
// value unless both are above 0.
[[nodiscard]] std::optional<double> inductanceFactorNh(double inductanceMh, double turns) noexcept;

// A tolerance band as the sheet prints it.
struct Band {
    double low;
    double high;
};

// toleranceBand() — nominal ∓ `percent` %, the low end rounded up and the
// high end down to `decimals` decimals (negative: to tens, hundreds …), so
// the printed band lies within the true one: 250 ±5 % to one significant
// ten is 240～260, 0.533 mH ±10 % to three decimals 0.480～0.586.
[[nodiscard]] Band toleranceBand(double nominal, int percent, int decimals) noexcept;

// significantDecimals() — the decimals that leave three significant digits
// of `value` (2 for 1.23, 0 for 123, −1 for 1230); 0 for 0.
[[nodiscard]] int significantDecimals(double value) noexcept;

// A slab of the build across the window's depth: a winding, through which
// the ampere-turns change linearly from `mmfStart` to `mmfEnd`, or a tape,
// across which they stay. The ampere-turns are per ampere-turn of the
// measured winding, 0 at the centre leg.
struct LeakageSlab {
    double depthMm;
    double mmfStart;
    double mmfEnd;
};

// leakageInductanceUh() — the leakage inductance seen from a winding of
// `turns`, by the one-dimensional field of the window (Dowell; McLyman,
// Transformer and Inductor Design Handbook, ch. 17): the field across the
// build is the ampere-turns over the window's breadth, and its energy gives
// L = μ0 N² MLT ÷ breadth × Σ ∫ f² dx, a winding slab contributing
// depth × (a² + a b + b²) ÷ 3 and a tape depth × a². No value unless
// turns, turn length and breadth are above 0.
[[nodiscard]] std::optional<double> leakageInductanceUh(double turns, double meanTurnMm,
                                                        double breadthMm,
                                                        const std::vector<LeakageSlab>& slabs);

}  // namespace kelvane::construction
