#include "engine/construction/construction.h"

#include "engine/base/number_text.h"
#include "engine/check/check_formulas.h"
#include "engine/check/check_text.h"
#include "engine/construction/construction_formulas.h"
#include "engine/sheet/design_sheet.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace kelvane::construction {

using sheet::Field;

namespace {

// The texts for a person, in the engineer's language.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(kelvane::construction)
};

constexpr double kTolerance = 1e-9;

QString text(const char* literal) {
    return QString::fromUtf8(literal);
}

const WindingChoice& choiceFor(const ConstructionSettings& settings, int row) {
    static const WindingChoice none;
    const auto found = settings.windings.find(row);
    return found != settings.windings.end() ? found->second : none;
}

// A number the engineer typed, or the default when it is blank or not
// above 0.
double typedOr(const QString& typed, double fallback) {
    if (trimBlanks(typed).isEmpty()) {
        return fallback;
    }
    const double value = parseNumber(typed);
    return value > 0.0 && std::isfinite(value) ? value : fallback;
}

std::vector<Winding> readWindings(const sheet::DesignSheet& sheet, const check::CheckInput& in,
                                  const ConstructionSettings& settings, bool pushPull) {
    const sheet::Grid& msWin = sheet.grid(sheet::Table::MSwin);
    const std::optional<double> skinM = check::skinDepthM(in.frequencyKHz * 1000.0);
    const bool forward = in.circuit == sheet::Circuit::Forward;
    std::vector<Winding> windings;
    for (size_t i = 0; i < in.windings.size() && i <= in.outputs.size(); ++i) {
        const check::CheckWinding& read = in.windings[i];
        Winding w;
        w.row = i == 0 ? 0 : in.outputs[i - 1].row;
        const WindingChoice& choice = choiceFor(settings, w.row);
        w.name = trimBlanks(msWin.cell(w.row, sheet::kWindingName));
        if (w.name.isEmpty()) {
            w.name = QStringLiteral("N%1").arg(w.row + 1);
        }
        if (i == 0) {
            w.kind = WindingKind::Primary;
        } else {
            w.kind = choice.kind == text(kBiasKind) ? WindingKind::Bias : WindingKind::Secondary;
            const check::CheckOutput& output = in.outputs[i - 1];
            w.powerW = std::max(0.0, (output.uoV + output.udV) * output.ioA);
        }
        w.primarySide = w.kind != WindingKind::Secondary;
        w.centreTapped = forward && (i > 0 || pushPull);
        w.turns = read.turns.value_or(0.0);
        w.diameterMm = read.diameterMm.value_or(0.0);
        w.resistanceOhm = read.resistanceOhm;
        w.tripleInsulated = choice.wire == text(kTripleInsulatedWire);
        w.strands = skinM ? strandsFor(w.diameterMm, *skinM * 1000.0) : 1;
        w.strandMm = strandDiameterMm(w.diameterMm, w.strands);
        w.outerMm = w.tripleInsulated ? w.strandMm + kTripleInsulationMm
                                      : check::kEnamelledPitchFactor * w.strandMm;
        windings.push_back(w);
    }
    return windings;
}

// Why the windings cannot be laid out yet, or "".
QString windingsMissing(const check::CheckInput& in, const std::vector<Winding>& windings) {
    if (!in.circuit) {
        return Tr::tr("未选择电路形式");
    }
    if (in.outputs.empty()) {
        return Tr::tr("没有输出");
    }
    for (const Winding& w : windings) {
        if (!(w.turns > 0.0) || !(w.diameterMm > 0.0) || !std::isfinite(w.turns) ||
            !std::isfinite(w.diameterMm)) {
            return Tr::tr("%1的匝数或线径未算出（请点击「变压器设计结果」）").arg(w.name);
        }
    }
    if (in.coreName.isEmpty()) {
        return Tr::tr("未选择磁芯");
    }
    return {};
}

// The margins a winding needs: none when it is triple insulated, or when
// every winding across primary and secondary from it is.
bool needsMargins(const std::vector<Winding>& windings, const Winding& w) {
    if (w.tripleInsulated) {
        return false;
    }
    return std::any_of(windings.begin(), windings.end(), [&w](const Winding& other) {
        return other.primarySide != w.primarySide && !other.tripleInsulated;
    });
}

