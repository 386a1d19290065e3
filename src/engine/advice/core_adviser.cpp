#include "engine/advice/core_adviser.h"

#include "engine/advice/advice_order.h"
#include "engine/advice/pair_evaluation.h"
#include "engine/base/number_text.h"
#include "engine/catalogue/core_formulas.h"
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
#include <numeric>
#include <optional>
#include <thread>
#include <vector>

namespace kelvane::advice {

using sheet::Check;
using sheet::Field;

QString incompleteDesignMessage() {
    return QStringLiteral(QT_TRANSLATE_NOOP(
        "kelvane::messages", "磁芯推荐需要完整的设计要求：输出、输入电压Udc、频率F和占空比D"));
}

AdviceDesign readAdviceDesign(const sheet::DesignSheet& sheet, double marginFactor) {
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
    const sheet::Grid& outputs = sheet.grid(sheet::Table::MS);
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
    d.primaryTurnsCell = sheet.grid(sheet::Table::MSwin).cell(0, 1);
    d.inductanceFactor = sheet.text(Field::TxtAl);
    d.effectivePermeability = sheet.text(Field::TxtUe);
    d.gap = sheet.text(Field::TxtGap);
    d.lossPerGram = sheet.text(Field::TXTPLG);
    d.fluxDensity = sheet.text(Field::txtbm);
    for (int index = 0; index < sheet::kMaterialFieldCount; ++index) {
        d.materialTexts[size_t(index)] = sheet.text(sheet::materialField(index));
    }
    return d;
}

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

namespace {

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
