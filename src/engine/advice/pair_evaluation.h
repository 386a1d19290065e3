#pragma once

// Evaluating one pair of core and material as the design window would show
// it once applied: the windings, the losses, the factors a results run keeps,
// and the design check's view of the windings. The run over the catalogue
// and the order of its rows live in core_adviser and advice_order.
#include "engine/advice/core_adviser.h"
#include "engine/base/conductor_formulas.h"
#include "engine/base/number_text.h"
#include "engine/check/design_check.h"
#include "engine/results/results_formulas.h"

#include <mutex>
#include <optional>
#include <vector>

namespace kelvane::advice {

// What a number text written only when finite reads back as: 0 for none.
[[nodiscard]] double readBack(std::optional<double> value);

// What a material brings to every core.
struct MaterialPart {
    int index = 0;
    QString fluxText;
    double flux = 0.0;
    QString lossPerGram;  // TXTPLG
    double lossPerGramValue = 0.0;
    int fluxGroup = 0;       // materials with the same txtbm share the windings
    int densityGroup = 0;    // and those of the same density the core weight
    bool unchanged = false;  // choosing it changes no field
    // The core shown when the core search starts: the first of the
    // area-product query the material's choice runs (-1 none, the record
    // set being empty), or the one shown before (-3: no query ran).
    int beforeCore = -3;
    double beforeVolume = 0.0;  // TxtCoreVe it gives, as its text reads
    int beforeNameId = -1;      // the id of its name among the cores' names
    check::CheckMaterial checkMaterial;
};

// The factors a results run keeps when it writes none.
struct Factors {
    QString inductanceFactor;
    QString effectivePermeability;
    QString gap;
};

// The core fields as a results run reads them.
struct CoreShown {
    QString name;
    QString awText;
    QString aeText;
    double ae = 0.0;
    double le = 0.0;
};

// An output's numbers as its winding row reads them.
struct OutputNumbers {
    double volts = 0.0;
    double amps = 0.0;
    double diameter = 0.0;
    double wireArea = 0.0;
};

// windings() in numbers, for the pairs that cannot be shown: the fill factor
// and its colour from the turns of every output.
struct WindingNumbers {
    bool green = false;
    bool voltageFails = false;  // known only for green windings of a feasible-only run
    double copperLoss = 0.0;    // as its text reads
};

// The copper loss windings() writes, as a number, for the turns of each
// output on one core, then of the primary (the last of `turns`, present
// when there are outputs). A winding's loss is kept while its turns stay,
// as they mostly do from one flux density to the next.
class CopperLoss {
public:
    CopperLoss(const std::vector<OutputNumbers>& outputs, const OutputNumbers& primary)
        : m_outputs(outputs),
          m_primary(primary),
          m_turns(outputs.size() + 1),
          m_watts(outputs.size() + 1) {}

    void setCore(const CoreRecord& core) {
        m_core = &core;
        std::fill(m_turns.begin(), m_turns.end(), std::numeric_limits<double>::quiet_NaN());
    }

    [[nodiscard]] double of(const double* turns) {
        double sum = 0.0;
        const size_t windings = m_outputs.empty() ? 0 : m_outputs.size() + 1;
        for (size_t i = 0; i < windings; ++i) {
            if (!(turns[i] == m_turns[i])) {
                m_turns[i] = turns[i];
                m_watts[i] = outputLoss(i < m_outputs.size() ? m_outputs[i] : m_primary, turns[i]);
            }
            if (const std::optional<double> next = roundPlain(sum + m_watts[i])) {
                sum = *next;
            }
        }
        return sum;
    }

private:
    // One output's winding row: resistance, drop, loss.
    [[nodiscard]] double outputLoss(const OutputNumbers& o, double turns) const {
        const std::optional<double> resistance =
            wireResistanceValue(o.diameter, turns, m_core->turnLength, kCopperResistivity);
        const double ohms = resistance ? readBack(roundFixed(*resistance, 6)) : 0.0;
        const std::optional<double> drop = results::absProductValue(o.amps, ohms);
        const double volts = drop ? readBack(roundPlain(*drop)) : 0.0;
        const std::optional<double> loss = results::absProductValue(volts, o.amps);
        return loss ? readBack(roundPlain(*loss)) : 0.0;
    }

