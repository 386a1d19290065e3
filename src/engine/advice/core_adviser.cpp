#include "engine/advice/core_adviser.h"

#include "engine/base/conductor_formulas.h"
#include "engine/base/number_text.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/catalogue/core_formulas.h"
#include "engine/catalogue/data_source.h"
#include "engine/results/results_formulas.h"
#include "engine/sheet/design_sheet.h"

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>
#include <numeric>
#include <optional>
#include <vector>

namespace kelvane::advice {

using design::Check;
using design::Field;

namespace {

// Material fields by their column; the TxtApp index is the column's place.
constexpr int kTypeField = int(design::MaterialColumn::Type);
constexpr int kPermeabilityField = int(design::MaterialColumn::InitialPermeability);
constexpr int kSaturationField = int(design::MaterialColumn::FluxDensity);
constexpr int kRemanenceField = int(design::MaterialColumn::Remanence);
constexpr int kDensityField = int(design::MaterialColumn::Density);

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

QChar foldAscii(QChar c) {
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c;
}

bool sameAscii(QStringView a, QStringView b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i]) != foldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// Whether `value` is listed by the prefix search for `search` (already
// trimmed): LIKE with "*" as any characters and a trailing "%", which
// folds the case of ASCII letters only.
bool matchesSearch(QStringView value, const QString& search) {
    const QStringList parts = search.split(u'*');
    qsizetype at = 0;
    for (int i = 0; i < parts.size(); ++i) {
        const QStringView part(parts[i]);
        if (i == 0) {
            if (value.size() < part.size() || !sameAscii(value.first(part.size()), part)) {
                return false;
            }
            at = part.size();
            continue;
        }
        qsizetype found = -1;
        for (qsizetype from = at; from + part.size() <= value.size(); ++from) {
            if (sameAscii(value.mid(from, part.size()), part)) {
                found = from;
                break;
            }
        }
        if (found < 0) {
            return false;
        }
        at = found + part.size();
    }
    return true;
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

QVector<MaterialRecord> readMaterials(const QSqlDatabase& database) {
    QStringList columns;
    const QVector<RawRow> rows = readTable(database, QStringLiteral("materials"), columns);
    int fieldColumns[26];
    for (int index = 0; index < 26; ++index) {
        fieldColumns[index] = columnIndex(columns, catalogue::materialColumnOfField(index));
    }
    const int typeColumn = fieldColumns[kTypeField];
    QVector<MaterialRecord> materials;
    materials.reserve(rows.size());
    for (const RawRow& row : rows) {
        MaterialRecord material;
        material.rowid = row.rowid;
        for (int index = 0; index < 26; ++index) {
            material.texts[size_t(index)] = cellText(row, fieldColumns[index]);
        }
        material.permeability = parseNumber(material.texts[kPermeabilityField]);
        material.density = parseNumber(material.texts[kDensityField]);
        material.proposedFluxDensity =
            catalogue::proposedFluxDensityText(parseNumber(material.texts[kSaturationField]),
                                               parseNumber(material.texts[kRemanenceField]))
                .value_or(QString());
        materials.append(std::move(material));
    }
    // The search by type: an empty text lists every row, any other lists
    // the rows whose type it matches.
    for (int m = 0; m < materials.size(); ++m) {
        const QString search = trimBlanks(materials[m].texts[kTypeField]);
        const auto listed = [&](int other) {
            return search.isEmpty() || (!isNullCell(rows[other], typeColumn) &&
                                        matchesSearch(materials[other].texts[kTypeField], search));
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
        core.le = parseNumber(cellText(row, le));
        core.aw = parseNumber(core.awText);
        core.turnLength = parseNumber(cellText(row, lw));
        // The core search always filters: a core without name is never listed.
        core.nullName = isNullCell(row, name);
        core.found = !core.nullName && matchesSearch(core.name, trimBlanks(core.name));
        const QVariant ap = row.values.value(areaProduct);
        core.hasAreaProduct = areaProduct >= 0 && !ap.isNull() &&
                              (ap.typeId() == QMetaType::Double ||
                               ap.typeId() == QMetaType::LongLong || ap.typeId() == QMetaType::Int);
        core.areaProduct = core.hasAreaProduct ? ap.toDouble() : 0.0;
        core.volumeText = catalogue::coreVolumeText(core.le, core.ae).value_or(QString());
        core.volume = parseNumber(core.volumeText);
        cores.append(std::move(core));
    }
    return cores;
}

}  // namespace

QString incompleteDesignMessage() {
    return QStringLiteral("磁芯推荐需要完整的设计要求：输出、输入电压Udc、频率F和占空比D");
}

AdviceDesign readAdviceDesign(const design::DesignSheet& sheet, double marginFactor) {
    AdviceDesign d;
    d.inputPower = sheet.number(Field::txtpint);
    d.marginFactor = marginFactor;
    d.areaProductText = sheet.areaProductText();
    d.shownCore.name = sheet.text(Field::TxtCoreSize);
    d.shownCore.awText = sheet.text(Field::TxtCoreAw);
    d.shownCore.aeText = sheet.text(Field::TxtCoreAe);
    d.shownCore.ae = sheet.number(Field::TxtCoreAe);
    d.shownCore.le = sheet.number(Field::TxtCoreLe);
    d.udc = sheet.number(Field::txtudc);
    d.onTime = sheet.number(Field::Txtton);
    d.inputCurrent = sheet.text(Field::txtis);
    d.primaryInductance = sheet.number(Field::txtlp);
    d.currentDensity = sheet.number(Field::TxtJ);
    d.frequency = sheet.number(Field::TxtF);
    const design::Grid& outputs = sheet.grid(design::Table::MS);
    d.hasOutputs = outputs.rowCount() > 1;
    d.primaryDiameter =
        results::wireDiameterFromCurrent(parseNumber(d.inputCurrent), d.currentDensity)
            .value_or(QString());
    bool anyOutput = false;
    for (int r = 1; r < outputs.rowCount(); ++r) {
        anyOutput = anyOutput || (parseNumber(outputs.cell(r, 1)) > 0.0 &&
                                  parseNumber(outputs.cell(r, 2)) > 0.0);
        AdviceDesign::Output output;
        output.volts = parseNumber(outputs.cell(r, 1)) + parseNumber(outputs.cell(r, 3));
        output.amps = outputs.cell(r, 2);
        output.diameter =
            results::wireDiameterFromCurrent(parseNumber(output.amps), d.currentDensity)
                .value_or(QString());
        d.outputs.append(output);
    }
    const Check standards[4] = {Check::OptIEC, Check::OptVDE, Check::OptUL, Check::OptSelf};
    for (int i = 0; i < 4; ++i) {
        d.standards[i] = sheet.isChecked(standards[i]);
    }
    d.complete = anyOutput && d.udc > 0.0 && d.frequency > 0.0 && d.onTime > 0.0;
    d.storesEnergy = sheet.isChecked(Check::Option1) || sheet.isChecked(Check::Option3);
    d.allowedRise = sheet.number(Field::TXTTEMPD);
    d.primaryTurnsCell = sheet.grid(design::Table::MSwin).cell(0, 1);
    d.inductanceFactor = sheet.text(Field::TxtAl);
    d.effectivePermeability = sheet.text(Field::TxtUe);
    d.gap = sheet.text(Field::TxtGap);
    d.lossPerGram = sheet.text(Field::TXTPLG);
    d.fluxDensity = sheet.text(Field::txtbm);
    for (int index = 0; index < 26; ++index) {
        d.materialTexts[size_t(index)] = sheet.text(design::materialField(index));
    }
    return d;
}

namespace {

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
};

// The factors a results run keeps when it writes none.
struct Factors {
    QString inductanceFactor;
    QString effectivePermeability;
    QString gap;
};

// One results run on a core's Ae and Le: AL, Ue and the gap it writes.
void runFactors(const AdviceDesign& d, double flux, double permeability, double ae, double le,
                Factors& f) {
    const QString primaryTurns =
        d.hasOutputs ? results::turnsFromVoltSeconds(d.udc, d.onTime, flux, ae).value_or(QString())
                     : d.primaryTurnsCell;
    if (const std::optional<QString> al =
            results::inductanceFactorText(d.primaryInductance, parseNumber(primaryTurns))) {
        f.inductanceFactor = *al + QStringLiteral("nH/N2");
    }
    if (const std::optional<QString> ue =
            results::effectivePermeabilityText(parseNumber(f.inductanceFactor), le, ae)) {
        f.effectivePermeability = *ue;
    }
    if (d.storesEnergy) {
        if (const std::optional<QString> gap =
                results::airGapText(permeability, parseNumber(f.effectivePermeability), le)) {
            f.gap = *gap + QStringLiteral("mm");
        }
    }
}

// The core fields as a results run reads them.
struct CoreShown {
    QString name;
    QString awText;
    QString aeText;
    double ae = 0.0;
    double le = 0.0;
};

CoreShown shown(const CoreRecord& core) {
    return {core.name, core.awText, core.aeText, core.ae, core.le};
}

// The first core of the area-product query a material change runs at this
// flux density: -1 for an empty record set, -3 when no query runs.
int areaProductCore(const AdviceDesign& d, const CatalogueSnapshot& catalogue, double flux) {
    QString text = d.areaProductText;
    if (const std::optional<double> ap = catalogue::areaProductMm4(
            d.inputPower, d.onTime, d.marginFactor, flux, d.currentDensity)) {
        if (const std::optional<QString> fixed = formatFixed(*ap, 1)) {
            text = *fixed + QStringLiteral("MM^4");
        }
    }
    const double low = parseNumber(text);
    const double high = low * 1.5;
    if (!formatPlain(low) || !formatPlain(high)) {
        return -3;
    }
    for (int c = 0; c < catalogue.cores.size(); ++c) {
        const CoreRecord& core = catalogue.cores[c];
        if (core.hasAreaProduct && core.areaProduct >= low && core.areaProduct <= high) {
            return c;
        }
    }
    return -1;
}

// The runs a refill of the core fields from `from` to `to` raises, in the
// order of the bound fields: Aw (still the old Ae), Ae, the name.
void runRefill(const AdviceDesign& d, double flux, double permeability, const CoreShown& from,
               const CoreShown& to, Factors& f) {
    if (to.awText != from.awText) {
        runFactors(d, flux, permeability, from.ae, to.le, f);
    }
    if (to.aeText != from.aeText) {
        runFactors(d, flux, permeability, to.ae, to.le, f);
    }
    if (to.name != from.name) {
        runFactors(d, flux, permeability, to.ae, to.le, f);
    }
}

// The windings and factors of one core at one flux density.
struct WindingPart {
    QString primaryTurns;
    QString copperLoss;
    QString fillFactor;
    bool green = false;
    QString inductanceFactor;
    QString gap;  // flyback and RCC only
    QString effectivePermeability;
    bool keptFactors = false;  // AL or Ue kept an earlier run's text
};

// The core's dimensions the windings depend on.
struct CoreGeometry {
    double ae = 0.0;
    double le = 0.0;
    double aw = 0.0;
    double turnLength = 0.0;
};

WindingPart windings(const AdviceDesign& d, const CoreGeometry& core, double flux) {
    WindingPart w;
    w.primaryTurns = d.primaryTurnsCell;
    if (d.hasOutputs) {
        w.primaryTurns =
            results::turnsFromVoltSeconds(d.udc, d.onTime, flux, core.ae).value_or(QString());
    }
    for (const AdviceDesign::Output& output : d.outputs) {
        const QString turns = results::turnsFromVoltSeconds(output.volts, d.onTime, flux, core.ae)
                                  .value_or(QString());
        const results::WindingConductor conductor =
            results::windingConductor(turns, output.diameter, output.amps, core.turnLength);
        if (const std::optional<QString> sum =
                formatPlain(parseNumber(w.copperLoss) + parseNumber(conductor.loss))) {
            w.copperLoss = *sum;
        }
        if (core.aw > 0.0) {
            results::addFillTerm(w.fillFactor, turns, output.diameter, core.aw);
        }
    }
    // After the outputs, the primary's loss joins the total once.
    if (d.hasOutputs) {
        const results::WindingConductor primary = results::windingConductor(
            w.primaryTurns, d.primaryDiameter, d.inputCurrent, core.turnLength);
        if (const std::optional<QString> sum =
                formatPlain(parseNumber(w.copperLoss) + parseNumber(primary.loss))) {
            w.copperLoss = *sum;
        }
    }
    w.green =
        !w.fillFactor.isEmpty() &&
        results::fillFactorColour(parseNumber(w.fillFactor), d.standards) == results::kFillGreen;
    w.inductanceFactor = d.inductanceFactor;
    const std::optional<QString> al =
        results::inductanceFactorText(d.primaryInductance, parseNumber(w.primaryTurns));
    if (al) {
        w.inductanceFactor = *al + QStringLiteral("nH/N2");
    }
    const std::optional<QString> ue =
        results::effectivePermeabilityText(parseNumber(w.inductanceFactor), core.le, core.ae);
    w.effectivePermeability = ue.value_or(d.effectivePermeability);
    w.keptFactors = !al || !ue;
    return w;
}

// An output's numbers as its winding row reads them.
struct OutputNumbers {
    double volts = 0.0;
    double amps = 0.0;
    double diameter = 0.0;
    double wireArea = 0.0;
};

std::vector<OutputNumbers> outputNumbers(const AdviceDesign& d) {
    std::vector<OutputNumbers> outputs;
    outputs.reserve(size_t(d.outputs.size()));
    for (const AdviceDesign::Output& output : d.outputs) {
        OutputNumbers o;
        o.volts = output.volts;
        o.amps = parseNumber(output.amps);
        o.diameter = parseNumber(output.diameter);
        o.wireArea = parseNumber(wire::wireArea(o.diameter).value_or(QString()));
        outputs.push_back(o);
    }
    return outputs;
}

// What a number text written only when finite reads back as: 0 for none.
double readBack(std::optional<double> value) {
    return value.value_or(0.0);
}

// The primary winding as its row reads it; its turns follow the core.
OutputNumbers primaryNumbers(const AdviceDesign& d) {
    OutputNumbers o;
    o.volts = d.udc;
    o.amps = parseNumber(d.inputCurrent);
    o.diameter = parseNumber(d.primaryDiameter);
    return o;
}

// The primary turns a results run writes on a core, as a number.
double primaryTurnsValue(const AdviceDesign& d, double ae, double flux) {
    const std::optional<double> raw = results::turnsValue(d.udc, d.onTime, flux, ae);
    return raw ? readBack(roundPlain(*raw)) : 0.0;
}

// The turns windings() writes for an output, as a number.
double outputTurns(const AdviceDesign& d, const OutputNumbers& o, const CoreRecord& core,
                   double flux) {
    const std::optional<double> turns = results::turnsValue(o.volts, d.onTime, flux, core.ae);
    return turns ? readBack(roundPlain(*turns)) : 0.0;
}

// windings() in numbers, for the pairs that cannot be shown: the fill factor
// and its colour from the turns of every output.
struct WindingNumbers {
    bool green = false;
    double copperLoss = 0.0;  // as its text reads
};

bool greenFill(const AdviceDesign& d, const std::vector<OutputNumbers>& outputs,
               const double* turns, const CoreRecord& core) {
    if (!(core.aw > 0.0) || outputs.empty()) {
        return false;
    }
    double fill = 0.0;
    bool written = false;
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (const std::optional<double> next =
                roundFixed(results::fillSum(fill, turns[i], outputs[i].wireArea, core.aw), 2)) {
            fill = *next;
            written = true;
        }
    }
    return written && results::fillFactorColour(fill, d.standards) == results::kFillGreen;
}

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
        const std::optional<double> resistance = wire::wireResistanceValue(
            o.diameter, turns, m_core->turnLength, wire::kCopperResistivity);
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

KeptNumbers keptNumbers(const AdviceDesign& d, const CoreRecord& core, double flux) {
    KeptNumbers n;
    const double primaryTurns =
        d.hasOutputs ? primaryTurnsValue(d, core.ae, flux) : parseNumber(d.primaryTurnsCell);
    const std::optional<double> alRaw =
        results::inductanceFactorValue(d.primaryInductance, primaryTurns);
    const std::optional<double> al = alRaw ? roundFixed(*alRaw, 1) : std::nullopt;
    const std::optional<double> ueRaw = results::effectivePermeabilityValue(
        al ? *al : parseNumber(d.inductanceFactor), core.le, core.ae);
    const std::optional<double> ue = ueRaw ? roundPlain(*ueRaw) : std::nullopt;
    n.effectivePermeability = ue ? *ue : parseNumber(d.effectivePermeability);
    n.keptFactors = !al || !ue;
    return n;
}

// The factors when the last run writes none of some: what the earlier runs
// of the application left. The core fields change three times: the
// area-product queries of the material's choice, the core search's first
// record, the chosen record; each change runs the results.
// The first core the search with core `c`'s name lists, looked up once per
// core: `firstListed` holds -1 where not yet looked up.
int firstListedCore(const CatalogueSnapshot& catalogue, int c, std::vector<int>& firstListed) {
    int& first = firstListed[size_t(c)];
    if (first < 0) {
        const QString search = trimBlanks(catalogue.cores[c].name);
        first = c;
        for (int other = 0; other < c; ++other) {
            const CoreRecord& core = catalogue.cores[other];
            if (!core.nullName && matchesSearch(core.name, search)) {
                first = other;
                break;
            }
        }
    }
    return first;
}

// The core fields when the core search starts.
CoreShown shownBefore(const AdviceDesign& d, const CatalogueSnapshot& catalogue,
                      const MaterialPart& part) {
    if (part.beforeCore >= 0) {
        return shown(catalogue.cores[part.beforeCore]);
    }
    if (part.beforeCore == -1) {
        return CoreShown();
    }
    return {d.shownCore.name, d.shownCore.awText, d.shownCore.aeText, d.shownCore.ae,
            d.shownCore.le};
}

// Calls `refill(from, to)` for each refill of the core fields the core
// search for core `c` makes: from the core shown before to the first core
// its name lists, then to core `c` when that is another.
template <typename Refill>
void forEachCoreRefill(const AdviceDesign& d, const CatalogueSnapshot& catalogue,
                       const MaterialPart& part, int c, std::vector<int>& firstListed,
                       const Refill& refill) {
    const int first = firstListedCore(catalogue, c, firstListed);
    refill(shownBefore(d, catalogue, part), catalogue.cores[first]);
    if (first != c) {
        refill(shown(catalogue.cores[first]), catalogue.cores[c]);
    }
}

Factors historyFactors(const AdviceDesign& d, const CatalogueSnapshot& catalogue,
                       const MaterialPart& part, int c, std::vector<int>& firstListed) {
    const MaterialRecord& material = catalogue.materials[part.index];
    Factors f{d.inductanceFactor, d.effectivePermeability, d.gap};
    forEachCoreRefill(d, catalogue, part, c, firstListed,
                      [&](const CoreShown& from, const CoreRecord& to) {
                          runRefill(d, part.flux, material.permeability, from, shown(to), f);
                      });
    const CoreRecord& chosen = catalogue.cores[c];
    runFactors(d, part.flux, material.permeability, chosen.ae, chosen.le, f);
    return f;
}

// Where the core loss TxtCorePl shows after the pair is applied comes from:
// its last write, from the volume of the core then shown, with three
// decimals (the flux-density handling before the core search, or a change
// of Ae) or one (a change of the core's name, written last in a refill).
struct LossSource {
    double volume = 0.0;  // TxtCoreVe as its text reads
    int decimals = 3;
};

LossSource lossSource(const AdviceDesign& d, const CatalogueSnapshot& catalogue,
                      const MaterialPart& part, int c, std::vector<int>& firstListed) {
    LossSource source{part.beforeVolume, 3};
    forEachCoreRefill(d, catalogue, part, c, firstListed,
                      [&source](const CoreShown& from, const CoreRecord& to) {
                          if (to.aeText != from.aeText) {
                              source = {to.volume, 3};
                          }
                          if (to.name != from.name) {
                              source = {to.volume, 1};
                          }
                      });
    return source;
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

const QStringList& adviceColumnNames() {
    static const QStringList names = {
        QStringLiteral("磁芯"),    QStringLiteral("材质"),      QStringLiteral("厂家"),
        QStringLiteral("N1"),      QStringLiteral("Bm(mT)"),    QStringLiteral("磁芯损耗(W)"),
        QStringLiteral("铜损(W)"), QStringLiteral("总损耗(W)"), QStringLiteral("温升(℃)"),
        QStringLiteral("占积率"),  QStringLiteral("AL(nH/N2)"), QStringLiteral("气隙(mm)")};
    return names;
}

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

namespace {

// A material that has a loss estimate at its proposed flux density.
std::optional<MaterialPart> candidateMaterial(const AdviceDesign& d, const MaterialRecord& record,
                                              int index) {
    if (!record.found || !(parseNumber(record.proposedFluxDensity) > 0.0) ||
        !catalogue::hasLossClass(record.permeability)) {
        return std::nullopt;
    }
    MaterialPart part;
    part.index = index;
    // Choosing a record that shows what the fields already show, after a
    // search whose first record shows it too, changes no field: txtbm keeps
    // its text.
    part.unchanged = record.firstOfSearchAlike && record.texts == d.materialTexts;
    part.fluxText = part.unchanged ? d.fluxDensity : record.proposedFluxDensity;
    part.flux = parseNumber(part.fluxText);
    const QString lossDensity =
        catalogue::estimateLossDensity(d.frequency, part.flux, record.permeability);
    part.lossPerGram = catalogue::lossPerGramText(parseNumber(lossDensity), record.density)
                           .value_or(d.lossPerGram);
    part.lossPerGramValue = parseNumber(part.lossPerGram);
    return part;
}

// The core's weight as its text reads.
double coreWeight(double density, double volume) {
    return readBack(roundPlain(catalogue::coreWeight(density, volume)));
}

// Where a pair's core loss comes from. Most pairs end on a change of the
// core's name, with one decimal from the core's own volume: when no earlier
// core has its name, the search lists it first or another name first, and
// either way its refill changes the name unless the core shown before had
// it. Only the others go through the refills one by one.
LossSource pairLossSource(const AdviceContext& context, const MaterialPart& part, int c,
                          std::vector<int>& firstListed) {
    const CoreRecord& core = context.catalogue->cores[c];
    if (!core.sameNameEarlier && part.beforeNameId != core.nameId) {
        return {core.volume, 1};
    }
    return lossSource(context.design, *context.catalogue, part, c, firstListed);
}

// The core loss before its rounding.
double rawCoreLoss(double weight, double lossPerGram) {
    return catalogue::coreLoss(weight, lossPerGram);
}

// The sum of two numbers of at most three decimals as its plain text reads:
// below a million, the sum rounded to three decimals, which is quicker.
double plainSum(double a, double b) {
    const double sum = a + b;
    if (std::fabs(sum) < 1e6) {
        if (const std::optional<double> rounded = roundFixed(sum, 3)) {
            return *rounded;
        }
    }
    return readBack(roundPlain(sum));
}

// A pair's losses and temperature rise as the design window writes them.
struct PairNumbers {
    double coreLoss = 0.0;            // as its text reads
    double totalLoss = 0.0;           // as its text reads
    std::optional<double> rise;       // before rounding
    std::optional<double> shownRise;  // as its text reads
    bool feasible = false;
};

PairNumbers pairNumbers(const AdviceDesign& d, double rawLoss, int decimals, double copperLoss,
                        const results::WindowRise& window, bool green) {
    PairNumbers p;
    p.coreLoss = readBack(roundFixed(rawLoss, decimals));
    p.totalLoss = plainSum(p.coreLoss, copperLoss);
    p.rise = window.of(p.totalLoss);
    p.shownRise = p.rise ? roundFixed(*p.rise, 1) : std::nullopt;
    p.feasible = green && p.shownRise && *p.shownRise <= d.allowedRise;
    return p;
}

// Whether the pair's rise is above the allowed rise however its losses
// round: the core loss moves by at most half its last decimal, the total
// and the rise by far less than the margins below, the rise's text by
// 0.05 ℃. Saves the roundings of most hot pairs.
bool surelyTooHot(const AdviceDesign& d, double rawLoss, int decimals, double copperLoss,
                  const results::WindowRise& window) {
    if (!(window.perWatt() > 0.0)) {
        return false;
    }
    const double halfUnit = decimals == 1 ? 0.05 : 0.0005;
    const double lowestTotal = rawLoss + copperLoss - halfUnit - 0.0001;
    return lowestTotal > 0.0 &&
           window.perWatt() * lowestTotal * (1.0 - 1e-9) - 0.0501 > d.allowedRise;
}

QStringList rowTexts(const AdviceContext& context, const AdviceRow& row) {
    const CatalogueSnapshot& catalogue = *context.catalogue;
    if (row.core < 0 || row.core >= catalogue.cores.size() || row.material < 0 ||
        size_t(row.material) >= context.parts.size() || !context.parts[size_t(row.material)]) {
        return {};
    }
    const AdviceDesign& d = context.design;
    const CoreRecord& core = catalogue.cores[row.core];
    const MaterialRecord& material = catalogue.materials[row.material];
    const MaterialPart& part = *context.parts[size_t(row.material)];
    LossSource source;
    {
        const std::lock_guard lock(context.mutex);
        source = pairLossSource(context, part, row.core, context.firstListed);
    }
    const double rawLoss =
        rawCoreLoss(coreWeight(material.density, source.volume), part.lossPerGramValue);
    const WindingPart w =
        windings(d, CoreGeometry{core.ae, core.le, core.aw, core.turnLength}, part.flux);
    const KeptNumbers kept = keptNumbers(d, core, part.flux);
    QString inductanceFactor = w.inductanceFactor;
    QString gap = d.gap;
    // A factor the last run writes no value for keeps an earlier run's.
    bool history = kept.keptFactors;
    if (!history && d.storesEnergy) {
        const std::optional<double> value =
            results::airGapValue(material.permeability, kept.effectivePermeability, core.le);
        history = !value || !std::isfinite(*value);
        if (!history) {
            gap = *formatFixed(*value, 3) + QStringLiteral("mm");
        }
    }
    if (history) {
        const std::lock_guard lock(context.mutex);
        const Factors factors = historyFactors(d, catalogue, part, row.core, context.firstListed);
        inductanceFactor = factors.inductanceFactor;
        gap = factors.gap;
    }
    const QString coreLoss = formatFixed(rawLoss, source.decimals).value_or(QString());
    const std::optional<QString> total =
        formatPlain(parseNumber(coreLoss) + parseNumber(w.copperLoss));
    return {core.name,
            material.texts[kTypeField],
            core.factory,
            w.primaryTurns,
            part.fluxText,
            coreLoss,
            w.copperLoss,
            total.value_or(QString()),
            results::temperatureRise(core.awText, total.value_or(QString())).value_or(QString()),
            w.fillFactor,
            inductanceFactor,
            gap};
}

// The rows in the order of `key`, ties in the order they come in. One
// counting pass puts them into buckets that never decrease as the key
// grows; a bucket that holds different keys is then sorted by key.
template <typename Key, typename Bucket>
std::vector<AdviceRow> sortedByBuckets(const std::vector<AdviceRow>& rows, size_t buckets, Key key,
                                       Bucket bucket) {
    std::vector<size_t> start(buckets + 1, 0);
    for (const AdviceRow& row : rows) {
        ++start[bucket(row) + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<size_t> next(start.begin(), start.end() - 1);
    std::vector<AdviceRow> sorted(rows.size());
    for (const AdviceRow& row : rows) {
        sorted[next[bucket(row)]++] = row;
    }
    const auto byKey = [&key](const AdviceRow& a, const AdviceRow& b) { return key(a) < key(b); };
    for (size_t b = 0; b < buckets; ++b) {
        const auto first = sorted.begin() + std::ptrdiff_t(start[b]);
        const auto last = sorted.begin() + std::ptrdiff_t(start[b + 1]);
        if (last - first > 1 && !std::is_sorted(first, last, byKey)) {
            std::stable_sort(first, last, byKey);
        }
    }
    return sorted;
}

// The rows by a key read from a text with as many decimals as `scale` has
// zeros (+infinity for none), bucketed by the key in units of its last
// decimal. Keys too large for that, or too spread out, are sorted by
// comparison.
template <typename Key>
std::vector<AdviceRow> sortedByDecimalKey(std::vector<AdviceRow> rows, Key key, double scale) {
    constexpr double kExactWhole = 4503599627370496.0;  // 2^52
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    bool whole = true;
    for (const AdviceRow& row : rows) {
        const double k = key(row);
        if (k == std::numeric_limits<double>::infinity()) {
            continue;
        }
        const double scaled = k * scale;
        if (!(std::fabs(scaled) < kExactWhole)) {
            whole = false;
            break;
        }
        low = std::min(low, scaled);
        high = std::max(high, scaled);
    }
    // Keys in units of their last decimal, less the lowest, lie near whole
    // numbers: adding a half and truncating gives each its bucket.
    const double spread = high >= low ? high - low + 1.5 : 0.0;
    if (!whole || spread > std::max(4.0 * double(rows.size()), 65536.0)) {
        std::stable_sort(rows.begin(), rows.end(), [&key](const AdviceRow& a, const AdviceRow& b) {
            return key(a) < key(b);
        });
        return rows;
    }
    const size_t infinite = size_t(spread);
    return sortedByBuckets(rows, infinite + 1, key, [&](const AdviceRow& row) {
        const double k = key(row);
        return k == std::numeric_limits<double>::infinity() ? infinite
                                                            : size_t(k * scale - low + 0.5);
    });
}

std::vector<AdviceRow> sortedRows(std::vector<AdviceRow> rows, AdviceOrder order,
                                  const CatalogueSnapshot& catalogue) {
    switch (order) {
        case AdviceOrder::TemperatureRise:
            return sortedByDecimalKey(
                std::move(rows),
                [](const AdviceRow& row) {
                    return row.hasTemperatureRise ? row.temperatureRise
                                                  : std::numeric_limits<double>::infinity();
                },
                10.0);
        case AdviceOrder::Volume: {
            // The cores ranked by volume, equal volumes alike.
            std::vector<int> byVolume(size_t(catalogue.cores.size()));
            std::iota(byVolume.begin(), byVolume.end(), 0);
            const auto volume = [&catalogue](int c) { return catalogue.cores[c].volume; };
            std::stable_sort(byVolume.begin(), byVolume.end(),
                             [&volume](int a, int b) { return volume(a) < volume(b); });
            std::vector<size_t> rank(byVolume.size());
            size_t ranks = 0;
            for (size_t i = 0; i < byVolume.size(); ++i) {
                if (i > 0 && volume(byVolume[i]) != volume(byVolume[i - 1])) {
                    ++ranks;
                }
                rank[size_t(byVolume[i])] = ranks;
            }
            return sortedByBuckets(
                rows, ranks + 1, [&volume](const AdviceRow& row) { return volume(row.core); },
                [&rank](const AdviceRow& row) { return rank[size_t(row.core)]; });
        }
        case AdviceOrder::TotalLoss:
            break;
    }
    return sortedByDecimalKey(
        std::move(rows), [](const AdviceRow& row) { return row.totalLoss; }, 1000.0);
}

}  // namespace

QStringList Advice::texts(const AdviceRow& row) const {
    return m_context ? rowTexts(*m_context, row) : QStringList();
}

QString Advice::text(const AdviceRow& row, AdviceColumn column) const {
    if (!m_context) {
        return {};
    }
    const CatalogueSnapshot& catalogue = *m_context->catalogue;
    const bool known = row.core >= 0 && row.core < catalogue.cores.size() && row.material >= 0 &&
                       size_t(row.material) < m_context->parts.size() &&
                       m_context->parts[size_t(row.material)];
    if (!known || isEvaluatedColumn(column)) {
        return texts(row).value(int(column));
    }
    switch (column) {
        case AdviceColumn::Core:
            return catalogue.cores[row.core].name;
        case AdviceColumn::Material:
            return catalogue.materials[row.material].texts[kTypeField];
        case AdviceColumn::Maker:
            return catalogue.cores[row.core].factory;
        case AdviceColumn::FluxDensity:
            return m_context->parts[size_t(row.material)]->fluxText;
        default:
            return {};
    }
}

std::shared_ptr<const CatalogueSnapshot> Advice::catalogue() const {
    return m_context ? m_context->catalogue : nullptr;
}

std::vector<int> Advice::orderBy(AdviceColumn column, bool descending,
                                 const std::atomic<bool>* cancel) const {
    constexpr double kNone = std::numeric_limits<double>::infinity();
    std::vector<int> order(static_cast<size_t>(size()));
    std::iota(order.begin(), order.end(), 0);
    const auto sorted = [&order, descending](const auto& keys) {
        std::stable_sort(order.begin(), order.end(), [&keys, descending](int a, int b) {
            return descending ? keys[size_t(b)] < keys[size_t(a)]
                              : keys[size_t(a)] < keys[size_t(b)];
        });
        return std::move(order);
    };
    const auto cancelled = [cancel](size_t i) {
        return i % 1024 == 0 && cancel != nullptr && cancel->load(std::memory_order_relaxed);
    };
    if (!isNumericColumn(column)) {
        std::vector<QString> keys(order.size());
        for (size_t i = 0; i < keys.size(); ++i) {
            if (cancelled(i)) {
                return {};
            }
            keys[i] = text((*this)[qsizetype(i)], column);
        }
        return sorted(keys);
    }
    std::vector<double> keys(order.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        if (cancelled(i)) {
            return {};
        }
        const AdviceRow& row = (*this)[qsizetype(i)];
        if (column == AdviceColumn::TotalLoss) {
            keys[i] = row.totalLoss;
        } else if (column == AdviceColumn::TemperatureRise) {
            keys[i] = row.hasTemperatureRise ? row.temperatureRise : kNone;
        } else {
            const QString shown = text(row, column);
            keys[i] = shown.isEmpty() ? kNone : parseNumber(shown);
        }
    }
    return sorted(keys);
}

Advice advise(const AdviceDesign& d, std::shared_ptr<const CatalogueSnapshot> shared,
              const AdviceOptions& options, const std::atomic<bool>* cancel,
              std::atomic<int>* coresDone) {
    if (!shared || !d.complete) {
        return {};
    }
    const CatalogueSnapshot& catalogue = *shared;
    auto context = std::make_shared<AdviceContext>();
    context->design = d;
    context->catalogue = std::move(shared);
    context->outputs = outputNumbers(d);
    context->primary = primaryNumbers(d);
    context->parts.resize(size_t(catalogue.materials.size()));
    context->firstListed.assign(size_t(catalogue.cores.size()), -1);
    // The core each flux density's area-product query shows first.
    QHash<QString, int> areaProductCores;
    // The candidate materials, grouped by flux density (which decides the
    // windings) and by density (which decides the core weight).
    std::vector<MaterialPart> materials;
    QStringList fluxTexts;
    QVector<double> densities;
    for (int m = 0; m < catalogue.materials.size(); ++m) {
        std::optional<MaterialPart> part = candidateMaterial(d, catalogue.materials[m], m);
        if (!part) {
            continue;
        }
        const double density = catalogue.materials[m].density;
        part->densityGroup = int(densities.indexOf(density));
        if (part->densityGroup < 0) {
            part->densityGroup = int(densities.size());
            densities.append(density);
        }
        part->fluxGroup = int(fluxTexts.indexOf(part->fluxText));
        if (part->fluxGroup < 0) {
            part->fluxGroup = int(fluxTexts.size());
            fluxTexts.append(part->fluxText);
        }
        if (!part->unchanged) {
            auto before = areaProductCores.constFind(part->fluxText);
            if (before == areaProductCores.constEnd()) {
                before = areaProductCores.insert(part->fluxText,
                                                 areaProductCore(d, catalogue, part->flux));
            }
            part->beforeCore = *before;
        }
        const CoreShown before = shownBefore(d, catalogue, *part);
        part->beforeVolume =
            parseNumber(catalogue::coreVolumeText(before.le, before.ae).value_or(QString()));
        part->beforeNameId = catalogue.coreNameIds.value(before.name, -1);
        context->parts[size_t(m)] = part;
        materials.push_back(*part);
    }
    const std::vector<OutputNumbers>& outputs = context->outputs;
    const size_t outputCount = outputs.size();
    std::vector<double> fluxes(size_t(fluxTexts.size()));
    for (int g = 0; g < fluxTexts.size(); ++g) {
        fluxes[size_t(g)] = parseNumber(fluxTexts[g]);
    }
    // Turns never grow with the flux density: in its order, flux densities
    // that give a core the same turns follow one another and share windings.
    std::vector<int> byFlux(fluxes.size());
    std::iota(byFlux.begin(), byFlux.end(), 0);
    std::stable_sort(byFlux.begin(), byFlux.end(),
                     [&fluxes](int a, int b) { return fluxes[size_t(a)] < fluxes[size_t(b)]; });
    std::vector<WindingNumbers> numbers(fluxes.size());
    // The turns of each output, then of the primary.
    std::vector<double> turns(outputCount + 1);
    std::vector<double> lastTurns(outputCount + 1);
    std::vector<double> weights(size_t(densities.size()));
    CopperLoss copperLoss(outputs, context->primary);
    std::vector<AdviceRow> found;
    // Room for every pair costs address space only until rows are written.
    constexpr size_t kMostReserved = size_t(1) << 25;
    found.reserve(std::min(size_t(catalogue.cores.size()) * materials.size(), kMostReserved));
    for (int c = 0; c < catalogue.cores.size(); ++c) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
            return {};
        }
        if (coresDone != nullptr) {
            coresDone->store(c, std::memory_order_relaxed);
        }
        const CoreRecord& core = catalogue.cores[c];
        if (!core.found || materials.empty()) {
            continue;
        }
        bool anyGreen = false;
        copperLoss.setCore(core);
        for (size_t k = 0; k < byFlux.size(); ++k) {
            const size_t g = size_t(byFlux[k]);
            for (size_t i = 0; i < outputCount; ++i) {
                turns[i] = outputTurns(d, outputs[i], core, fluxes[g]);
            }
            turns[outputCount] = primaryTurnsValue(d, core.ae, fluxes[g]);
            if (k > 0 && turns == lastTurns) {
                numbers[g] = numbers[size_t(byFlux[k - 1])];
                continue;
            }
            numbers[g] = WindingNumbers();
            numbers[g].green = greenFill(d, outputs, turns.data(), core);
            anyGreen = anyGreen || numbers[g].green;
            // Only the feasible rows are listed by default, and those need green.
            if (numbers[g].green || !options.feasibleOnly) {
                numbers[g].copperLoss = copperLoss.of(turns.data());
            }
            lastTurns.swap(turns);
        }
        // Without a green fill factor no pair of the core is feasible.
        if (options.feasibleOnly && !anyGreen) {
            continue;
        }
        for (size_t g = 0; g < weights.size(); ++g) {
            weights[g] = coreWeight(densities[int(g)], core.volume);
        }
        const results::WindowRise window(core.aw);
        for (const MaterialPart& part : materials) {
            const WindingNumbers& n = numbers[size_t(part.fluxGroup)];
            if (options.feasibleOnly && !n.green) {
                continue;
            }
            const LossSource source = pairLossSource(*context, part, c, context->firstListed);
            const double weight =
                source.volume == core.volume
                    ? weights[size_t(part.densityGroup)]
                    : coreWeight(catalogue.materials[part.index].density, source.volume);
            const double rawLoss = rawCoreLoss(weight, part.lossPerGramValue);
            if (options.feasibleOnly &&
                surelyTooHot(d, rawLoss, source.decimals, n.copperLoss, window)) {
                continue;
            }
            const PairNumbers p =
                pairNumbers(d, rawLoss, source.decimals, n.copperLoss, window, n.green);
            if (options.feasibleOnly && !p.feasible) {
                continue;
            }
            found.push_back(AdviceRow{c, part.index, p.feasible, p.shownRise.has_value(),
                                      p.totalLoss, p.shownRise.value_or(0.0)});
        }
    }
    auto rows = std::make_shared<const std::vector<AdviceRow>>(
        sortedRows(std::move(found), options.order, catalogue));
    return Advice(std::move(context), std::move(rows));
}

}  // namespace kelvane::advice
