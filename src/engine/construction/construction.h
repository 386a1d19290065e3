#pragma once

#include "engine/check/check_input.h"
#include "engine/construction/construction_formulas.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace kelvane::sheet {
class DesignSheet;
}

namespace kelvane::construction {

// The texts of the engineer's choices, as the check's page lists them.
inline constexpr char kPrimaryKind[] = QT_TRANSLATE_NOOP("kelvane::messages", "初级");
inline constexpr char kSecondaryKind[] = QT_TRANSLATE_NOOP("kelvane::messages", "次级");
inline constexpr char kBiasKind[] = QT_TRANSLATE_NOOP("kelvane::messages", "初级侧辅助");
inline constexpr char kEnamelledWire[] = QT_TRANSLATE_NOOP("kelvane::messages", "漆包线");
inline constexpr char kTripleInsulatedWire[] = QT_TRANSLATE_NOOP("kelvane::messages", "三层绝缘线");

// The engineer's choices for one winding (a row of MSwin), as typed; a
// blank pin is numbered in winding order. `kind` makes an output a bias
// winding of the primary side when it is kBiasKind; `wire` is triple
// insulated when it is kTripleInsulatedWire; any other text is the default.
struct WindingChoice {
    QString startPin;
    QString tapPin;  // the sandwich's junction or a centre tap
    QString finishPin;
    QString kind;
    QString wire;
};

// What the engineer chose for the sheet beyond the design: the windings'
// pins, kinds and wire, the primary inductance's test signal (blank: 10 kHz
// and 0.1 V).
struct ConstructionSettings {
    std::map<int, WindingChoice> windings;  // by row of MSwin
    QString testFrequencyKHz;
    QString testVoltageV;
};

enum class WindingKind { Primary, Secondary, Bias };

// One winding of the transformer: a row of MSwin with turns.
struct Winding {
    int row = 0;   // of MSwin: 0 the primary, r output r
    QString name;  // N1, N2, … or the primary's own name
    WindingKind kind = WindingKind::Primary;
    bool primarySide = true;  // the primary and its bias windings
    double turns = 0.0;       // as MSwin: of each half when centre tapped
    // Forward: the push-pull primary and every secondary are two halves
    // in series, the tap between them; the winding holds 2 × turns.
    bool centreTapped = false;
    double diameterMm = 0.0;  // the design's wire
    int strands = 1;          // parallel strands of equal copper area
    double strandMm = 0.0;    // the diameter of each
    bool tripleInsulated = false;
    double outerMm = 0.0;  // one strand with its insulation, in the layer
    std::optional<double> resistanceOhm;
    double powerW = 0.0;  // what the winding delivers; 0 for the primary
    QString startPin;
    QString tapPin;  // empty when the winding has no middle pin
    QString finishPin;
    bool hasTap = false;  // the sandwiched primary, or centre tapped

    [[nodiscard]] double woundTurns() const { return centreTapped ? 2.0 * turns : turns; }
};

// One step of the winding order: a winding, or one half of the sandwiched
// primary, laid out by the check's rule for layers.
struct Step {
    int winding = 0;  // index into Construction::windings
    int part = 0;     // 0 the whole winding, 1 and 2 the halves of a sandwich
    double turns = 0.0;
    double marginMm = 0.0;  // at each end of the layer; 0 for none
    double layerLengthMm = 0.0;
    double turnWidthMm = 0.0;  // strands × outer diameter
    double turnsPerLayer = 0.0;
    double layers = 0.0;
    double depthMm = 0.0;  // layers × outer diameter
    QString startPin;
    QString finishPin;
    int tapeLayers = 0;  // over this step, before the next one
    bool reinforcedTape = false;
};

// A hipot test between two groups of windings (or windings and core).
struct HipotTest {
    QString pair;  // 初级—次级, 次级—次级, 初级—初级, 初级—磁芯, 次级—磁芯
    QString between;  // the windings: "N1 — N2", "N1、N5 — 磁芯"
    QString pins;     // "1、7 — 3、4"
    QString requirement;
    double volts = 0.0;
};

struct ResistanceTest {
    QString winding;  // "N1", "N2（前半）"
    QString pins;     // "1—7"
    double nominalOhm = 0.0;
    double maxOhm = 0.0;
};

// The transformer as the winding shop builds it: the windings with their
// pins, the order they are wound in, the tapes, the build against the
// window, the gap as AL, and the electrical tests.
struct Construction {
    // Why there is no order, build or test ("" when there is one); the
    // windings and their pins are listed whenever the design has outputs.
    QString missing;
    sheet::Circuit circuit = sheet::Circuit::Flyback;
    bool pushPull = false;     // forward with a centre-tapped primary
    bool storesEnergy = true;  // flyback or RCC: the core is gapped
    std::vector<Winding> windings;
    bool sandwich = false;
    std::vector<Step> steps;