    const std::vector<OutputNumbers>& m_outputs;
    OutputNumbers m_primary;
    const CoreRecord* m_core = nullptr;
    std::vector<double> m_turns;  // NaN: none yet
    std::vector<double> m_watts;
};

// The factors of windings() in numbers, for the rows that are kept.
struct KeptNumbers {
    bool keptFactors = false;            // AL or Ue keeps an earlier run's text
    double effectivePermeability = 0.0;  // as its text reads
};

// Where the core loss TxtCorePl shows after the pair is applied comes from:
// its last write, from the volume of the core then shown, with three
// decimals (the flux-density handling before the core search, or a change
// of Ae) or one (a change of the core's name, written last in a refill).
struct LossSource {
    double volume = 0.0;  // TxtCoreVe as its text reads
    int decimals = 3;
};

// What the texts of a run's rows are written from.
struct AdviceContext {
    AdviceDesign design;
    std::shared_ptr<const CatalogueSnapshot> catalogue;
    std::vector<OutputNumbers> outputs;
    OutputNumbers primary;
    // The candidate materials, by catalogue index.
    std::vector<std::optional<MaterialPart>> parts;
    // What the rows that keep earlier factors look up, once per core.
    mutable std::mutex mutex;
    mutable std::vector<int> firstListed;
};

// A pair's losses and temperature rise as the design window writes them.
struct PairNumbers {
    double coreLoss = 0.0;            // as its text reads
    double totalLoss = 0.0;           // as its text reads
    std::optional<double> rise;       // before rounding
    std::optional<double> shownRise;  // as its text reads
    bool feasible = false;
};

// The gap TxtGap shows once the pair is applied: written from the pair's
// material and core, or, where the last results run writes no AL, Ue or
// gap, what an earlier run of the application left (AL then too).
struct PairGap {
    bool history = false;
    std::optional<double> written;  // unrounded
    QString kept;                   // the text otherwise
    QString keptInductanceFactor;   // with history

    [[nodiscard]] QString text() const {
        return written ? *formatFixed(*written, 3) + QStringLiteral("mm") : kept;
    }
    // As the design check reads the text.
    [[nodiscard]] std::optional<double> millimetres() const {
        if (written) {
            return roundFixed(*written, 3);
        }
        return check::fieldNumber(kept);
    }
};

// The design as the check reads it once a pair is applied, for one core
// after another at one flux density after another: the windings the
// results write, the core's fields. A winding keeps its resistance while
// its turns stay.
class WoundInputs {
public:
    explicit WoundInputs(const AdviceDesign& d) : m_design(d), m_input(d.check) {
        m_volts.push_back(d.udc);
        m_diameters.push_back(check::fieldNumber(d.primaryDiameter));
        for (const int output : d.checkedOutputs) {
            m_volts.push_back(d.outputs[output].volts);
            m_diameters.push_back(check::fieldNumber(d.outputs[output].diameter));
        }
        m_turns.resize(m_volts.size());
        m_ohms.resize(m_volts.size());
        m_input.windings.resize(m_volts.size());
    }

    void setCore(const CoreRecord& core) {
        m_core = &core;
        std::fill(m_turns.begin(), m_turns.end(), std::numeric_limits<double>::quiet_NaN());
        m_input.coreName = core.checkName;
        m_input.coreShape = core.shape;
        m_input.dimsMm = core.dims;
        m_input.aeMm2 = core.checkAe;
        m_input.leMm = core.checkLe;
        m_input.awMm2 = core.checkAw;
        m_input.veMm3 = core.checkVe;
    }

