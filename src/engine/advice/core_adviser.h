#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <atomic>
#include <memory>

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
};

// A core of the catalogue as its Bound fields would show it, with what
// depends on it alone.
struct CoreRecord {
    qint64 rowid = 0;
    QString name;
    QString factory;
    QString aeText;
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
};

// The catalogue held in memory for the adviser: both tables in stored order.
struct CatalogueSnapshot {
    QVector<MaterialRecord> materials;
    QVector<CoreRecord> cores;
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
};
inline constexpr int kAdviceColumnCount = 12;

// What the rows of one core at one flux density share.
struct AdviceRowShared;

// One pair of core and material: the texts the design shows after the pair
// is applied. The texts are written when asked for: of the many rows only
// few are ever shown.
struct AdviceRow {
    int core = 0;      // index into CatalogueSnapshot::cores
    int material = 0;  // index into CatalogueSnapshot::materials
    bool feasible = false;
    double totalLoss = 0.0;
    bool hasTemperatureRise = false;
    double temperatureRise = 0.0;  // meaningful only with hasTemperatureRise
    double volume = 0.0;

    [[nodiscard]] QString text(AdviceColumn column) const;
    [[nodiscard]] QStringList texts() const;

    // What the texts are written from.
    std::shared_ptr<const AdviceRowShared> shared;
    double coreLoss = 0.0;  // before rounding
    double total = 0.0;     // core loss plus copper loss, before rounding
    double rise = 0.0;      // before rounding
    bool hasGap = false;    // the last run wrote the gap
    double gap = 0.0;       // before rounding
    // The factors earlier runs left, when the last run writes none of some.
    std::shared_ptr<const std::array<QString, 2>> keptFactors;
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
};

// The design on `sheet`, with the safety standard's area-product margin.
[[nodiscard]] AdviceDesign readAdviceDesign(const design::DesignSheet& sheet, double marginFactor);

enum class AdviceOrder { TotalLoss, TemperatureRise, Volume };

struct AdviceOptions {
    bool feasibleOnly = true;
    AdviceOrder order = AdviceOrder::TotalLoss;
};

// Every candidate pair of the catalogue for the design, sorted by the
// order's key ascending, ties in catalogue order of core, then of material.
// A set `cancel` stops early with no rows; `coresDone` counts the cores
// evaluated so far.
[[nodiscard]] QVector<AdviceRow> advise(const AdviceDesign& design,
                                        const CatalogueSnapshot& catalogue,
                                        const AdviceOptions& options,
                                        const std::atomic<bool>* cancel = nullptr,
                                        std::atomic<int>* coresDone = nullptr);

}  // namespace kelvane::advice
