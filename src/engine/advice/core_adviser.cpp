#include "engine/advice/core_adviser.h"

#include "engine/advice/advice_order.h"
#include "engine/base/conductor_formulas.h"
#include "engine/base/number_text.h"
#include "engine/catalogue/core_formulas.h"
#include "engine/catalogue/search_rule.h"
#include "engine/check/check_input.h"
#include "engine/results/results_formulas.h"
#include "engine/sheet/design_sheet.h"

#include <QCoreApplication>
#include <QHash>
#include <queue>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <mutex>
#include <numeric>
#include <optional>
#include <thread>
#include <vector>

namespace kelvane::advice {

using design::Check;
using design::Field;

namespace {

// Material fields by their column; the TxtApp index is the column's place.
constexpr int kTypeField = int(design::MaterialColumn::Type);

}  // namespace

QString incompleteDesignMessage() {
    return QStringLiteral(QT_TRANSLATE_NOOP(
        "kelvane::messages", "磁芯推荐需要完整的设计要求：输出、输入电压Udc、频率F和占空比D"));
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
    d.check = check::fromSheet(sheet);
    bool anyOutput = false;
    for (int r = 1; r < outputs.rowCount(); ++r) {
        // The check leaves out the empty row a new design shows.
        if (!trimBlanks(outputs.cell(r, 1)).isEmpty() ||
            !trimBlanks(outputs.cell(r, 2)).isEmpty()) {
            d.checkedOutputs.push_back(r - 1);
        }
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
    for (int i = 0; i < results::kFillStandardCount; ++i) {
        d.standards[i] = sheet.isChecked(results::kFillStandards[i]);
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
    for (int index = 0; index < design::kMaterialFieldCount; ++index) {
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
    check::CheckMaterial checkMaterial;
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
    w.green = !w.fillFactor.isEmpty() &&
              results::fillFactorColour(parseNumber(w.fillFactor), d.standards) == design::kGreen;
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
        o.wireArea = parseNumber(wireArea(o.diameter).value_or(QString()));
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
    bool voltageFails = false;  // known only for green windings of a feasible-only run
    double copperLoss = 0.0;    // as its text reads
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
    return written && results::fillFactorColour(fill, d.standards) == design::kGreen;
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
            if (!core.nullName && catalogue::matchesPrefixSearch(core.name, search)) {
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

const QStringList& adviceColumnNames() {
    static const QStringList names = {
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "磁芯")),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "材质")),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "厂家")),
        QStringLiteral("N1"),
        QStringLiteral("Bm(mT)"),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "磁芯损耗(W)")),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "铜损(W)")),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "总损耗(W)")),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "温升(℃)")),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "占积率")),
        QStringLiteral("AL(nH/N2)"),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "气隙(mm)")),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "校核")),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "校核原因")),
        QStringLiteral("Ve(cm³)"),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "质量(g)")),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "外形(mm)"))};
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
    check::CheckInput material;
    material.frequencyKHz = d.check.frequencyKHz;
    check::readMaterial(material, record.texts);
    part.checkMaterial = check::checkMaterial(material);
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

PairGap pairGap(const AdviceContext& context, const MaterialPart& part, int c,
                const KeptNumbers& kept) {
    const AdviceDesign& d = context.design;
    const CatalogueSnapshot& catalogue = *context.catalogue;
    PairGap gap{kept.keptFactors, std::nullopt, {}, {}};
    if (!gap.history && d.storesEnergy) {
        const std::optional<double> value =
            results::airGapValue(catalogue.materials[part.index].permeability,
                                 kept.effectivePermeability, catalogue.cores[c].le);
        gap.history = !value || !std::isfinite(*value);
        if (!gap.history) {
            gap.written = value;
        }
    }
    if (gap.history) {
        const std::lock_guard lock(context.mutex);
        const Factors factors = historyFactors(d, catalogue, part, c, context.firstListed);
        gap.kept = factors.gap;
        gap.keptInductanceFactor = factors.inductanceFactor;
    } else if (!gap.written) {
        // A forward design's results write no gap: TxtGap keeps its text.
        gap.kept = d.gap;
    }
    return gap;
}

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

