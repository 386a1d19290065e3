#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <atomic>

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
    QString volumeText;       // TxtCoreVe
    double volume = 0.0;
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

// One pair of core and material: the texts the design shows after the pair
// is applied.
struct AdviceRow {
    int core = 0;      // index into CatalogueSnapshot::cores
    int material = 0;  // index into CatalogueSnapshot::materials
    QStringList texts;
    bool feasible = false;
    double totalLoss = 0.0;
    double temperatureRise = 0.0;  // meaningful only when its text is not empty
    double volume = 0.0;
};

enum class AdviceOrder { TotalLoss, TemperatureRise, Volume };

struct AdviceOptions {
    bool feasibleOnly = true;
    AdviceOrder order = AdviceOrder::TotalLoss;
};

// Every candidate pair of the catalogue for the design on `sheet`, sorted
// by the order's key ascending, ties in catalogue order of core, then of
// material. Reads the sheet only. A set `cancel` stops early with no rows.
[[nodiscard]] QVector<AdviceRow> advise(const design::DesignSheet& sheet,
                                        const CatalogueSnapshot& catalogue,
                                        const AdviceOptions& options,
                                        const std::atomic<bool>* cancel = nullptr);

}  // namespace kelvane::advice