// Lays a step out along its layer; false when not one turn fits.
bool layOut(Step& step, const Winding& w, double windowLengthMm, double marginMm) {
    step.marginMm = marginMm;
    step.layerLengthMm = windowLengthMm - 2.0 * marginMm;
    step.turnWidthMm = w.strands * w.outerMm;
    const std::optional<check::WindingLayers> laid =
        check::windingLayers(step.turns, step.layerLengthMm, step.turnWidthMm);
    if (!laid) {
        return false;
    }
    step.turnsPerLayer = laid->turnsPerLayer;
    step.layers = laid->layers;
    step.depthMm = step.layers * w.outerMm;
    return true;
}

Step stepOf(int winding, int part, double turns = 0.0) {
    Step step;
    step.winding = winding;
    step.part = part;
    step.turns = turns;
    return step;
}

// The windings in the order they are wound, before they are laid out:
// the sandwich's halves share the primary's index.
std::vector<Step> order(const std::vector<Winding>& windings, bool sandwich) {
    std::vector<Step> steps;
    const auto add = [&steps, &windings](WindingKind kind) {
        for (size_t i = 1; i < windings.size(); ++i) {
            if (windings[i].kind == kind) {
                steps.push_back(stepOf(int(i), 0, windings[i].woundTurns()));
            }
        }
    };
    if (sandwich) {
        steps.push_back(stepOf(0, 1));
        add(WindingKind::Secondary);
        steps.push_back(stepOf(0, 2));
        add(WindingKind::Bias);
    } else {
        steps.push_back(stepOf(0, 0, windings[0].woundTurns()));
        add(WindingKind::Bias);
        add(WindingKind::Secondary);
    }
    return steps;
}

// Pins in winding order, then the engineer's where given.
void numberPins(std::vector<Winding>& windings, const std::vector<Step>& steps,
                const ConstructionSettings& settings) {
    int next = 1;
    const auto take = [&next] { return QString::number(next++); };
    for (const Step& step : steps) {
        Winding& w = windings[size_t(step.winding)];
        if (step.part != 2) {
            w.startPin = take();
        }
        if (step.part == 1 || w.centreTapped) {
            w.tapPin = take();
        }
        if (step.part != 1) {
            w.finishPin = take();
        }
    }
    for (Winding& w : windings) {
        w.hasTap = !w.tapPin.isEmpty();
        const WindingChoice& choice = choiceFor(settings, w.row);
        const auto chosen = [](QString& pin, const QString& typed) {
            if (const QString pinText = trimBlanks(typed); !pinText.isEmpty()) {
                pin = pinText;
            }
        };
        chosen(w.startPin, choice.startPin);
        chosen(w.finishPin, choice.finishPin);
        if (w.hasTap) {
            chosen(w.tapPin, choice.tapPin);
        }
    }
}

void notePinsUsedTwice(Construction& c) {
    std::map<QString, QStringList> uses;
    for (const Winding& w : c.windings) {
        uses[w.startPin].append(w.name + Tr::tr("起始"));
        if (w.hasTap) {
            uses[w.tapPin].append(w.name + (w.centreTapped ? Tr::tr("抽头") : Tr::tr("跨接")));
        }
        uses[w.finishPin].append(w.name + Tr::tr("结束"));
    }
    for (const auto& [pin, what] : uses) {
        if (what.size() > 1) {
            c.notes.append(Tr::tr("引脚%1用于多处：%2").arg(pin, what.join(Tr::tr("、"))));
        }
    }
}

QString pinsOf(const Winding& w) {
    return w.startPin + u'—' + w.finishPin;
}

QString joined(const std::vector<const Winding*>& windings, QString (*part)(const Winding&)) {
    QStringList texts;
    for (const Winding* w : windings) {
        texts.append(part(*w));
    }
    return texts.join(Tr::tr("、"));
}

QString nameOf(const Winding& w) {
    return w.name;
}

