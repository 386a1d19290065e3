#pragma once

#include "engine/check/check_formulas.h"
#include "engine/sheet/design_sheet.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

namespace kelvane::advice {

// A material record's type, the text its search and the rows show.
inline constexpr int kTypeField = int(sheet::MaterialColumn::Type);

// A material of the catalogue as its 26 fields would show it, with what
// depends on it alone.
struct MaterialRecord {
    qint64 rowid = 0;
    std::array<QString, sheet::kMaterialFieldCount> texts;  // TxtApp(0..25)
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

}  // namespace kelvane::advice
