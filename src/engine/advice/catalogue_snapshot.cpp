#include "engine/advice/catalogue_snapshot.h"

#include "engine/base/number_text.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/catalogue/core_formulas.h"
#include "engine/catalogue/data_source.h"
#include "engine/catalogue/search_rule.h"
#include "engine/check/check_input.h"
#include "engine/sheet/design_sheet.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>

namespace kelvane::advice {

namespace {

// Material fields by their column; the TxtApp index is the column's place.
constexpr int kPermeabilityField = int(sheet::MaterialColumn::InitialPermeability);
constexpr int kSaturationField = int(sheet::MaterialColumn::FluxDensity);
constexpr int kRemanenceField = int(sheet::MaterialColumn::Remanence);
constexpr int kDensityField = int(sheet::MaterialColumn::Density);
constexpr int kApplicationField = int(sheet::MaterialColumn::Application);

// The column of `names` called `column`, the exact spelling first, as the
// bound fields look their columns up; -1 when there is none.
int columnIndex(const QStringList& names, const QString& column) {
    const int exact = int(names.indexOf(column));
    if (exact >= 0) {
        return exact;
    }
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(column, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

struct RawRow {
    qint64 rowid = 0;
    QVector<QVariant> values;
};

QVector<RawRow> readTable(const QSqlDatabase& database, const QString& table,
                          QStringList& columns) {
    QVector<RawRow> rows;
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid")
                        .arg(catalogue::quoted(table)))) {
        return rows;
    }
    const QSqlRecord record = query.record();
    for (int i = 1; i < record.count(); ++i) {
        columns.append(record.fieldName(i));
    }
    while (query.next()) {
        RawRow row;
        row.rowid = query.value(0).toLongLong();
        row.values.resize(columns.size());
        for (int i = 0; i < columns.size(); ++i) {
            row.values[i] = query.value(i + 1);
        }
        rows.append(std::move(row));
    }
    return rows;
}

QString cellText(const RawRow& row, int column) {
    return column < 0 ? QString() : catalogue::valueText(row.values.value(column));
}

bool isNullCell(const RawRow& row, int column) {
    return column < 0 || row.values.value(column).isNull();
}

// A cell's number; no value for an empty cell or one that is not finite.
std::optional<double> optionalCell(const RawRow& row, int column) {
    const QString text = trimBlanks(cellText(row, column));
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const double value = parseNumber(text);
    return std::isfinite(value) ? std::optional(value) : std::nullopt;
}

// The assembled set's outer size, by the drawing of its family: width ×
// depth × height, or the diameter and height of a round one.
QString outerSizeText(std::optional<check::CoreShape> shape, const check::CoreDimensions& dims) {
    const auto mm = [](std::optional<double> value) {
        return formatPlain(value.value_or(0.0)).value_or(QString());
    };
    const auto given = [](std::initializer_list<std::optional<double>> values) {
        return std::all_of(values.begin(), values.end(),
                           [](std::optional<double> v) { return v && *v > 0.0; });
    };
    const std::optional<double> height =
        dims.b ? std::optional(2.0 * *dims.b) : std::optional<double>();
    if (!shape) {
        return {};
    }
    switch (*shape) {
        case check::CoreShape::E:
        case check::CoreShape::U:
            return given({dims.a, height, dims.c})
                       ? mm(dims.a) + u'×' + mm(dims.c) + u'×' + mm(height)
                       : QString();
        case check::CoreShape::Rm:
            return given({dims.a, height}) ? mm(dims.a) + u'×' + mm(dims.a) + u'×' + mm(height)
                                           : QString();
        case check::CoreShape::Pot:
            return given({dims.a, height}) ? u'⌀' + mm(dims.a) + u'×' + mm(height) : QString();
        case check::CoreShape::Toroid:
            return given({dims.a, dims.c}) ? u'⌀' + mm(dims.a) + u'×' + mm(dims.c) : QString();
    }
    return {};
}

QVector<MaterialRecord> readMaterials(const QSqlDatabase& database) {
    QStringList columns;
    const QVector<RawRow> rows = readTable(database, QStringLiteral("materials"), columns);
    int fieldColumns[sheet::kMaterialFieldCount];
    for (int index = 0; index < sheet::kMaterialFieldCount; ++index) {
        fieldColumns[index] = columnIndex(columns, catalogue::materialColumnOfField(index));
    }
    const int typeColumn = fieldColumns[kTypeField];
    QVector<MaterialRecord> materials;
    materials.reserve(rows.size());
    for (const RawRow& row : rows) {
        MaterialRecord material;
        material.rowid = row.rowid;
        for (int index = 0; index < sheet::kMaterialFieldCount; ++index) {
            material.texts[size_t(index)] = cellText(row, fieldColumns[index]);
        }
        material.permeability = parseNumber(material.texts[kPermeabilityField]);
        material.density = parseNumber(material.texts[kDensityField]);
        material.proposedFluxDensity =
            catalogue::proposedFluxDensityText(parseNumber(material.texts[kSaturationField]),
                                               parseNumber(material.texts[kRemanenceField]))
                .value_or(QString());
        material.power =
            material.texts[kApplicationField].contains(u"power", Qt::CaseInsensitive) ||
            material.texts[kApplicationField].contains(u"功率");
        materials.append(std::move(material));
    }
    // The search by type: an empty text lists every row, any other lists
    // the rows whose type it matches.
    for (int m = 0; m < materials.size(); ++m) {
        const QString search = trimBlanks(materials[m].texts[kTypeField]);
        const auto listed = [&](int other) {
            return search.isEmpty() ||
                   (!isNullCell(rows[other], typeColumn) &&
                    catalogue::matchesPrefixSearch(materials[other].texts[kTypeField], search));
        };
        materials[m].found = listed(m);
        for (int other = 0; other <= m; ++other) {
            if (listed(other)) {
                materials[m].firstOfSearchAlike = materials[other].texts == materials[m].texts;
                break;
            }
        }
    }
    return materials;
}

QVector<CoreRecord> readCores(const QSqlDatabase& database) {
    QStringList columns;
    const QVector<RawRow> rows = readTable(database, QStringLiteral("CORE"), columns);
    const int name = columnIndex(columns, QStringLiteral("NAME"));
    const int factory = columnIndex(columns, QStringLiteral("FACTORY"));
    const int origin = columnIndex(columns, QStringLiteral("ORIGIN"));
    const int ae = columnIndex(columns, QStringLiteral("ae"));
    const int le = columnIndex(columns, QStringLiteral("le"));
    const int aw = columnIndex(columns, QStringLiteral("Aw"));
    const int lw = columnIndex(columns, QStringLiteral("lW"));
    const int areaProduct = columnIndex(columns, QStringLiteral("AP"));
    const int volume = columnIndex(columns, QStringLiteral("ve"));
    const int mass = columnIndex(columns, QStringLiteral("W"));
    int dims[6];
    const char* const letters[6] = {"A", "B", "C", "D", "e", "f"};
    for (int i = 0; i < 6; ++i) {
        dims[i] = columnIndex(columns, QString::fromLatin1(letters[i]));
    }
    QVector<CoreRecord> cores;
    cores.reserve(rows.size());
    for (const RawRow& row : rows) {
        CoreRecord core;
        core.rowid = row.rowid;
        core.name = cellText(row, name);
        core.factory = cellText(row, factory);
        core.origin = cellText(row, origin);
        core.aeText = cellText(row, ae);
        core.awText = cellText(row, aw);
        core.ae = parseNumber(core.aeText);
        core.leText = cellText(row, le);
        core.le = parseNumber(core.leText);
        core.aw = parseNumber(core.awText);
        core.turnLength = parseNumber(cellText(row, lw));
        // The core search always filters: a core without name is never listed.
        core.nullName = isNullCell(row, name);
        core.found =
            !core.nullName && catalogue::matchesPrefixSearch(core.name, trimBlanks(core.name));
        const QVariant ap = row.values.value(areaProduct);
        core.hasAreaProduct = areaProduct >= 0 && !ap.isNull() &&
                              (ap.typeId() == QMetaType::Double ||
                               ap.typeId() == QMetaType::LongLong || ap.typeId() == QMetaType::Int);
        core.areaProduct = core.hasAreaProduct ? ap.toDouble() : 0.0;
        core.volumeText = catalogue::coreVolumeText(core.le, core.ae).value_or(QString());
        core.volume = parseNumber(core.volumeText);
        std::optional<double> letter[6];
        for (int i = 0; i < 6; ++i) {
            letter[i] = optionalCell(row, dims[i]);
        }
        core.dims = {letter[0], letter[1], letter[2], letter[3], letter[4], letter[5]};
        core.shape = check::coreShapeOfName(core.name);
        core.checkName = trimBlanks(core.name);
        core.checkAe = check::fieldNumber(core.aeText);
        core.checkLe = check::fieldNumber(core.leText);
        core.checkAw = check::fieldNumber(core.awText);
        core.checkVe = check::coreVolumeMm3(core.checkAe, core.checkLe, core.volumeText);
        if (const std::optional<double> ve = optionalCell(row, volume)) {
            core.catalogueVolume = formatFixed(*ve / 1000.0, 1).value_or(QString());
        }
        core.mass = cellText(row, mass);
        if (const std::optional<double> ve = optionalCell(row, volume); ve && *ve > 0.0) {
            core.volumeCm3 = *ve / 1000.0;
        } else if (core.checkVe && *core.checkVe > 0.0) {
            core.volumeCm3 = *core.checkVe / 1000.0;
        }
        core.outerSize = outerSizeText(core.shape, core.dims);
        cores.append(std::move(core));
    }
    return cores;
}

}  // namespace

CatalogueSnapshot loadCatalogueSnapshot(const QSqlDatabase& database) {
    CatalogueSnapshot snapshot;
    if (!database.isOpen()) {
        return snapshot;
    }
    snapshot.materials = readMaterials(database);
    snapshot.cores = readCores(database);
    for (int c = 0; c < snapshot.cores.size(); ++c) {
        CoreRecord& core = snapshot.cores[c];
        const auto known = snapshot.coreNameIds.constFind(core.name);
        core.sameNameEarlier = known != snapshot.coreNameIds.constEnd();
        core.nameId = core.sameNameEarlier ? *known : *snapshot.coreNameIds.insert(core.name, c);
    }
    return snapshot;
}

}  // namespace kelvane::advice