QString allPinsOf(const Winding& w) {
    QStringList pins{w.startPin};
    if (w.hasTap) {
        pins.append(w.tapPin);
    }
    pins.append(w.finishPin);
    return pins.join(Tr::tr("、"));
}

// Hipot by insulation group: the primary side (the primary and its bias
// windings) against each secondary, the secondaries against each other,
// the primary side's windings against each other, and each side against
// the core.
void hipotTests(Construction& c, const sheet::DesignSheet& sheet) {
    const auto requirement = [&sheet](Field field) { return trimBlanks(sheet.text(field)); };
    if (requirement(Field::TxtHipotPs).isEmpty()) {
        c.hipotMissing = Tr::tr("未选择安全标准，无耐压要求");
        return;
    }
    std::vector<const Winding*> primary;
    std::vector<const Winding*> secondary;
    for (const Winding& w : c.windings) {
        (w.primarySide ? primary : secondary).push_back(&w);
    }
    const auto add = [&c, &requirement](const QString& pair, const std::vector<const Winding*>& one,
                                        const std::vector<const Winding*>& other, Field field) {
        HipotTest test;
        test.pair = pair;
        test.requirement = requirement(field);
        test.volts = parseNumber(test.requirement);
        test.between = joined(one, nameOf) + QStringLiteral(" — ") +
                       (other.empty() ? Tr::tr("磁芯") : joined(other, nameOf));
        test.pins = joined(one, allPinsOf) + QStringLiteral(" — ") +
                    (other.empty() ? Tr::tr("磁芯") : joined(other, allPinsOf));
        c.hipot.push_back(test);
    };
    for (const Winding* s : secondary) {
        add(Tr::tr("初级—次级"), primary, {s}, Field::TxtHipotPs);
    }
    for (size_t i = 0; i < secondary.size(); ++i) {
        for (size_t j = i + 1; j < secondary.size(); ++j) {
            add(Tr::tr("次级—次级"), {secondary[i]}, {secondary[j]}, Field::TxtHipotSS);
        }
    }
    for (size_t i = 0; i < primary.size(); ++i) {
        for (size_t j = i + 1; j < primary.size(); ++j) {
            add(Tr::tr("初级—初级"), {primary[i]}, {primary[j]}, Field::TxtHipotPP);
        }
    }
    add(Tr::tr("初级—磁芯"), primary, {}, Field::TxtHipotPc);
    if (!secondary.empty()) {
        add(Tr::tr("次级—磁芯"), secondary, {}, Field::TxtHipotSc);
    }
}

void resistanceTests(Construction& c) {
    for (const Winding& w : c.windings) {
        if (!w.resistanceOhm) {
            continue;
        }
        const double nominal = *w.resistanceOhm;
        const double max = nominal * (1.0 + kResistanceTolerancePercent / 100.0);
        if (w.centreTapped) {
            c.resistance.push_back(
                {w.name + Tr::tr("（前半）"), w.startPin + u'—' + w.tapPin, nominal, max});
            c.resistance.push_back(
                {w.name + Tr::tr("（后半）"), w.tapPin + u'—' + w.finishPin, nominal, max});
        } else {
            c.resistance.push_back({w.name, pinsOf(w), nominal, max});
        }
    }
}