// The texts of the columns that need no evaluation of the pair: the
// catalogue's, the material's and the check's stored with the row.
QString shownText(const AdviceContext& context, const AdviceRow& row, AdviceColumn column) {
    const CoreRecord& core = context.catalogue->cores[row.core];
    switch (column) {
        case AdviceColumn::Core:
            return core.name;
        case AdviceColumn::Material:
            return context.catalogue->materials[row.material].texts[kTypeField];
        case AdviceColumn::Maker:
            return core.factory;
        case AdviceColumn::FluxDensity:
            return context.parts[size_t(row.material)]->fluxText;
        case AdviceColumn::CheckVerdict:
            return check::verdictName(row.pairVerdict().verdict);
        case AdviceColumn::CheckReason:
            return check::pairItemCaption(row.pairVerdict());
        case AdviceColumn::Volume:
            return core.catalogueVolume;
        case AdviceColumn::Mass:
            return core.mass;
        case AdviceColumn::OuterSize:
            return core.outerSize;
        default:
            return {};
    }
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
    const PairGap gap = pairGap(context, part, row.core, keptNumbers(d, core, part.flux));
    const QString inductanceFactor = gap.history ? gap.keptInductanceFactor : w.inductanceFactor;
    const QString coreLoss = formatFixed(rawLoss, source.decimals).value_or(QString());
    const std::optional<QString> total =
        formatPlain(parseNumber(coreLoss) + parseNumber(w.copperLoss));
    QStringList texts;
    texts.reserve(kAdviceColumnCount);
    for (int column = 0; column < kAdviceColumnCount; ++column) {
        switch (AdviceColumn(column)) {
            case AdviceColumn::PrimaryTurns:
                texts.append(w.primaryTurns);
                break;
            case AdviceColumn::CoreLoss:
                texts.append(coreLoss);
                break;
            case AdviceColumn::CopperLoss:
                texts.append(w.copperLoss);
                break;
            case AdviceColumn::TotalLoss:
                texts.append(total.value_or(QString()));
                break;
            case AdviceColumn::TemperatureRise:
                texts.append(results::temperatureRise(core.awText, total.value_or(QString()))
                                 .value_or(QString()));
                break;
            case AdviceColumn::FillFactor:
                texts.append(w.fillFactor);
                break;
            case AdviceColumn::InductanceFactor:
                texts.append(inductanceFactor);
                break;
            case AdviceColumn::Gap:
                texts.append(gap.text());
                break;
            default:
                texts.append(shownText(context, row, AdviceColumn(column)));
                break;
        }
    }
    return texts;
}

// What a run evaluates every core with: the candidate materials and the
// flux densities they propose, in the order that groups equal windings.
struct RunPlan {
    std::vector<MaterialPart> materials;
    QVector<double> densities;
    std::vector<double> fluxes;  // by flux group
    std::vector<int> byFlux;     // the flux groups by ascending flux density
};

// What a worker keeps from one range of cores to the next; it takes its
// ranges in catalogue order.
struct WorkerState {
    explicit WorkerState(qsizetype cores) : firstListed(size_t(cores), -1) {}

    // Whether an output's voltage fails, by the turns of the windings.
    std::map<std::vector<double>, bool> failingVoltages;
    // The first core each name's search lists.
    std::vector<int> firstListed;
    // The keys of the best rows so far, when only the first rows are asked
    // for: every row is feasible, and the order is by loss or rise.
    std::priority_queue<double> best;
};

