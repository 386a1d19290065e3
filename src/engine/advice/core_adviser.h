#pragma once

#include "engine/check/design_check.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <atomic>
#include <memory>
#include <vector>

namespace kelvane::design {
class DesignSheet;
}

namespace kelvane::advice {

// A material of the catalogue as its 26 fields would show it, with what
// depends on it alone.
struct MaterialRecord {
    qint64 rowid = 0;
    std::array<QString, 26> texts;  // TxtApp(0..25)
    // Whether the search with its type text lists it, and whether the
    // first record that search lists shows the same 26 texts.
    bool found = false;
    bool firstOfSearchAlike = false;
    double permeability = 0.0;
    double density = 0.0;
    QString proposedFluxDensity;  // txtbm after its record is chosen
    bool power = false;           // its application says power
};

// A core of the catalogue as its Bound fields would show it, with what
// depends on it alone.
struct CoreRecord {
    qint64 rowid = 0;
    QString name;
    QString factory;
    QString origin;  // ORIGIN: where Ae, Le and Ve come from
    QString aeText;
    QString leText;
    QString awText;
    double ae = 0.0;
    double le = 0.0;
    double aw = 0.0;
    double turnLength = 0.0;  // lW, TxtBZC
    bool found = false;       // the search with its name lists it
    bool nullName = false;
    QString volumeText;  // TxtCoreVe
    double volume = 0.0;
    bool hasAreaProduct = false;  // AP, which the area-product query compares
    double areaProduct = 0.0;
    // The name as an id among the cores' names, and whether an earlier core
    // has the same name.
    int nameId = 0;
    bool sameNameEarlier = false;
    // What the design check reads of the core: its fields as numbers (none
    // for an empty one), the volume it takes.
    check::CoreDimensions dims;
    std::optional<check::CoreShape> shape;
    QString checkName;  // trimmed
    std::optional<double> checkAe, checkLe, checkAw, checkVe;
    // Its size as the catalogue gives it: Ve in cm³ with one decimal, the
    // set's mass in g, its outer dimensions in mm ("" where not given).
    QString catalogueVolume;
    QString mass;
    QString outerSize;
    double volumeCm3 = 0.0;  // the catalogue's Ve, or Le × Ae without it; 0 for none
};

// The catalogue held in memory for the adviser: both tables in stored order.
struct CatalogueSnapshot {
    QVector<MaterialRecord> materials;
    QVector<CoreRecord> cores;
    QHash<QString, int> coreNameIds;  // a core name's id, as CoreRecord::nameId
};

// Reads both tables of an open catalogue; empty lists for a closed one.
[[nodiscard]] CatalogueSnapshot loadCatalogueSnapshot(const QSqlDatabase& database);

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
    bool standards[4] = {};     // OptIEC, OptVDE, OptUL, OptSelf
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
    std::array<QString, 26> materialTexts;
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
[[nodiscard]] AdviceDesign readAdviceDesign(const design::DesignSheet& sheet, double marginFactor);

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

// What the adviser window shows of a run, and the command line too.
struct AdviceFilter {
    QString family;  // a core family code; "" for every family
    QString maker;   // "" for every maker
    bool feasibleOnly = true;
    bool powerOnly = false;
    double maximumRise = 0.0;  // 0: no limit
};

// passes() — whether a row of `advice` is shown under `filter`.
[[nodiscard]] bool passes(const Advice& advice, const AdviceRow& row, const AdviceFilter& filter);

// paretoFront() — among the feasible rows `filter` shows, those no other
// beats on both core volume and total loss (smaller and no hotter, or
// cooler and no larger), by index into `advice`, by ascending volume.
[[nodiscard]] std::vector<int> paretoFront(const Advice& advice, const AdviceFilter& filter = {});

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