    [[nodiscard]] check::CheckInput at(double flux) {
        const AdviceDesign& d = m_design;
        for (size_t i = 0; i < m_volts.size(); ++i) {
            std::optional<double> turns;
            if (i == 0 && !d.hasOutputs) {
                turns = check::fieldNumber(d.primaryTurnsCell);
            } else if (const std::optional<double> raw =
                           results::turnsValue(m_volts[i], d.onTime, flux, m_core->ae)) {
                turns = roundPlain(*raw);
            }
            // NaN for none: never equal, so no resistance is kept for it.
            const double key = turns.value_or(std::numeric_limits<double>::quiet_NaN());
            if (!(key == m_turns[i])) {
                m_turns[i] = key;
                const std::optional<double> ohms =
                    wireResistanceValue(m_diameters[i].value_or(0.0), turns.value_or(0.0),
                                        m_core->turnLength, kCopperResistivity);
                m_ohms[i] = ohms && std::isfinite(*ohms) ? roundFixed(*ohms, 6) : std::nullopt;
            }
            m_input.windings[i] = check::CheckWinding{turns, m_diameters[i], m_ohms[i]};
        }
        return m_input;
    }

private:
    const AdviceDesign& m_design;
    const CoreRecord* m_core = nullptr;
    check::CheckInput m_input;
    std::vector<double> m_volts;  // by winding, the primary first
    std::vector<std::optional<double>> m_diameters;
    std::vector<double> m_turns;  // the last turns of each winding, NaN for none
    std::vector<std::optional<double>> m_ohms;
};

// What the check makes of the pairs on one core at one group of flux
// densities that give it the same windings.
struct WoundGroup {
    check::WoundCore wound;
    KeptNumbers kept;
};

[[nodiscard]] CoreShown shown(const CoreRecord& core);

// The first core of the area-product query a material change runs at this
// flux density: -1 for an empty record set, -3 when no query runs.
[[nodiscard]] int areaProductCore(const AdviceDesign& d, const CatalogueSnapshot& catalogue,
                                  double flux);

// The outputs' numbers as their winding rows read them.
[[nodiscard]] std::vector<OutputNumbers> outputNumbers(const AdviceDesign& d);

// The primary winding as its row reads it; its turns follow the core.
[[nodiscard]] OutputNumbers primaryNumbers(const AdviceDesign& d);

// The primary turns a results run writes on a core, as a number.
[[nodiscard]] double primaryTurnsValue(const AdviceDesign& d, double ae, double flux);

// The turns windings() writes for an output, as a number.
[[nodiscard]] double outputTurns(const AdviceDesign& d, const OutputNumbers& o,
                                 const CoreRecord& core, double flux);

// Whether the fill factor of these turns on the core shows green.
[[nodiscard]] bool greenFill(const AdviceDesign& d, const std::vector<OutputNumbers>& outputs,
                             const double* turns, const CoreRecord& core);

// The factors the results run writes on the core at this flux density.
[[nodiscard]] KeptNumbers keptNumbers(const AdviceDesign& d, const CoreRecord& core, double flux);

// The core fields when the core search starts.
[[nodiscard]] CoreShown shownBefore(const AdviceDesign& d, const CatalogueSnapshot& catalogue,
                                    const MaterialPart& part);

// The factors when the last run writes none of some: what the earlier runs
// of the application left, the core fields changing three times.
[[nodiscard]] Factors historyFactors(const AdviceDesign& d, const CatalogueSnapshot& catalogue,
                                     const MaterialPart& part, int c,
                                     std::vector<int>& firstListed);

// A material that has a loss estimate at its proposed flux density.
[[nodiscard]] std::optional<MaterialPart> candidateMaterial(const AdviceDesign& d,
                                                            const MaterialRecord& record,
                                                            int index);

// The core's weight as its text reads.
[[nodiscard]] double coreWeight(double density, double volume);

// Where a pair's core loss comes from. Most pairs end on a change of the
// core's name, with one decimal from the core's own volume: when no earlier
// core has its name, the search lists it first or another name first, and
// either way its refill changes the name unless the core shown before had
// it. Only the others go through the refills one by one.
[[nodiscard]] LossSource pairLossSource(const AdviceContext& context, const MaterialPart& part,
                                        int c, std::vector<int>& firstListed);

// The core loss before its rounding.
[[nodiscard]] double rawCoreLoss(double weight, double lossPerGram);

// A pair's losses and temperature rise as the design window writes them.
[[nodiscard]] PairNumbers pairNumbers(const AdviceDesign& d, double rawLoss, int decimals,
                                      double copperLoss, const results::WindowRise& window,
                                      bool green);

// Whether the pair's rise is above the allowed rise however its losses
// round: the core loss moves by at most half its last decimal, the total
// and the rise by far less than the margins below, the rise's text by
// 0.05 ℃. Saves the roundings of most hot pairs.
[[nodiscard]] bool surelyTooHot(const AdviceDesign& d, double rawLoss, int decimals,
                                double copperLoss, const results::WindowRise& window);

// The gap TxtGap shows once the pair is applied.
[[nodiscard]] PairGap pairGap(const AdviceContext& context, const MaterialPart& part, int c,
                              const KeptNumbers& kept);

// The texts of the columns that need no evaluation of the pair: the
// catalogue's, the material's and the check's stored with the row.
[[nodiscard]] QString shownText(const AdviceContext& context, const AdviceRow& row,
                                AdviceColumn column);

// The texts of a row's columns, the pair evaluated again; none for a pair
// that is no candidate of the run.
[[nodiscard]] QStringList rowTexts(const AdviceContext& context, const AdviceRow& row);

}  // namespace kelvane::advice
