#include "engine/advice/pair_evaluation.h"

#include "engine/base/conductor_formulas.h"
#include "engine/base/number_text.h"
#include "engine/catalogue/core_formulas.h"
#include "engine/catalogue/search_rule.h"
#include "engine/check/check_input.h"
#include "engine/sheet/design_sheet.h"

#include <cmath>
#include <limits>

namespace kelvane::advice {

namespace {

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
              results::fillFactorColour(parseNumber(w.fillFactor), d.standards) == sheet::kGreen;
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

}  // namespace

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
    return written && results::fillFactorColour(fill, d.standards) == sheet::kGreen;
}

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

}  // namespace kelvane::advice