// The leakage of the primary with every other winding shorted: those carry
// its ampere-turns back in proportion to the power each delivers (in equal
// shares when no output has power). The 1-D field stands across the
// layers' length, where the current sheets are.
void leakage(Construction& c, const sheet::DesignSheet& sheet) {
    const double meanTurnMm = sheet.number(Field::TxtBZC);
    if (!(meanTurnMm > 0.0)) {
        c.leakageMissing = Tr::tr("缺少匝长，无法估算漏感");
        return;
    }
    double power = 0.0;
    int others = 0;
    for (const Winding& w : c.windings) {
        if (w.kind != WindingKind::Primary) {
            power += w.powerW;
            ++others;
        }
    }
    std::vector<LeakageSlab> slabs;
    double mmf = 0.0;
    const double primaryTurns = c.windings.front().woundTurns();
    for (const Step& step : c.steps) {
        const Winding& w = c.windings[size_t(step.winding)];
        double change = 0.0;
        if (w.kind == WindingKind::Primary) {
            change = step.turns / primaryTurns;
        } else {
            change = -(power > 0.0 ? w.powerW / power : 1.0 / others);
        }
        slabs.push_back({step.depthMm, mmf, mmf + change});
        mmf += change;
        slabs.push_back({step.tapeLayers * kTapeLayerMm, mmf, mmf});
    }
    // The field runs along the layers: their length between the margins,
    // the mean of the steps.
    double breadth = 0.0;
    for (const Step& step : c.steps) {
        breadth += step.layerLengthMm / double(c.steps.size());
    }
    c.leakageBreadthMm = breadth;
    c.leakageUh = leakageInductanceUh(primaryTurns, meanTurnMm, breadth, slabs);
    if (!c.leakageUh) {
        c.leakageMissing = Tr::tr("数值超出计算范围");
    }
    for (const Winding& w : c.windings) {
        if (w.kind != WindingKind::Primary) {
            c.shortedPins.append(pinsOf(w));
        }
    }
}

void noteWires(Construction& c, const check::CheckInput& in) {
    const std::optional<double> skinM = check::skinDepthM(in.frequencyKHz * 1000.0);
    for (const Winding& w : c.windings) {
        if (w.strands > 1 && skinM) {
            QString note =
                Tr::tr("%1线径%2 mm超过%3 kHz集肤深度的两倍（2δ = %4 mm），改用%5股%6 mm并绕")
                    .arg(w.name, check::plainText(w.diameterMm), check::plainText(in.frequencyKHz),
                         check::significantText(2.0 * *skinM * 1000.0))
                    .arg(w.strands)
                    .arg(formatFixed(w.strandMm, 2).value_or(QString()));
            c.notes.append(note);
        }
        if (w.tripleInsulated) {
            c.notes.append(Tr::tr("%1用三层绝缘线（外径按导体直径加%2 mm），不留挡墙")
                               .arg(w.name, check::plainText(kTripleInsulationMm)));
        }
    }
}

}  // namespace

std::optional<double> Construction::leakageMaxUh() const {
    if (!leakageUh) {
        return std::nullopt;
    }
    const double limit = *leakageUh * (1.0 + kLeakageAccuracyPercent / 100.0);
    // Two significant digits, upwards: a limit the estimate's band stays under.
    const double scale = std::pow(10.0, std::floor(std::log10(limit)) - 1.0);
    return std::ceil(limit / scale - kTolerance) * scale;
}

std::optional<Band> Construction::alBand() const {
    if (!alNh) {
        return std::nullopt;
    }
    return toleranceBand(*alNh, kAlTolerancePercent, significantDecimals(*alNh));
}

Band Construction::inductanceBand() const {
    return toleranceBand(inductanceMh, kInductanceTolerancePercent, 3);
}

QString kindCaption(WindingKind kind) {
    switch (kind) {
        case WindingKind::Primary:
            return text(kPrimaryKind);
        case WindingKind::Bias:
            return text(kBiasKind);
        case WindingKind::Secondary:
            break;
    }
    return text(kSecondaryKind);
}

QString stepName(const Construction& construction, const Step& step) {
    const QString& name = construction.windings[size_t(step.winding)].name;
    switch (step.part) {
        case 1:
            return name + Tr::tr("（前半）");
        case 2:
            return name + Tr::tr("（后半）");
        default:
            return name;
    }
}

