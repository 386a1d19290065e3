#pragma once

#include "engine/advice/catalogue_snapshot.h"
#include "engine/check/design_check.h"
#include "engine/results/results_formulas.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <atomic>
#include <memory>
#include <vector>

namespace kelvane::sheet {
class DesignSheet;
}

namespace kelvane::advice {

// The column names of a row, in column order.
[[nodiscard]] const QStringList& adviceColumnNames();

enum class AdviceColumn {
    Core,
    Material,
    Maker,
    PrimaryTurns,
    FluxDensity,
    CoreLoss,
    CopperLoss,
    TotalLoss,
    TemperatureRise,
    FillFactor,
    InductanceFactor,
    Gap,
    CheckVerdict,  // the design check's worst verdict over the pair items
    CheckReason,   // the caption of the first item with it
    Volume,        // the catalogue's Ve, cm³
    Mass,          // g
    OuterSize,     // mm
};
inline constexpr int kAdviceColumnCount = 17;
// The columns a script's snapshot shows: up to the volume.
inline constexpr int kScriptColumnCount = int(AdviceColumn::Volume) + 1;

// Whether a column shows numbers, ranked by value, rather than names.
[[nodiscard]] constexpr bool isNumericColumn(AdviceColumn column) {
    return (column >= AdviceColumn::PrimaryTurns && column <= AdviceColumn::Gap) ||
           column == AdviceColumn::Volume || column == AdviceColumn::Mass;
}

// Whether a column's text is worked out by evaluating the pair again; the
// others are read from the row, the catalogue and the material at once.
[[nodiscard]] constexpr bool isEvaluatedColumn(AdviceColumn column) {
    return column == AdviceColumn::PrimaryTurns ||
           (column >= AdviceColumn::CoreLoss && column <= AdviceColumn::Gap);
}

// One pair of core and material: what ranks and filters it. Its texts,
// which few rows ever show, are written by the Advice it belongs to.
struct AdviceRow {
    int core = 0;      // index into CatalogueSnapshot::cores
    int material = 0;  // index into CatalogueSnapshot::materials
    bool feasible = false;
    bool hasTemperatureRise = false;
    // The design check's pair items, as check::PairVerdict holds them, in
    // the room the flags leave.
    quint8 checkVerdict = quint8(check::Verdict::Ok);
    quint8 checkItem = 0;
    quint16 checkOutput = 0;
    double totalLoss = 0.0;        // as its text reads
    double temperatureRise = 0.0;  // as its text reads; meaningful only with hasTemperatureRise

    [[nodiscard]] check::PairVerdict pairVerdict() const {
        return {check::Verdict(checkVerdict), check::PairItem(checkItem), checkOutput};
    }
};

// The design's own quantities the rows depend on, read from the sheet at
// once, so that a run may go on elsewhere while the sheet changes.
struct AdviceDesign {
    double udc = 0.0;
    double onTime = 0.0;
    QString inputCurrent;
    double primaryInductance = 0.0;
    double currentDensity = 0.0;
    double frequency = 0.0;
    struct Output {
        double volts = 0.0;  // voltage plus drop
        QString amps;
        QString diameter;
    };
    QVector<Output> outputs;
    bool hasOutputs = false;
    // The primary winding's wire, from txtis and TxtJ.
    QString primaryDiameter;
    // Whether there is a design to advise on: an output with Uo > 0 and
    // Io > 0, and Udc, F and Ton above 0.
    bool complete = false;
    results::ChosenStandards standards = {};
    bool storesEnergy = false;  // flyback or RCC: the core has a gap
    double allowedRise = 0.0;
    // Texts a results run keeps when it writes no value.
    QString primaryTurnsCell;
    QString inductanceFactor;
    QString effectivePermeability;
    QString gap;
    QString lossPerGram;
    // What the material fields and txtbm show now.
    QString fluxDensity;
    std::array<QString, sheet::kMaterialFieldCount> materialTexts;
    // What the area-product query of a material change reads.
    double inputPower = 0.0;
    double marginFactor = 0.0;
    QString areaProductText;
    // The core fields shown now.
    struct ShownCore {
        QString name;
        QString awText;
        QString aeText;
        double ae = 0.0;
        double le = 0.0;
    };
    ShownCore shownCore;
    // The design as the check reads it; a pair changes its windings, core,
    // material and gap. `checkedOutputs`: the outputs it lists, by index
    // into `outputs`.
    check::CheckInput check;
    std::vector<int> checkedOutputs;
};

// What advising an incomplete design says instead of giving rows.
[[nodiscard]] QString incompleteDesignMessage();

// The design on `sheet`, with the safety standard's area-product margin.
[[nodiscard]] AdviceDesign readAdviceDesign(const sheet::DesignSheet& sheet, double marginFactor);

enum class AdviceOrder { TotalLoss, TemperatureRise, Volume };

struct AdviceOptions {
    bool feasibleOnly = true;
    bool powerOnly = false;  // only materials whose application says power
    AdviceOrder order = AdviceOrder::TotalLoss;
    qsizetype limit = 0;  // the first rows only; 0 for every row
    int threads = 1;      // workers over ranges of cores
};

// What the texts of a run's rows are written from.
struct AdviceContext;

// The rows of one run in their order, with the design and catalogue they
// were evaluated on. Copies share the rows.
class Advice {
public:
    Advice() = default;
    Advice(std::shared_ptr<const AdviceContext> context,
           std::shared_ptr<const std::vector<AdviceRow>> rows)
        : m_context(std::move(context)), m_rows(std::move(rows)) {}

    [[nodiscard]] qsizetype size() const { return m_rows ? qsizetype(m_rows->size()) : 0; }
    [[nodiscard]] bool isEmpty() const { return size() == 0; }
    [[nodiscard]] const AdviceRow& operator[](qsizetype index) const {
        return (*m_rows)[size_t(index)];
    }
    [[nodiscard]] const AdviceRow* begin() const { return m_rows ? m_rows->data() : nullptr; }
    [[nodiscard]] const AdviceRow* end() const { return begin() + size(); }

    // The texts the design shows after the row's pair is applied; empty
    // for a pair that is no candidate of the run.
    [[nodiscard]] QString text(const AdviceRow& row, AdviceColumn column) const;
    [[nodiscard]] QStringList texts(const AdviceRow& row) const;

    [[nodiscard]] std::shared_ptr<const CatalogueSnapshot> catalogue() const;

    // The rows' indexes in the order of `column`: a numeric column by value,
    // an empty text (no value) after every number; the others by text. Ties
    // keep the run's order. Empty when `cancel` is set before the end.
    [[nodiscard]] std::vector<int> orderBy(AdviceColumn column, bool descending,
                                           const std::atomic<bool>* cancel = nullptr) const;

private:
    std::shared_ptr<const AdviceContext> m_context;
    std::shared_ptr<const std::vector<AdviceRow>> m_rows;
};

// Every candidate pair of the catalogue for the design, sorted by the
// order's key ascending, ties in catalogue order of core, then of material;
// no rows for an incomplete design. The rows are the same for any number
// of threads.
// A set `cancel` stops early with no rows; `coresDone` counts the cores
// evaluated so far.
[[nodiscard]] Advice advise(const AdviceDesign& design,
                            std::shared_ptr<const CatalogueSnapshot> catalogue,
                            const AdviceOptions& options, const std::atomic<bool>* cancel = nullptr,
                            std::atomic<int>* coresDone = nullptr);

}  // namespace kelvane::advice