    QString coreName;
    double windowLengthMm = 0.0;  // along a layer
    double windowDepthMm = 0.0;   // the build's room
    double creepageMm = 0.0;      // TxtMargin
    double buildMm = 0.0;
    bool fits = false;

    // AL of the primary: the gapped core's ±5 %, or the least an ungapped
    // forward core must have.
    std::optional<double> alNh;
    QString gapText;  // TxtGap, the centre-leg gap as a reference

    // Primary inductance: on the whole primary (four times Lp for a
    // push-pull primary), at the test signal.
    QString inductancePins;
    double inductanceMh = 0.0;
    double testFrequencyKHz = 0.0;
    double testVoltageV = 0.0;
    // Leakage: the primary with every other winding shorted, estimated
    // with the field across the layers' mean length.
    std::optional<double> leakageUh;
    double leakageBreadthMm = 0.0;
    QString leakageMissing;
    QStringList shortedPins;  // every other winding's, as "3—4"
    std::vector<HipotTest> hipot;
    QString hipotMissing;  // no safety standard chosen
    std::vector<ResistanceTest> resistance;
    QStringList notes;  // pins used twice, strands, what the build assumes

    [[nodiscard]] bool complete() const { return missing.isEmpty(); }
    // The upper bound of the leakage test, rounded up to two digits.
    [[nodiscard]] std::optional<double> leakageMaxUh() const;
    // The bands the sheet prints, each rounded inwards: AL ±5 % to three
    // significant digits, Lp ±10 % to 0.001 mH.
    [[nodiscard]] std::optional<Band> alBand() const;
    [[nodiscard]] Band inductanceBand() const;
};

// buildConstruction() — the construction of the design as it stands:
// `input` is the design check's reading of `sheet` (turns, wires, core,
// window, creepage), `sheet` gives names and the safety standard's texts.
// Windings in MSwin order; the order is sandwiched (half the primary's
// layers, the secondaries, the other half, then bias windings) for a
// flyback or RCC whose primary takes more than one layer, else primary,
// bias windings, secondaries. Each winding is laid out by
// check::windingLayers() with the check's pitch (1.1 d), along the window
// less half the creepage at each end; a triple-insulated winding, or one
// whose every counterpart across primary and secondary is, has no margins.
// A wire wider than twice the skin depth at the design's frequency is
// wound as strandsFor() parallel strands. Pins not chosen are numbered in
// winding order, a sandwich's halves joined at one pin.
[[nodiscard]] Construction buildConstruction(const sheet::DesignSheet& sheet,
                                             const check::CheckInput& input,
                                             const ConstructionSettings& settings);

// kindCaption() — 初级, 次级, 初级侧辅助.
[[nodiscard]] QString kindCaption(WindingKind kind);
// stepName() — the winding's name, with （前半） or （后半） for a half.
[[nodiscard]] QString stepName(const Construction& construction, const Step& step);

}  // namespace kelvane::construction