Construction buildConstruction(const sheet::DesignSheet& sheet, const check::CheckInput& in,
                               const ConstructionSettings& settings) {
    Construction c;
    c.circuit = in.circuit.value_or(sheet::Circuit::Flyback);
    c.pushPull = c.circuit == sheet::Circuit::Forward && !in.halfBridge;
    c.storesEnergy = c.circuit != sheet::Circuit::Forward;
    c.coreName = in.coreName;
    c.creepageMm = std::max(0.0, in.marginMm.value_or(0.0));
    c.windings = readWindings(sheet, in, settings, c.pushPull);
    c.testFrequencyKHz = typedOr(settings.testFrequencyKHz, kTestFrequencyKHz);
    c.testVoltageV = typedOr(settings.testVoltageV, kTestVoltageV);
    if (c.windings.empty()) {
        c.missing = Tr::tr("没有输出");
        return c;
    }
    c.missing = windingsMissing(in, c.windings);
    std::optional<check::WindingWindow> window;
    if (c.missing.isEmpty()) {
        window = in.coreShape ? check::windingWindow(*in.coreShape, in.dimsMm) : std::nullopt;
        if (!window) {
            c.missing = Tr::tr("磁芯缺少尺寸，无法得出窗口");
        }
    }
    if (!c.missing.isEmpty()) {
        numberPins(c.windings, order(c.windings, false), settings);
        notePinsUsedTwice(c);
        return c;
    }
    c.windowLengthMm = window->lengthMm;
    c.windowDepthMm = window->depthMm;

    // Each winding whole first: the primary's layers decide the sandwich.
    std::vector<Step> whole;
    for (size_t i = 0; i < c.windings.size(); ++i) {
        const Winding& w = c.windings[i];
        Step step = stepOf(int(i), 0, w.woundTurns());
        const double margin = needsMargins(c.windings, w) ? c.creepageMm / 2.0 : 0.0;
        if (!layOut(step, w, c.windowLengthMm, margin)) {
            c.missing =
                Tr::tr("%1线径%2 mm在窗口高度%3 mm减去挡墙%4 mm内一匝也绕不下")
                    .arg(w.name, check::plainText(w.diameterMm),
                         check::significantText(c.windowLengthMm), check::plainText(2.0 * margin));
            numberPins(c.windings, order(c.windings, false), settings);
            notePinsUsedTwice(c);
            return c;
        }
        whole.push_back(step);
    }
    c.sandwich = c.storesEnergy && whole.front().layers > 1.0;
    c.steps = order(c.windings, c.sandwich);
    for (Step& step : c.steps) {
        const Step& laid = whole[size_t(step.winding)];
        if (step.part == 0) {
            step = laid;
            continue;
        }
        // The first half takes the larger half of the layers, filled.
        const double firstLayers = std::ceil(laid.layers / 2.0);
        const double firstTurns = std::min(laid.turns, firstLayers * laid.turnsPerLayer);
        step.turns = step.part == 1 ? firstTurns : laid.turns - firstTurns;
        layOut(step, c.windings[size_t(step.winding)], c.windowLengthMm, laid.marginMm);
    }
    numberPins(c.windings, c.steps, settings);
    for (Step& step : c.steps) {
        const Winding& w = c.windings[size_t(step.winding)];
        step.startPin = step.part == 2 ? w.tapPin : w.startPin;
        step.finishPin = step.part == 1 ? w.tapPin : w.finishPin;
    }

    for (size_t k = 0; k < c.steps.size(); ++k) {
        Step& step = c.steps[k];
        if (k + 1 == c.steps.size()) {
            step.tapeLayers = kOuterWrapLayers;
        } else {
            const Winding& a = c.windings[size_t(step.winding)];
            const Winding& b = c.windings[size_t(c.steps[k + 1].winding)];
            step.reinforcedTape =
                a.primarySide != b.primarySide && !a.tripleInsulated && !b.tripleInsulated;
            step.tapeLayers = step.reinforcedTape ? kReinforcedTapeLayers : kFunctionalTapeLayers;
        }
        c.buildMm += step.depthMm + step.tapeLayers * kTapeLayerMm;
    }
    c.fits = c.buildMm <= c.windowDepthMm * (1.0 + kTolerance);

    const Winding& primary = c.windings.front();
    c.alNh = inductanceFactorNh(in.inductanceMh, primary.turns);
    if (c.storesEnergy) {
        c.gapText = trimBlanks(sheet.text(Field::TxtGap));
    }
    c.inductancePins = pinsOf(primary);
    c.inductanceMh = c.pushPull ? 4.0 * in.inductanceMh : in.inductanceMh;
    leakage(c, sheet);
    hipotTests(c, sheet);
    resistanceTests(c);
    noteWires(c, in);
    notePinsUsedTwice(c);
    return c;
}

}  // namespace kelvane::construction