// The rows of the cores first … last − 1 in catalogue order; none when
// `cancel` is set.
std::vector<AdviceRow> evaluateCores(const AdviceContext& context, const RunPlan& plan,
                                     const AdviceOptions& options, int first, int last,
                                     WorkerState& state, const std::atomic<bool>* cancel,
                                     std::atomic<int>* coresDone) {
    const AdviceDesign& d = context.design;
    const CatalogueSnapshot& catalogue = *context.catalogue;
    const std::vector<OutputNumbers>& outputs = context.outputs;
    const size_t outputCount = outputs.size();
    std::vector<WindingNumbers> numbers(plan.fluxes.size());
    // The turns of each output, then of the primary.
    std::vector<double> turns(outputCount + 1);
    std::vector<double> lastTurns(outputCount + 1);
    std::vector<double> weights(size_t(plan.densities.size()));
    CopperLoss copperLoss(outputs, context.primary);
    // Each flux density's first in the order that gives the core the same
    // windings, and the check's view of those windings, made when a pair of
    // them is first judged.
    std::vector<size_t> sameWindings(plan.fluxes.size());
    std::vector<std::optional<WoundGroup>> wound(plan.fluxes.size());
    std::vector<size_t> woundMade;
    WoundInputs woundInputs(d);
    std::vector<AdviceRow> found;
    const bool bounded =
        options.limit > 0 && options.feasibleOnly && options.order != AdviceOrder::Volume;
    std::priority_queue<double>& best = state.best;
    std::vector<int>& firstListed = state.firstListed;
    for (int c = first; c < last; ++c) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
            return {};
        }
        if (coresDone != nullptr) {
            coresDone->fetch_add(1, std::memory_order_relaxed);
        }
        const CoreRecord& core = catalogue.cores[c];
        if (!core.found || plan.materials.empty()) {
            continue;
        }
        for (const size_t g : woundMade) {
            wound[g].reset();
        }
        woundMade.clear();
        // The check's view of the windings a pair's flux density gives; the
        // core's fields are copied for the first of them only, as most
        // cores never need one.
        bool coreSet = false;
        const auto woundGroup = [&](size_t same) -> const WoundGroup& {
            if (!wound[same]) {
                if (!coreSet) {
                    woundInputs.setCore(core);
                    coreSet = true;
                }
                wound[same].emplace(WoundGroup{check::WoundCore(woundInputs.at(plan.fluxes[same])),
                                               keptNumbers(d, core, plan.fluxes[same])});
                woundMade.push_back(same);
            }
            return *wound[same];
        };
        bool anyCandidate = false;
        copperLoss.setCore(core);
        for (size_t k = 0; k < plan.byFlux.size(); ++k) {
            const size_t g = size_t(plan.byFlux[k]);
            for (size_t i = 0; i < outputCount; ++i) {
                turns[i] = outputTurns(d, outputs[i], core, plan.fluxes[g]);
            }
            turns[outputCount] = primaryTurnsValue(d, core.ae, plan.fluxes[g]);
            if (k > 0 && turns == lastTurns) {
                numbers[g] = numbers[size_t(plan.byFlux[k - 1])];
                sameWindings[g] = sameWindings[size_t(plan.byFlux[k - 1])];
                continue;
            }
            sameWindings[g] = g;
            numbers[g] = WindingNumbers();
            numbers[g].green = greenFill(d, outputs, turns.data(), core);
            // Only the feasible rows are listed by default, and those need
            // green and output voltages that do not fail. The voltages
            // follow from the turns alone, which many cores share.
            if (options.feasibleOnly && numbers[g].green) {
                auto known = state.failingVoltages.find(turns);
                if (known == state.failingVoltages.end()) {
                    known = state.failingVoltages
                                .emplace(turns, woundGroup(g).wound.outputVoltageFails())
                                .first;
                }
                numbers[g].voltageFails = known->second;
            }
            const bool candidate = numbers[g].green && !numbers[g].voltageFails;
            anyCandidate = anyCandidate || candidate;
            if (candidate || !options.feasibleOnly) {
                numbers[g].copperLoss = copperLoss.of(turns.data());
            }
            lastTurns.swap(turns);
        }
        if (options.feasibleOnly && !anyCandidate) {
            continue;
        }
        for (size_t g = 0; g < weights.size(); ++g) {
            weights[g] = coreWeight(plan.densities[int(g)], core.volume);
        }
        const results::WindowRise window(core.aw);
        for (const MaterialPart& part : plan.materials) {
            const WindingNumbers& n = numbers[size_t(part.fluxGroup)];
            if (options.feasibleOnly && (!n.green || n.voltageFails)) {
                continue;
            }
            const size_t same = sameWindings[size_t(part.fluxGroup)];
            // Windings that fail on every material spare the pricing.
            if (options.feasibleOnly && woundGroup(same).wound.failsWhateverMaterial()) {
                continue;
            }
            const LossSource source = pairLossSource(context, part, c, firstListed);
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
            // With a limit, a pair no better than the worst of the first
            // rows so far cannot enter them: a worker's rows come in
            // catalogue order, which breaks ties. The check is spared for it.
            const double key = options.order == AdviceOrder::TemperatureRise
                                   ? p.shownRise.value_or(std::numeric_limits<double>::infinity())
                                   : p.totalLoss;
            if (bounded && best.size() == size_t(options.limit) && !(key < best.top())) {
                continue;
            }
            const WoundGroup& group = woundGroup(same);
            const check::PairVerdict verdict = group.wound.verdict(
                part.checkMaterial, pairGap(context, part, c, group.kept).millimetres());
            const bool feasible = p.feasible && verdict.verdict != check::Verdict::Fail;
            if (options.feasibleOnly && !feasible) {
                continue;
            }
            AdviceRow row{c, part.index, feasible, p.shownRise.has_value()};
            row.checkVerdict = quint8(verdict.verdict);
            row.checkItem = quint8(verdict.item);
            row.checkOutput = quint16(verdict.output);
            row.totalLoss = p.totalLoss;
            row.temperatureRise = p.shownRise.value_or(0.0);
            found.push_back(row);
            if (bounded) {
                best.push(key);
                if (best.size() > size_t(options.limit)) {
                    best.pop();
                }
            }
        }
    }
    return found;
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
    return shownText(*m_context, row, column);
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
        if (options.powerOnly && !catalogue.materials[m].power) {
            continue;
        }
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
    RunPlan plan;
    plan.materials = std::move(materials);
    plan.densities = std::move(densities);
    plan.fluxes.resize(size_t(fluxTexts.size()));
    for (int g = 0; g < fluxTexts.size(); ++g) {
        plan.fluxes[size_t(g)] = parseNumber(fluxTexts[g]);
    }
    // Turns never grow with the flux density: in its order, flux densities
    // that give a core the same turns follow one another and share windings.
    plan.byFlux.resize(plan.fluxes.size());
    std::iota(plan.byFlux.begin(), plan.byFlux.end(), 0);
    std::stable_sort(plan.byFlux.begin(), plan.byFlux.end(), [&plan](int a, int b) {
        return plan.fluxes[size_t(a)] < plan.fluxes[size_t(b)];
    });
    if (coresDone != nullptr) {
        coresDone->store(0, std::memory_order_relaxed);
    }
    // The workers take the next range of cores as they finish one, so that
    // neither waits on the other where the feasible cores crowd; the
    // ranges' rows, joined in core order, are the rows of one worker over all.
    constexpr int kRangeCores = 256;
    const int cores = int(catalogue.cores.size());
    const int ranges = (cores + kRangeCores - 1) / kRangeCores;
    const int workers = std::clamp(options.threads, 1, std::max(1, ranges));
    std::vector<std::vector<AdviceRow>> byRange(static_cast<size_t>(ranges));
    std::atomic<int> nextRange{0};
    const auto work = [&] {
        WorkerState state(cores);
        for (int r = nextRange.fetch_add(1); r < ranges; r = nextRange.fetch_add(1)) {
            byRange[size_t(r)] =
                evaluateCores(*context, plan, options, r * kRangeCores,
                              std::min(cores, (r + 1) * kRangeCores), state, cancel, coresDone);
        }
    };
    std::vector<std::thread> pool;
    for (int w = 1; w < workers; ++w) {
        pool.emplace_back(work);
    }
    work();
    for (std::thread& thread : pool) {
        thread.join();
    }
    if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
        return {};
    }
    size_t total = 0;
    for (const std::vector<AdviceRow>& rows : byRange) {
        total += rows.size();
    }
    std::vector<AdviceRow> found;
    found.reserve(total);
    for (std::vector<AdviceRow>& rows : byRange) {
        found.insert(found.end(), rows.begin(), rows.end());
        std::vector<AdviceRow>().swap(rows);
    }
    auto rows = std::make_shared<const std::vector<AdviceRow>>(
        orderedRows(std::move(found), options, catalogue));
    return Advice(std::move(context), std::move(rows));
}

}  // namespace kelvane::advice
