#include "engine/check/design_check.h"

#include "engine/base/language.h"
#include "engine/base/number_text.h"
#include "engine/catalogue/core_formulas.h"
#include "engine/check/check_text.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelvane::check {
namespace {

// The check's texts for a person, in the engineer's language.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(kelvane::check)
};

constexpr double kSqrt2 = std::numbers::sqrt2;
constexpr double kTapeMm = 0.15;     // tape between two windings
constexpr double kTolerance = 1e-9;  // relative, for a limit met exactly

// A derived quantity, or why it has none.
struct Quantity {
    double v = 0.0;
    QString missing;
    [[nodiscard]] bool ok() const { return missing.isEmpty(); }
};

Quantity missing(const QString& why) {
    return {0.0, why};
}

Quantity known(double value) {
    if (!std::isfinite(value)) {
        return missing(Tr::tr("数值超出计算范围"));
    }
    return {value, {}};
}

// Texts built by appending; numbers as results (three significant digits)
// or as given (shortest digits).
struct Sig {
    double v;
};
struct Given {
    double v;
};
class Text {
public:
    // Room for a sentence or a formula at once: the texts are built piece by
    // piece, and growing them step by step costs more than the numbers.
    Text() : m_spaced(currentLanguage() != Language::Chinese) { m_text.reserve(96); }

    Text& operator<<(QStringView part) {
        space(part);
        m_text.append(part);
        return *this;
    }
    Text& operator<<(const QString& part) { return *this << QStringView(part); }
    Text& operator<<(Sig number) {
        space(u"0");
        appendSignificant(m_text, number.v);
        return *this;
    }
    Text& operator<<(Given number) {
        space(u"0");
        appendPlain(m_text, number.v);
        return *this;
    }
    Text& operator<<(int number) { return *this << QString::number(number); }
    [[nodiscard]] QString take() { return std::move(m_text); }

private:
    // Chinese runs words and numbers together ("次级1有效值电流"); a
    // translation of the pieces needs a blank between two words.
    void space(QStringView next) {
        if (!m_spaced || next.isEmpty() || !next.front().isLetterOrNumber()) {
            return;
        }
        // After a word ("gap", "voltage"), not after a symbol of a formula,
        // which is short and capitalised ("N" 2, "Uo" 1, "Vor").
        qsizetype letters = 0;
        bool lowercase = true;
        while (letters < m_text.size() && m_text[m_text.size() - 1 - letters].isLetter()) {
            lowercase = lowercase && m_text[m_text.size() - 1 - letters].isLower();
            ++letters;
        }
        if (letters >= 4 || (letters == 3 && lowercase)) {
            m_text.append(u' ');
        }
    }

    QString m_text;
    bool m_spaced;
};

QString rowName(int row) {
    return row == 0 ? Tr::tr("初级") : Tr::tr("次级%1").arg(row);
}

// --- the input as numbers that mean something --------------------------------

double finiteOr0(double value) {
    return std::isfinite(value) ? value : 0.0;
}

void sanitize(std::optional<double>& value) {
    if (value && !std::isfinite(*value)) {
        value.reset();
    }
}

CheckInput sanitized(CheckInput in) {
    for (double* value : {&in.vinV, &in.acMinV, &in.frequencyKHz, &in.designDuty, &in.efficiency,
                          &in.inductanceMh, &in.acMaxV, &in.switchRatingV, &in.lineHz}) {
        *value = finiteOr0(*value);
    }
    for (CheckOutput& output : in.outputs) {
        output.uoV = finiteOr0(output.uoV);
        output.ioA = finiteOr0(output.ioA);
        output.udV = finiteOr0(output.udV);
    }
    in.windings.resize(in.outputs.size() + 1);
    for (CheckWinding& winding : in.windings) {
        sanitize(winding.turns);
        sanitize(winding.diameterMm);
        sanitize(winding.resistanceOhm);
    }
    for (std::optional<double>* value :
         {&in.dimsMm.a, &in.dimsMm.b, &in.dimsMm.c, &in.dimsMm.d, &in.dimsMm.e, &in.dimsMm.f,
          &in.aeMm2, &in.leMm, &in.awMm2, &in.veMm3, &in.saturationMt, &in.permeability,
          &in.marginMm, &in.ambientC, &in.allowedRiseC, &in.gapMm, &in.bulkUf}) {
        sanitize(*value);
    }
    for (auto& byTemperature : in.loss.mwPerCm3) {
        for (std::optional<double>& point : byTemperature) {
            sanitize(point);
        }
    }
    return in;
}

double turnsOf(const CheckInput& in, int row) {
    return in.windings[size_t(row)].turns.value_or(0.0);
}

// --- the operating point, worked out once for every item -----------------------

struct Operation {
    CheckInput in;
    Circuit circuit = Circuit::Flyback;
    QString circuitMissing;
    QString ratioMissing;  // N1 and N2 usable
    double n1 = 0.0;
    double n2 = 0.0;
    double mainVolts = 0.0;            // Uo1 + Ud1
    std::vector<double> windingVolts;  // uo(r) + Ud_r by output
    Quantity inputPower;               // Pin, W
    Quantity vor;                      // flyback, RCC
    Quantity duty;                     // at the lowest input
    FlybackPoint point{};              // flyback, RCC, when duty.ok()
    double frequencyHz = 0.0;
    Quantity swingT;       // ΔB peak to peak
    Quantity peakT;        // B̂ the saturation is judged by
    Quantity primaryRms;   // A
    double primaryDc = 0;  // A
    std::vector<Quantity> secondaryRms;
    std::vector<double> secondaryDc;
};

Quantity sumInputPower(Operation& op) {
    const CheckInput& in = op.in;
    if (in.outputs.empty()) {
        return missing(Tr::tr("没有输出"));
    }
    if (!(in.efficiency > 0.0)) {
        return missing(Tr::tr("效率η为0"));
    }
    double power = 0.0;
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        power += op.windingVolts[r] * in.outputs[r].ioA;
    }
    if (!(power > 0.0)) {
        return missing(Tr::tr("输出功率为0"));
    }
    return known(power / in.efficiency);
}

QString turnsMissing(const CheckInput& in, int row) {
    const std::optional<double>& turns = in.windings[size_t(row)].turns;
    if (!turns) {
        return Tr::tr("缺少%1匝数").arg(rowName(row));
    }
    if (!(*turns > 0.0)) {
        return Tr::tr("%1匝数为0").arg(rowName(row));
    }
    return {};
}

// Flyback and RCC, Erickson & Maksimović ch. 6.3: the point at the lowest
// input and the flux and currents it gives.
void operateFlyback(Operation& op) {
    const CheckInput& in = op.in;
    if (!op.ratioMissing.isEmpty()) {
        op.vor = op.duty = missing(op.ratioMissing);
    } else {
        op.vor = known(op.n1 / op.n2 * op.mainVolts);
        if (op.vor.ok() && !(op.vor.v > 0.0)) {
            op.vor = missing(Tr::tr("输出1电压与压降之和为0"));
        }
        op.duty = op.vor;
    }
    const double lpH = in.inductanceMh * 1e-3;
    const bool rcc = op.circuit == Circuit::Rcc;
    if (!op.circuitMissing.isEmpty()) {
        op.duty = missing(op.circuitMissing);
    } else if (!op.duty.ok()) {
        // The turns give no reflected voltage: the duty says why.
    } else if (!(in.vinV > 0.0)) {
        op.duty = missing(Tr::tr("输入电压Udc为0"));
    } else if (!op.inputPower.ok()) {
        op.duty = op.inputPower;
    } else if (!rcc && !(lpH > 0.0)) {
        op.duty = missing(Tr::tr("初级电感Lp为0"));
    } else if (!rcc && !(op.frequencyHz > 0.0)) {
        op.duty = missing(Tr::tr("频率F为0"));
    } else {
        const std::optional<FlybackPoint> point =
            rcc ? rccPoint(in.vinV, op.vor.v, op.inputPower.v)
                : flybackPoint(in.vinV, op.vor.v, op.inputPower.v, lpH, op.frequencyHz);
        if (point) {
            op.point = *point;
            op.duty = known(point->duty);
        } else {
            op.duty = missing(Tr::tr("数值超出计算范围"));
        }
    }
    if (!op.duty.ok()) {
        op.swingT = op.peakT = op.primaryRms = op.duty;
        op.secondaryRms.assign(in.outputs.size(), op.duty);
        return;
    }
    const FlybackPoint& p = op.point;
    op.primaryRms = known(trapezoidRms(p.duty, p.peakA, p.valleyA));
    op.primaryDc = op.inputPower.v / in.vinV;
    const double secondaryBase = trapezoidRms(p.offDuty, p.peakA, p.valleyA);
    double total = 0.0;
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        total += op.windingVolts[r] * in.outputs[r].ioA;
    }
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        const int row = int(r) + 1;
        if (const QString why = turnsMissing(in, row); !why.isEmpty()) {
            op.secondaryRms.push_back(missing(why));
            continue;
        }
        const double share = op.windingVolts[r] * in.outputs[r].ioA / total;
        op.secondaryRms.push_back(known(share * op.n1 / turnsOf(in, row) * secondaryBase));
    }
    if (rcc && !(lpH > 0.0)) {
        op.swingT = op.peakT = missing(Tr::tr("初级电感Lp为0"));
    } else if (!in.aeMm2 || !(*in.aeMm2 > 0.0)) {
        op.swingT = op.peakT =
            missing(in.coreName.isEmpty() ? Tr::tr("未选择磁芯") : Tr::tr("磁芯缺少Ae"));
    } else {
        const double perAmpere = lpH / (op.n1 * *in.aeMm2 * 1e-6);
        op.peakT = known(perAmpere * p.peakA);
        op.swingT = known(perAmpere * (p.peakA - p.valleyA));
    }
}

// Push-pull and half bridge: the bipolar flux of a forward converter with
// a centre-tapped secondary, Erickson & Maksimović ch. 6.3.2 (full-bridge
// and push-pull isolated buck).
void operateForward(Operation& op) {
    const CheckInput& in = op.in;
    if (!op.ratioMissing.isEmpty()) {
        op.duty = missing(op.ratioMissing);
    } else if (!(in.vinV > 0.0)) {
        op.duty = missing(Tr::tr("输入电压Udc为0"));
    } else if (!(op.mainVolts > 0.0)) {
        // A negative output would give a negative duty and flux.
        op.duty = missing(Tr::tr("输出1电压与压降之和为0"));
    } else {
        op.duty = known(op.n1 / op.n2 * op.mainVolts / (2.0 * in.vinV));
    }
    op.point.duty = op.duty.v;
    if (!op.duty.ok()) {
        op.swingT = op.peakT = op.primaryRms = op.duty;
        op.secondaryRms.assign(in.outputs.size(), op.duty);
        return;
    }
    const double d = op.duty.v;
    if (!(op.frequencyHz > 0.0)) {
        op.swingT = op.peakT = missing(Tr::tr("频率F为0"));
    } else if (!in.aeMm2 || !(*in.aeMm2 > 0.0)) {
        op.swingT = op.peakT =
            missing(in.coreName.isEmpty() ? Tr::tr("未选择磁芯") : Tr::tr("磁芯缺少Ae"));
    } else {
        op.swingT = known(in.vinV * d / op.frequencyHz / (op.n1 * *in.aeMm2 * 1e-6));
        op.peakT = known(op.swingT.v / 2.0);
    }
    double reflected = 0.0;
    QString why;
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        const int row = int(r) + 1;
        if (!in.windings[size_t(row)].turns && why.isEmpty()) {
            why = Tr::tr("缺少%1匝数").arg(rowName(row));
        }
        reflected += in.outputs[r].ioA * turnsOf(in, row) / op.n1;
        // Both halves share the freewheeling current.
        op.secondaryRms.push_back(known(in.outputs[r].ioA * std::sqrt(d + (1.0 - 2.0 * d) / 4.0)));
        op.secondaryDc.push_back(in.outputs[r].ioA / 2.0);
    }
    op.primaryRms =
        why.isEmpty() ? known(reflected * std::sqrt(in.halfBridge ? 2.0 * d : d)) : missing(why);
}

Operation operate(CheckInput input) {
    Operation op;
    op.in = sanitized(std::move(input));
    const CheckInput& in = op.in;
    if (in.circuit) {
        op.circuit = *in.circuit;
    } else {
        op.circuitMissing = Tr::tr("未选择电路形式");
    }
    op.frequencyHz = in.frequencyKHz * 1000.0;
    if (in.outputs.empty()) {
        op.ratioMissing = Tr::tr("没有输出");
    } else if (const QString why = turnsMissing(in, 0); !why.isEmpty()) {
        op.ratioMissing = why;
    } else if (const QString why1 = turnsMissing(in, 1); !why1.isEmpty()) {
        op.ratioMissing = why1;
    } else {
        op.n1 = turnsOf(in, 0);
        op.n2 = turnsOf(in, 1);
    }
    if (!in.outputs.empty()) {
        op.mainVolts = in.outputs[0].uoV + in.outputs[0].udV;
    }
    // Each load draws its rated current at the voltage its turns give.
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        const double turns = turnsOf(in, int(r) + 1);
        op.windingVolts.push_back(op.n2 > 0.0 && turns > 0.0
                                      ? turns / op.n2 * op.mainVolts
                                      : in.outputs[r].uoV + in.outputs[r].udV);
    }
    op.inputPower = sumInputPower(op);
    if (op.circuit == Circuit::Forward) {
        operateForward(op);
    } else {
        operateFlyback(op);
        op.secondaryDc.clear();
        for (const CheckOutput& output : in.outputs) {
            op.secondaryDc.push_back(output.ioA);
        }
    }
    return op;
}

// --- items -------------------------------------------------------------------

// The captions of the pair items stay in Chinese, as the adviser's rows
// (and so the snapshots) carry them; the check's own items show them in the
// engineer's language through humanText().
QString outputVoltageCaption(int row) {
    return QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "输出%1实际电压")).arg(row);
}

// The caption of a pair item other than uo(r).
QString pairItemCaption(PairItem item) {
    switch (item) {
        case PairItem::FluxPeak:
            return QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "峰值磁通密度Bpk"));
        case PairItem::LossShare:
            return QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "变压器损耗占比"));
        case PairItem::Build:
            return QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "绕组厚度"));
        case PairItem::TemperatureRise:
            return QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "温升(表面积法)"));
        case PairItem::Gap:
        case PairItem::OutputVoltage:
            break;
    }
    return QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "气隙"));
}

CheckItem startItem(QString id, QString caption) {
    CheckItem item;
    item.id = std::move(id);
    item.caption = std::move(caption);
    return item;
}

void setMissing(CheckItem& item, const QString& why) {
    item.value.reset();
    item.valueText.clear();
    item.verdict = Verdict::Info;
    item.sentence = why;
}

// Sets VALUE; a value that is not finite leaves the item without one.
bool setValue(CheckItem& item, double value, QStringView unit) {
    if (!std::isfinite(value)) {
        setMissing(item, Tr::tr("数值超出计算范围"));
        return false;
    }
    item.value = value;
    item.valueText = significantText(value);
    if (!unit.isEmpty()) {
        item.valueText += u' ';
        item.valueText += unit;
    }
    return true;
}

bool atMost(double value, double limit) {
    return value <= limit + std::fabs(limit) * kTolerance;
}

// ok up to `okLimit`, warn up to `warnLimit`, fail above.
Verdict graded(double value, double okLimit, double warnLimit) {
    if (atMost(value, okLimit)) {
        return Verdict::Ok;
    }
    return atMost(value, warnLimit) ? Verdict::Warn : Verdict::Fail;
}

}  // namespace

const CheckItem* itemById(const CheckResult& result, QStringView id) {
    const auto found = std::find_if(result.items.cbegin(), result.items.cend(),
                                    [id](const CheckItem& item) { return item.id == id; });
    return found == result.items.cend() ? nullptr : &*found;
}

Verdict outputDeviationVerdict(double volts, double designV) {
    if (!std::isfinite(volts) || !std::isfinite(designV) || !(designV != 0.0)) {
        return Verdict::Info;
    }
    return graded(std::fabs(volts - designV) / std::fabs(designV), kOutputOkShare,
                  kOutputWarnShare);
}

namespace {

// vor — the output voltage reflected through the turns ratio.
CheckItem vorItem(const Operation& op) {
    CheckItem item = startItem(QStringLiteral("vor"), Tr::tr("反射电压Vor"));
    if (!op.vor.ok()) {
        setMissing(item, op.vor.missing);
        return item;
    }
    if (setValue(item, op.vor.v, u"V")) {
        item.sentence = (Text() << Tr::tr("输出电压按匝比反射到初级为") << item.valueText).take();
        item.formulaText =
            (Text() << u"Vor = N1 ÷ N2 × (Uo1 + Ud1) = " << Given{op.n1} << u" ÷ " << Given{op.n2}
                    << u" × (" << Given{op.in.outputs[0].uoV} << u" + "
                    << Given{op.in.outputs[0].udV} << u") = " << item.valueText)
                .take();
    }
    return item;
}

// mode — CCM when the valley current stays above 0 (Erickson & Maksimović
// ch. 5.1, the boundary K = Kcrit); an RCC runs at the boundary.
CheckItem modeItem(const Operation& op) {
    CheckItem item = startItem(QStringLiteral("mode"), Tr::tr("工作模式"));
    if (!op.duty.ok()) {
        setMissing(item, op.duty.missing);
        return item;
    }
    switch (op.point.mode) {
        case ConductionMode::Continuous:
            item.valueText = QStringLiteral("CCM");
            item.sentence = Tr::tr("最低输入满载时初级电流不回零，工作在连续模式");
            item.formulaText =
                (Text() << Tr::tr("谷值电流 ") << Sig{op.point.valleyA} << u" A > 0").take();
            break;
        case ConductionMode::Discontinuous:
            item.valueText = QStringLiteral("DCM");
            item.sentence = Tr::tr("每个周期磁芯储能全部放完，工作在断续模式");
            item.formulaText = Tr::tr("按连续模式算出的谷值电流 ≤ 0");
            break;
        case ConductionMode::Boundary:
            item.valueText = QStringLiteral("BCM");
            item.sentence = Tr::tr("RCC在磁芯储能放完时再次导通，工作在临界模式");
            item.formulaText = Tr::tr("RCC：谷值电流 = 0");
            break;
    }
    return item;
}

// duty — the duty the turns ratio needs at the lowest input, against txtd.
CheckItem dutyItem(const Operation& op) {
    CheckItem item = startItem(QStringLiteral("duty"), Tr::tr("最低输入时占空比D"));
    item.classicText = op.in.classicDuty;
    if (!op.duty.ok()) {
        setMissing(item, op.duty.missing);
        return item;
    }
    if (!setValue(item, op.duty.v, u"")) {
        return item;
    }
    const CheckInput& in = op.in;
    Text formula;
    if (op.circuit == Circuit::Forward) {
        formula << u"D = N1 ÷ N2 × (Uo1 + Ud1) ÷ (2 × Vin) = " << Given{op.n1} << u" ÷ "
                << Given{op.n2} << u" × " << Given{op.mainVolts} << u" ÷ (2 × " << Given{in.vinV}
                << u") = " << item.valueText
                << (in.halfBridge ? Tr::tr("（半桥，每管）") : Tr::tr("（推挽，每管）"));
    } else if (op.point.mode == ConductionMode::Discontinuous) {
        formula << u"Ipk = √(2 × Pin ÷ (Lp × f)) = √(2 × " << Sig{op.inputPower.v} << u" ÷ ("
                << Given{in.inductanceMh} << u" mH × " << Given{in.frequencyKHz} << u" kHz)) = "
                << Sig{op.point.peakA} << u" A；D = Ipk × Lp × f ÷ Vin = " << item.valueText;
    } else {
        formula << u"D = Vor ÷ (Vin + Vor) = " << Sig{op.vor.v} << u" ÷ (" << Given{in.vinV}
                << u" + " << Sig{op.vor.v} << u") = " << item.valueText;
    }
    item.formulaText = formula.take();
    if (!(in.designDuty > 0.0)) {
        item.sentence =
            (Text() << Tr::tr("最低输入时占空比") << item.valueText << Tr::tr("，未给出设计占空比"))
                .take();
        return item;
    }
    item.verdict = graded(op.duty.v, in.designDuty, in.designDuty + 0.05);
    item.limitText = (Text() << u"≤ " << Given{in.designDuty}).take();
    Text sentence;
    switch (item.verdict) {
        case Verdict::Ok:
            sentence << Tr::tr("最低输入时占空比") << item.valueText << Tr::tr("，不超过设计值");
            break;
        case Verdict::Warn:
            sentence << Tr::tr("最低输入时占空比") << item.valueText << Tr::tr("，略超设计值");
            break;
        default:
            sentence << Tr::tr("以此匝比，最低输入时占空比需") << item.valueText
                     << Tr::tr("，超过设计值");
            break;
    }
    sentence << Given{in.designDuty};
    item.sentence = sentence.take();
    return item;
}

// frequency — the RCC's own frequency at the lowest input and full load.
CheckItem frequencyItem(const Operation& op) {
    CheckItem item = startItem(QStringLiteral("frequency"), Tr::tr("RCC工作频率"));
    if (!op.duty.ok()) {
        setMissing(item, op.duty.missing);
        return item;
    }
    const std::optional<double> hz =
        rccFrequencyHz(op.in.vinV, op.point, op.in.inductanceMh * 1e-3);
    if (!hz) {
        setMissing(item, Tr::tr("初级电感Lp为0"));
        return item;
    }
    if (setValue(item, *hz / 1000.0, u"kHz")) {
        item.sentence =
            (Text() << Tr::tr("最低输入满载时RCC约在") << item.valueText << Tr::tr("工作")).take();
        item.formulaText =
            (Text() << u"f = Vin × D ÷ (Lp × Ipk) = " << Given{op.in.vinV} << u" × "
                    << Sig{op.point.duty} << u" ÷ (" << Given{op.in.inductanceMh} << u" mH × "
                    << Sig{op.point.peakA} << u" A) = " << item.valueText)
                .take();
    }
    return item;
}

// ip_peak, ip_valley — the ends of the primary current ramp.
CheckItem primaryPeakItem(const Operation& op) {
    CheckItem item = startItem(QStringLiteral("ip_peak"), Tr::tr("初级峰值电流Ipk"));
    if (!op.duty.ok()) {
        setMissing(item, op.duty.missing);
        return item;
    }
    if (setValue(item, op.point.peakA, u"A")) {
        item.sentence =
            (Text() << Tr::tr("开关管和电流检测须按峰值电流") << item.valueText << Tr::tr("选取"))
                .take();
        Text formula;
        if (op.point.mode == ConductionMode::Continuous) {
            const double inputA = op.inputPower.v / op.in.vinV;
            formula << u"Ipk = Iin ÷ D + ΔI ÷ 2 = " << Sig{inputA} << u" ÷ " << Sig{op.point.duty}
                    << u" + " << Sig{op.point.peakA - op.point.valleyA} << u" ÷ 2 = "
                    << item.valueText;
        } else if (op.point.mode == ConductionMode::Discontinuous) {
            formula << u"Ipk = √(2 × Pin ÷ (Lp × f)) = " << item.valueText;
        } else {
            formula << u"Ipk = 2 × Pin ÷ (Vin × D) = 2 × " << Sig{op.inputPower.v} << u" ÷ ("
                    << Given{op.in.vinV} << u" × " << Sig{op.point.duty} << u") = "
                    << item.valueText;
        }
        item.formulaText = formula.take();
    }
    return item;
}

CheckItem primaryValleyItem(const Operation& op) {
    CheckItem item = startItem(QStringLiteral("ip_valley"), Tr::tr("初级谷值电流"));
    if (!op.duty.ok()) {
        setMissing(item, op.duty.missing);
        return item;
    }
    if (setValue(item, op.point.valleyA, u"A")) {
        if (op.point.mode == ConductionMode::Continuous) {
            item.sentence =
                (Text() << Tr::tr("开关导通时初级电流从") << item.valueText << Tr::tr("起上升"))
                    .take();
            item.formulaText =
                (Text() << u"Iv = Iin ÷ D − ΔI ÷ 2 = " << Sig{op.inputPower.v / op.in.vinV}
                        << u" ÷ " << Sig{op.point.duty} << u" − "
                        << Sig{op.point.peakA - op.point.valleyA} << u" ÷ 2 = " << item.valueText)
                    .take();
        } else {
            item.sentence = Tr::tr("初级电流每个周期从零开始上升");
            item.formulaText = QStringLiteral("Iv = 0");
        }
    }
    return item;
}

// ip_rms — the rms of the primary current: a trapezoid for the flyback;
// for the forward the reflected load current over the on-times,
// magnetising current left out.
CheckItem primaryRmsItem(const Operation& op) {
    CheckItem item = startItem(QStringLiteral("ip_rms"), Tr::tr("初级有效值电流"));
    if (!op.primaryRms.ok()) {
        setMissing(item, op.primaryRms.missing);
        return item;
    }
    if (!setValue(item, op.primaryRms.v, u"A")) {
        return item;
    }
    Text formula;
    if (op.circuit == Circuit::Forward) {
        const double reflected =
            op.primaryRms.v / std::sqrt(op.in.halfBridge ? 2.0 * op.duty.v : op.duty.v);
        if (op.in.halfBridge) {
            item.sentence = (Text() << Tr::tr("半桥初级有效值电流") << item.valueText
                                    << Tr::tr("（不计励磁电流）"))
                                .take();
            formula << u"I = I' × √(2D) = " << Sig{reflected} << u" × √(2 × " << Sig{op.duty.v};
        } else {
            item.sentence = (Text() << Tr::tr("推挽每半初级有效值电流") << item.valueText
                                    << Tr::tr("（不计励磁电流）"))
                                .take();
            formula << u"I = I' × √D = " << Sig{reflected} << u" × √(" << Sig{op.duty.v};
        }
        formula << u") = " << item.valueText << u"，I' = Σ Io × Ns ÷ N1";
    } else {
        item.sentence =
            (Text() << Tr::tr("初级有效值电流") << item.valueText << Tr::tr("，决定初级铜损"))
                .take();
        formula << u"I = √(D × (Ipk² + Ipk × Iv + Iv²) ÷ 3) = √(" << Sig{op.point.duty} << u" × ("
                << Sig{op.point.peakA} << u"² + " << Sig{op.point.peakA} << u" × "
                << Sig{op.point.valleyA} << u" + " << Sig{op.point.valleyA} << u"²) ÷ 3) = "
                << item.valueText;
    }
    item.formulaText = formula.take();
    return item;
}

// is_rms(r) — the rms current of output r's winding: its share of the
// stored energy by power (flyback), or a centre-tapped half (forward).
CheckItem secondaryRmsItem(const Operation& op, int output) {
    const int row = output + 1;
    CheckItem item =
        startItem(QStringLiteral("is_rms(%1)").arg(row), Tr::tr("次级%1有效值电流").arg(row));
    const Quantity& rms = op.secondaryRms[size_t(output)];
    if (!rms.ok()) {
        setMissing(item, rms.missing);
        return item;
    }
    if (!setValue(item, rms.v, u"A")) {
        return item;
    }
    const double io = op.in.outputs[size_t(output)].ioA;
    if (op.circuit == Circuit::Forward) {
        item.sentence = (Text() << Tr::tr("中心抽头次级每半有效值电流") << item.valueText).take();
        item.formulaText =
            (Text() << u"I = Io × √(D + (1 − 2D) ÷ 4) = " << Given{io} << u" × √(" << Sig{op.duty.v}
                    << u" + (1 − 2 × " << Sig{op.duty.v} << u") ÷ 4) = " << item.valueText)
                .take();
    } else {
        item.sentence = (Text() << Tr::tr("次级") << row << Tr::tr("有效值电流约") << item.valueText
                                << Tr::tr("（按功率比例估算，漏感会使小路输出更大）"))
                            .take();
        item.formulaText = (Text() << u"I = k × N1 ÷ N" << row + 1
                                   << u" × √(Doff × (Ipk² + Ipk × Iv + Iv²) ÷ 3)，Doff = "
                                   << Sig{op.point.offDuty} << u" = " << item.valueText)
                               .take();
    }
    return item;
}

// uo(r) — the voltage output r's turns give, (N ÷ N2) × (Uo1 + Ud1) − Ud.
// uo(r) by numbers: fail for a winding that cannot be wound, info when
// not judged.
Verdict outputVoltageVerdict(const Operation& op, int output) {
    const int row = output + 1;
    const CheckInput& in = op.in;
    const CheckOutput& out = in.outputs[size_t(output)];
    const std::optional<double>& turns = in.windings[size_t(row)].turns;
    const bool primaryWound = in.windings[0].turns && *in.windings[0].turns > 0.0;
    if (turns && !(*turns > 0.0) && primaryWound) {
        return Verdict::Fail;
    }
    if (!op.ratioMissing.isEmpty() || !turns || !(*turns > 0.0)) {
        return Verdict::Info;
    }
    return outputDeviationVerdict(op.windingVolts[size_t(output)] - out.udV, out.uoV);
}

CheckItem outputVoltageItem(const Operation& op, int output) {
    const int row = output + 1;
    CheckItem item =
        startItem(QStringLiteral("uo(%1)").arg(row), humanText(outputVoltageCaption(row)));
    const CheckInput& in = op.in;
    const CheckOutput& out = in.outputs[size_t(output)];
    const std::optional<double>& turns = in.windings[size_t(row)].turns;
    const bool primaryWound = in.windings[0].turns && *in.windings[0].turns > 0.0;
    if (turns && !(*turns > 0.0) && primaryWound) {
        item.verdict = Verdict::Fail;
        item.sentence = (Text() << Tr::tr("输出") << row << Tr::tr("匝数为0，无法绕制")).take();
        item.limitText = Tr::tr("匝数 ≥ 1");
        return item;
    }
    if (!op.ratioMissing.isEmpty()) {
        setMissing(item, op.ratioMissing);
        return item;
    }
    if (const QString why = turnsMissing(in, row); !why.isEmpty()) {
        setMissing(item, why);
        return item;
    }
    const double volts = op.windingVolts[size_t(output)] - out.udV;
    if (!setValue(item, volts, u"V")) {
        return item;
    }
    item.formulaText =
        (Text() << u"Uo = N" << row + 1 << u" ÷ N2 × (Uo1 + Ud1) − Ud = " << Given{*turns} << u" ÷ "
                << Given{op.n2} << u" × " << Given{op.mainVolts} << u" − " << Given{out.udV}
                << u" = " << item.valueText)
            .take();
    if (!(out.uoV != 0.0)) {
        item.sentence = (Text() << Tr::tr("输出") << row << Tr::tr("设计电压为0")).take();
        return item;
    }
    const double deviation = std::fabs(volts - out.uoV) / std::fabs(out.uoV);
    item.verdict = outputVoltageVerdict(op, output);
    item.limitText = (Text() << Given{out.uoV} << u" V ± 5%").take();
    Text sentence;
    sentence << Tr::tr("按匝数输出") << row << Tr::tr("实际为") << item.valueText
             << Tr::tr("，设计值") << Given{out.uoV} << Tr::tr(" V，偏差") << Sig{deviation * 100.0}
             << u"%";
    if (item.verdict == Verdict::Fail) {
        sentence << Tr::tr("，应调整匝数");
    }
    item.sentence = sentence.take();
    return item;
}

// b_peak by numbers: info when not judged.
Verdict fluxPeakVerdict(const Operation& op, const CheckMaterial& material) {
    const std::optional<double>& bs = material.saturationMt;
    const double peakMt = op.peakT.v * 1000.0;
    if (!op.peakT.ok() || !bs || !(*bs > 0.0) || !std::isfinite(peakMt)) {
        return Verdict::Info;
    }
    return graded(peakMt, 0.8 * *bs, *bs);
}

// b_peak — the peak flux density against the material's Bs.
CheckItem fluxPeakItem(const Operation& op, const CheckMaterial& material) {
    CheckItem item =
        startItem(QStringLiteral("b_peak"), humanText(pairItemCaption(PairItem::FluxPeak)));
    if (!op.peakT.ok()) {
        setMissing(item, op.peakT.missing);
        return item;
    }
    const std::optional<double>& bs = material.saturationMt;
    if (!bs || !(*bs > 0.0)) {
        setMissing(item, material.chosen ? Tr::tr("该磁材缺少饱和磁通密度Bs，无法判定Bpk")
                                         : Tr::tr("未选择磁材，无饱和磁通密度Bs"));
        return item;
    }
    if (!setValue(item, op.peakT.v * 1000.0, u"mT")) {
        return item;
    }
    const CheckInput& in = op.in;
    if (op.circuit == Circuit::Forward) {
        item.formulaText = (Text() << u"Bpk = ΔB ÷ 2 = " << Sig{op.swingT.v * 1000.0}
                                   << u" mT ÷ 2 = " << item.valueText)
                               .take();
    } else {
        item.formulaText = (Text() << u"Bpk = Lp × Ipk ÷ (N1 × Ae) = " << Given{in.inductanceMh}
                                   << u" mH × " << Sig{op.point.peakA} << u" A ÷ (" << Given{op.n1}
                                   << u" × " << Given{*in.aeMm2} << u" mm²) = " << item.valueText)
                               .take();
    }
    item.verdict = fluxPeakVerdict(op, material);
    item.limitText = (Text() << u"≤ 0.8 × Bs = " << Sig{0.8 * *bs} << u" mT").take();
    Text sentence;
    sentence << Tr::tr("峰值磁通密度") << item.valueText;
    switch (item.verdict) {
        case Verdict::Ok:
            sentence << Tr::tr("，低于饱和磁通密度Bs ") << Given{*bs} << Tr::tr(" mT的80%");
            break;
        case Verdict::Warn:
            sentence << Tr::tr("，超过Bs ") << Given{*bs} << Tr::tr(" mT的80%，高温时接近饱和");
            break;
        default:
            sentence << Tr::tr("，超过饱和磁通密度Bs ") << Given{*bs} << Tr::tr(" mT，磁芯会饱和");
            break;
    }
    item.sentence = sentence.take();
    return item;
}

// b_swing — the flux swing per period, which the core loss follows.
CheckItem fluxSwingItem(const Operation& op) {
    CheckItem item = startItem(QStringLiteral("b_swing"), Tr::tr("磁通摆幅ΔB"));
    if (!op.swingT.ok()) {
        setMissing(item, op.swingT.missing);
        return item;
    }
    if (!setValue(item, op.swingT.v * 1000.0, u"mT")) {
        return item;
    }
    const CheckInput& in = op.in;
    item.sentence =
        (Text() << Tr::tr("每周期磁通摆幅") << item.valueText << Tr::tr("，磁芯损耗随之而定"))
            .take();
    if (op.circuit == Circuit::Forward) {
        item.formulaText =
            (Text() << u"ΔB = Vin × D × Ts ÷ (N1 × Ae) = " << Given{in.vinV} << u" × "
                    << Sig{op.duty.v} << u" ÷ " << Given{in.frequencyKHz} << u" kHz ÷ ("
                    << Given{op.n1} << u" × " << Given{*in.aeMm2} << u" mm²) = " << item.valueText)
                .take();
    } else {
        item.formulaText =
            (Text() << u"ΔB = Lp × (Ipk − Iv) ÷ (N1 × Ae) = " << Given{in.inductanceMh} << u" mH × "
                    << Sig{op.point.peakA - op.point.valleyA} << u" A ÷ (" << Given{op.n1} << u" × "
                    << Given{*in.aeMm2} << u" mm²) = " << item.valueText)
                .take();
    }
    return item;
}

// vin_min — the valley of the bulk capacitor's voltage at the lowest mains
// and full load (the energy it gives between line peaks), against txtudc.
CheckItem inputMinimumItem(const Operation& op) {
    CheckItem item = startItem(QStringLiteral("vin_min"), Tr::tr("最低直流输入(按输入电容)"));
    const CheckInput& in = op.in;
    if (!op.inputPower.ok()) {
        setMissing(item, op.inputPower.missing);
        return item;
    }
    if (!(in.acMinV > 0.0)) {
        setMissing(item, Tr::tr("最低交流输入电压为0"));
        return item;
    }
    if (!(in.lineHz > 0.0)) {
        setMissing(item, Tr::tr("电网频率为0"));
        return item;
    }
    const double microfarads =
        in.bulkUf ? *in.bulkUf : defaultBulkMicrofarads(in.acMinV, op.inputPower.v);
    if (!(microfarads > 0.0)) {
        setMissing(item, Tr::tr("输入电容为0"));
        return item;
    }
    const double halving = in.halfBridge ? 0.5 : 1.0;
    item.limitText = Tr::tr("Udc ≤ 谷值");
    const std::optional<double> bus =
        bulkMinimumVoltage(in.acMinV, op.inputPower.v, microfarads * 1e-6, in.lineHz);
    Text formula;
    formula << u"Umin = √(2 × " << Given{in.acMinV} << u"² − 2 × " << Sig{op.inputPower.v}
            << u" W × (1 ÷ (2 × " << Given{in.lineHz} << u" Hz) − 3 ms) ÷ " << Given{microfarads}
            << u" µF)";
    if (in.halfBridge) {
        formula << u" ÷ 2";
    }
    if (!bus) {
        item.verdict = Verdict::Fail;
        item.sentence = (Text() << Tr::tr("输入电容") << Given{microfarads}
                                << Tr::tr(" µF太小，最低输入满载时撑不住母线电压"))
                            .take();
        item.formulaText = (formula << Tr::tr("：根号内为负")).take();
        return item;
    }
    if (!setValue(item, *bus * halving, u"V")) {
        return item;
    }
    item.formulaText = (formula << u" = " << item.valueText).take();
    item.verdict = graded(in.vinV, *item.value, 1.15 * *item.value);
    Text sentence;
    sentence << Tr::tr("输入电容") << Given{microfarads} << Tr::tr(" µF在最低输入时母线谷值约")
             << item.valueText;
    switch (item.verdict) {
        case Verdict::Ok:
            sentence << Tr::tr("，不低于设计输入") << Given{in.vinV} << u" V";
            break;
        case Verdict::Warn:
            sentence << Tr::tr("，略低于设计输入") << Given{in.vinV} << u" V";
            break;
        default:
            sentence << Tr::tr("，明显低于设计输入") << Given{in.vinV}
                     << Tr::tr(" V，应加大电容或按此重算");
            break;
    }
    item.sentence = sentence.take();
    return item;
}

// vds_max — the switch voltage at the highest mains, leakage spike left out.
CheckItem switchVoltageItem(const Operation& op) {
    CheckItem item = startItem(QStringLiteral("vds_max"), Tr::tr("开关管最高电压"));
    const CheckInput& in = op.in;
    if (!(in.acMaxV > 0.0)) {
        setMissing(item, Tr::tr("最高交流输入电压为0"));
        return item;
    }
    const double busV = kSqrt2 * in.acMaxV;
    double volts = 0.0;
    Text formula;
    if (op.circuit == Circuit::Forward) {
        volts = in.halfBridge ? busV : 2.0 * busV;
        formula << (in.halfBridge ? Tr::tr("半桥：Vds = √2 × ") : Tr::tr("推挽：Vds = 2 × √2 × "))
                << Given{in.acMaxV};
    } else {
        if (!op.vor.ok()) {
            setMissing(item, op.vor.missing);
            return item;
        }
        volts = busV * (in.halfBridge ? 0.5 : 1.0) + op.vor.v;
        formula << u"Vds = √2 × " << Given{in.acMaxV} << (in.halfBridge ? u" ÷ 2" : u"")
                << u" + Vor = " << Sig{busV * (in.halfBridge ? 0.5 : 1.0)} << u" + "
                << Sig{op.vor.v};
    }
    if (!setValue(item, volts, u"V")) {
        return item;
    }
    item.formulaText = (formula << u" = " << item.valueText << Tr::tr("（不计漏感尖峰）")).take();
    if (!(in.switchRatingV > 0.0)) {
        item.sentence = (Text() << Tr::tr("最高输入时开关管承受") << item.valueText
                                << Tr::tr("，未给出开关管额定电压"))
                            .take();
        return item;
    }
    item.verdict = graded(volts, 0.8 * in.switchRatingV, in.switchRatingV);
    item.limitText = (Text() << u"≤ 0.8 × " << Given{in.switchRatingV} << u" V = "
                             << Sig{0.8 * in.switchRatingV} << u" V")
                         .take();
    Text sentence;
    sentence << Tr::tr("最高输入时开关管承受") << item.valueText << Tr::tr("，额定")
             << Given{in.switchRatingV} << u" V";
    sentence << (item.verdict == Verdict::Ok ? Tr::tr("，余量足够")
                 : item.verdict == Verdict::Warn ? Tr::tr("，余量不足20%，加上漏感尖峰可能击穿")
                                                 : Tr::tr("，超过额定电压"));
    item.sentence = sentence.take();
    return item;
}

// --- losses and the winding ---------------------------------------------------

// Steinmetz from the catalogue's points (ferrite makers' loss curves at
// 200 mT, sine), the iGSE factor for the flyback's triangular flux.
Quantity coreLossW(const Operation& op, const CheckMaterial& material, QString* formula) {
    const CheckInput& in = op.in;
    if (!op.swingT.ok()) {
        return op.swingT;
    }
    if (!material.pointsMissing.isEmpty()) {
        return missing(material.pointsMissing);
    }
    if (!in.veMm3 || !(*in.veMm3 > 0.0)) {
        return missing(Tr::tr("磁芯缺少体积Ve"));
    }
    if (!material.fit) {
        return missing(material.lawMissing);
    }
    const std::optional<SteinmetzFit>& fit = material.fit;
    const double peakMt = op.swingT.v * 1000.0 / 2.0;
    double factor = 1.0;
    if (op.circuit != Circuit::Forward) {
        const std::optional<double> igse =
            igseFactor(fit->alpha, fit->igse, op.point.duty, op.point.offDuty);
        if (!igse) {
            return missing(Tr::tr("数值超出计算范围"));
        }
        factor = *igse;
    }
    const double densityMw = fit->plAtFrequency * std::pow(peakMt / 200.0, fit->beta) * factor;
    Quantity loss = known(densityMw * *in.veMm3 * 1e-6);
    if (loss.ok() && formula != nullptr) {
        Text text;
        text << u"Pv = PL(" << Given{in.frequencyKHz} << u" kHz, 200 mT, "
             << Given{fit->temperatureC} << u"℃) × (B̂ ÷ 200 mT)^β";
        if (op.circuit != Circuit::Forward) {
            text << u" × k";
        }
        text << u" = " << Sig{fit->plAtFrequency} << u" × (" << Sig{peakMt} << u" ÷ 200)^"
             << Sig{fit->beta};
        if (op.circuit != Circuit::Forward) {
            text << u" × " << Sig{factor};
        }
        text << u" = " << Sig{densityMw} << u" mW/cm³，α = " << Sig{fit->alpha}
             << u"；P = Pv × Ve = " << Sig{densityMw} << u" × " << Sig{*in.veMm3 / 1000.0}
             << u" cm³";
        *formula = text.take();
    }
    return loss;
}

CheckItem coreLossItem(const Operation& op, const Quantity& loss, const QString& formula) {
    CheckItem item = startItem(QStringLiteral("core_loss"), Tr::tr("磁芯损耗(100℃)"));
    item.classicText = op.in.classicCoreLoss;
    if (!loss.ok()) {
        setMissing(item, loss.missing);
        return item;
    }
    if (setValue(item, loss.v, u"W")) {
        item.sentence =
            (Text() << Tr::tr("按磁材损耗数据估算，磁芯损耗约") << item.valueText).take();
        item.formulaText = formula + QStringLiteral(" = ") + item.valueText;
    }
    return item;
}

// One winding as the copper sees it: its row of MSwin and its currents.
struct WindingLoad {
    int row;
    double turns;
    double dcA;
    double rmsA;
};

// The windings with turns, each with its layers along the window.
struct Build {
    Quantity depthMm;
    QString why;  // a winding that cannot be placed, or missing data
    bool noTurnFits = false;
    double windowDepthMm = 0.0;
    std::vector<double> layers;  // by row of MSwin; 0 for a row without turns
    double widestMm = 0.0;
};

Build windingBuild(const Operation& op) {
    const CheckInput& in = op.in;
    Build build;
    build.layers.assign(in.windings.size(), 0.0);
    std::optional<WindingWindow> window;
    if (in.coreName.isEmpty()) {
        build.depthMm = missing(Tr::tr("未选择磁芯"));
        return build;
    }
    if (!in.coreShape) {
        build.depthMm = missing(Tr::tr("磁芯类型未知，无法得出窗口尺寸"));
        return build;
    }
    window = windingWindow(*in.coreShape, in.dimsMm);
    if (!window) {
        build.depthMm = missing(Tr::tr("磁芯缺少尺寸，无法得出窗口"));
        return build;
    }
    build.windowDepthMm = window->depthMm;
    const double margins = std::max(0.0, in.marginMm.value_or(0.0));
    double depth = 0.0;
    int wound = 0;
    for (size_t row = 0; row < in.windings.size(); ++row) {
        const CheckWinding& winding = in.windings[row];
        if (!winding.turns || !(*winding.turns > 0.0)) {
            continue;
        }
        if (!winding.diameterMm || !(*winding.diameterMm > 0.0)) {
            build.depthMm = missing(Tr::tr("%1缺少线径").arg(rowName(int(row))));
            return build;
        }
        const double pitch = kEnamelledPitchFactor * *winding.diameterMm;
        const std::optional<WindingLayers> laid =
            windingLayers(*winding.turns, window->lengthMm - margins, pitch);
        if (!laid) {
            build.noTurnFits = true;
            build.why =
                (Text() << rowName(int(row)) << Tr::tr("线径") << Given{*winding.diameterMm}
                        << Tr::tr(" mm，在窗口高度") << Sig{window->lengthMm}
                        << Tr::tr(" mm减去挡墙") << Given{margins} << Tr::tr(" mm内一匝也绕不下"))
                    .take();
            build.depthMm = missing(build.why);
            return build;
        }
        build.layers[row] = laid->layers;
        build.widestMm = std::max(build.widestMm, *winding.diameterMm);
        depth += build.layers[row] * pitch;
        ++wound;
    }
    if (wound == 0) {
        build.depthMm = missing(Tr::tr("没有绕组匝数"));
        return build;
    }
    build.depthMm = known(depth + kTapeMm * (wound - 1));
    return build;
}

// Dowell's factor per winding on its copper resistance, all of the
// alternating current taken at the switching frequency.
Quantity copperLossW(const Operation& op, const Build& build, QString* formula) {
    const CheckInput& in = op.in;
    if (!op.primaryRms.ok()) {
        return op.primaryRms;
    }
    const std::optional<double> skin = skinDepthM(op.frequencyHz);
    if (!skin) {
        return missing(Tr::tr("频率F为0"));
    }
    if (!build.depthMm.ok()) {
        return missing(build.depthMm.missing + Tr::tr("，无法得出层数"));
    }
    std::vector<WindingLoad> loads;
    loads.push_back(
        {0, turnsOf(in, 0), op.circuit == Circuit::Forward ? 0.0 : op.primaryDc, op.primaryRms.v});
    for (size_t r = 0; r < in.outputs.size(); ++r) {
        const int row = int(r) + 1;
        if (!(turnsOf(in, row) > 0.0)) {
            continue;
        }
        if (!op.secondaryRms[r].ok()) {
            return op.secondaryRms[r];
        }
        loads.push_back({row, turnsOf(in, row), op.secondaryDc[r], op.secondaryRms[r].v});
    }
    double total = 0.0;
    QString text;
    if (formula != nullptr) {
        text = (Text() << u"Σ DCR × (Idc² + Fr × (Irms² − Idc²))，δ = " << Sig{*skin * 1000.0}
                       << u" mm：")
                   .take();
    }
    for (const WindingLoad& load : loads) {
        const CheckWinding& winding = in.windings[size_t(load.row)];
        if (!winding.resistanceOhm) {
            return missing(Tr::tr("%1缺少直流电阻DCR").arg(rowName(load.row)));
        }
        const double penetration = dowellPenetration(*winding.diameterMm * 1e-3, *skin);
        const std::optional<double> fr = dowellFactor(penetration, build.layers[size_t(load.row)]);
        if (!fr) {
            return missing(Tr::tr("数值超出计算范围"));
        }
        const double ac = std::max(0.0, load.rmsA * load.rmsA - load.dcA * load.dcA);
        const double loss = *winding.resistanceOhm * (load.dcA * load.dcA + *fr * ac);
        total += loss;
        if (formula != nullptr) {
            text += (Text() << u" " << rowName(load.row) << u" " << Sig{loss} << u" W（"
                            << Given{build.layers[size_t(load.row)]} << Tr::tr("层，Fr ")
                            << Sig{*fr} << u"）")
                        .take();
        }
    }
    if (formula != nullptr) {
        *formula = text;
    }
    return known(total);
}

CheckItem copperLossItem(const Operation& op, const Quantity& loss, const QString& formula) {
    CheckItem item = startItem(QStringLiteral("copper_loss"), Tr::tr("绕组损耗(含初级)"));
    item.classicText = op.in.classicCopperLoss;
    if (!loss.ok()) {
        setMissing(item, loss.missing);
        return item;
    }
    if (setValue(item, loss.v, u"W")) {
        item.sentence = (Text() << Tr::tr("各绕组在") << Given{op.in.frequencyKHz}
                                << Tr::tr(" kHz下计入集肤和邻近效应，铜损合计") << item.valueText)
                            .take();
        item.formulaText = formula + QStringLiteral(" = ") + item.valueText;
    }
    return item;
}

// loss_share by numbers, in %: no value when not judged.
std::optional<double> lossSharePercent(const Operation& op, const Quantity& core,
                                       const Quantity& copper) {
    if (!core.ok() || !copper.ok() || !op.inputPower.ok()) {
        return std::nullopt;
    }
    const double share = (core.v + copper.v) / op.inputPower.v * 100.0;
    return std::isfinite(share) ? std::optional(share) : std::nullopt;
}

Verdict lossShareVerdict(std::optional<double> percent) {
    return percent ? graded(*percent, 3.0, 5.0) : Verdict::Info;
}

// loss_share — the transformer's losses over the input power.
CheckItem lossShareItem(const Operation& op, const Quantity& core, const Quantity& copper) {
    CheckItem item =
        startItem(QStringLiteral("loss_share"), humanText(pairItemCaption(PairItem::LossShare)));
    for (const Quantity* needed : {&core, &copper, &op.inputPower}) {
        if (!needed->ok()) {
            setMissing(item, needed->missing);
            return item;
        }
    }
    if (!setValue(item, (core.v + copper.v) / op.inputPower.v * 100.0, u"%")) {
        return item;
    }
    item.verdict = lossShareVerdict(lossSharePercent(op, core, copper));
    item.limitText = QStringLiteral("≤ 3%");
    item.formulaText = (Text() << u"(" << Sig{core.v} << u" W + " << Sig{copper.v} << u" W) ÷ "
                               << Sig{op.inputPower.v} << u" W = " << item.valueText)
                           .take();
    item.sentence = (Text() << Tr::tr("变压器损耗占输入功率的") << item.valueText
                            << (item.verdict == Verdict::Fail ? Tr::tr("，损耗过大") : QString()))
                        .take();
    return item;
}

// skin — the widest wire against twice the skin depth in copper at 100 ℃.
CheckItem skinItem(const Operation& op) {
    CheckItem item = startItem(QStringLiteral("skin"), Tr::tr("线径与集肤深度"));
    const std::optional<double> skin = skinDepthM(op.frequencyHz);
    if (!skin) {
        setMissing(item, Tr::tr("频率F为0"));
        return item;
    }
    double widest = 0.0;
    for (const CheckWinding& winding : op.in.windings) {
        if (winding.turns && *winding.turns > 0.0 && winding.diameterMm) {
            widest = std::max(widest, *winding.diameterMm);
        }
    }
    if (!(widest > 0.0)) {
        setMissing(item, Tr::tr("没有绕组线径"));
        return item;
    }
    if (!setValue(item, widest, u"mm")) {
        return item;
    }
    const double deltaMm = *skin * 1000.0;
    item.verdict = graded(widest, 2.0 * deltaMm, 3.0 * deltaMm);
    item.limitText = (Text() << u"≤ 2δ = " << Sig{2.0 * deltaMm} << u" mm").take();
    item.formulaText = (Text() << u"δ = √(ρ ÷ (π × f × μ0)) = √(" << Sig{copperResistivity100C()}
                               << u" Ω·m ÷ (π × " << Given{op.in.frequencyKHz} << u" kHz × μ0)) = "
                               << Sig{deltaMm} << u" mm")
                           .take();
    Text sentence;
    sentence << Tr::tr("最粗线径") << item.valueText;
    switch (item.verdict) {
        case Verdict::Ok:
            sentence << Tr::tr("，不超过集肤深度的两倍");
            break;
        case Verdict::Warn:
            sentence << Tr::tr("，超过集肤深度的两倍，交流电阻增大，可考虑多股线");
            break;
        default:
            sentence << Tr::tr("，超过集肤深度的三倍，应改用多股线");
            break;
    }
    item.sentence = sentence.take();
    return item;
}

// build by numbers: fail when not one turn fits, info when not judged.
Verdict buildVerdict(const Build& build) {
    if (build.noTurnFits) {
        return Verdict::Fail;
    }
    if (!build.depthMm.ok() || !std::isfinite(build.depthMm.v)) {
        return Verdict::Info;
    }
    return graded(build.depthMm.v, 0.85 * build.windowDepthMm, build.windowDepthMm);
}

// build — the layers of every winding stacked in the window's width.
CheckItem buildItem(const Build& build) {
    CheckItem item =
        startItem(QStringLiteral("build"), humanText(pairItemCaption(PairItem::Build)));
    if (build.noTurnFits) {
        item.verdict = Verdict::Fail;
        item.sentence = build.why;
        item.limitText = Tr::tr("每层至少一匝");
        return item;
    }
    if (!build.depthMm.ok()) {
        setMissing(item, build.depthMm.missing);
        return item;
    }
    if (!setValue(item, build.depthMm.v, u"mm")) {
        return item;
    }
    const double width = build.windowDepthMm;
    item.verdict = buildVerdict(build);
    item.limitText =
        (Text() << u"≤ 0.85 × " << Sig{width} << u" mm = " << Sig{0.85 * width} << u" mm").take();
    item.formulaText = Tr::tr("Σ 层数 × 1.1d + 0.15 mm × (绕组数 − 1) = ") + item.valueText;
    Text sentence;
    sentence << Tr::tr("各绕组叠起来厚") << item.valueText << Tr::tr("，窗口宽") << Sig{width}
             << u" mm";
    sentence << (item.verdict == Verdict::Ok     ? Tr::tr("，放得下")
                 : item.verdict == Verdict::Warn ? Tr::tr("，很紧，绕制困难")
                                                 : Tr::tr("，放不下"));
    item.sentence = sentence.take();
    return item;
}

// The outer surface of the core set the rise is judged by.
std::optional<double> surfaceMm2(const CheckInput& in) {
    return in.coreShape ? coreSurfaceMm2(*in.coreShape, in.dimsMm) : std::nullopt;
}

// temp_rise by numbers: info when not judged or without an allowed rise.
Verdict temperatureRiseVerdict(const CheckInput& in, const Quantity& core, const Quantity& copper,
                               std::optional<double> areaMm2) {
    if (!core.ok() || !copper.ok() || !areaMm2 || !in.allowedRiseC || !(*in.allowedRiseC > 0.0)) {
        return Verdict::Info;
    }
    const std::optional<double> rise = surfaceTemperatureRise(core.v + copper.v, *areaMm2 / 100.0);
    if (!rise || !std::isfinite(*rise)) {
        return Verdict::Info;
    }
    return graded(*rise, *in.allowedRiseC, 1.2 * *in.allowedRiseC);
}

// temp_rise — the total loss over the core set's outer surface.
CheckItem temperatureRiseItem(const Operation& op, const Quantity& core, const Quantity& copper) {
    CheckItem item = startItem(QStringLiteral("temp_rise"),
                               humanText(pairItemCaption(PairItem::TemperatureRise)));
    const CheckInput& in = op.in;
    item.classicText = in.classicTempRise;
    for (const Quantity* needed : {&core, &copper}) {
        if (!needed->ok()) {
            setMissing(item, needed->missing);
            return item;
        }
    }
    const std::optional<double> areaMm2 = surfaceMm2(in);
    if (!areaMm2) {
        setMissing(item, Tr::tr("磁芯缺少尺寸，无法得出表面积"));
        return item;
    }
    const double lossW = core.v + copper.v;
    const std::optional<double> rise = surfaceTemperatureRise(lossW, *areaMm2 / 100.0);
    if (!rise || !setValue(item, *rise, u"℃")) {
        setMissing(item, Tr::tr("数值超出计算范围"));
        return item;
    }
    item.formulaText = (Text() << u"ΔT = (P ÷ A)^0.833 = (" << Sig{lossW * 1000.0} << u" mW ÷ "
                               << Sig{*areaMm2 / 100.0} << u" cm²)^0.833 = " << item.valueText)
                           .take();
    if (!in.allowedRiseC || !(*in.allowedRiseC > 0.0)) {
        item.sentence =
            (Text() << Tr::tr("按表面积估算温升") << item.valueText << Tr::tr("，未给出允许温升"))
                .take();
        return item;
    }
    const double allowed = *in.allowedRiseC;
    item.verdict = temperatureRiseVerdict(in, core, copper, areaMm2);
    item.limitText = (Text() << u"≤ " << Given{allowed} << u" ℃").take();
    Text sentence;
    sentence << Tr::tr("按表面积估算温升") << item.valueText << Tr::tr("，允许") << Given{allowed}
             << u" ℃";
    if (in.ambientC) {
        sentence << Tr::tr("，环境") << Given{*in.ambientC} << Tr::tr(" ℃时表面约")
                 << Sig{*in.ambientC + *rise} << u" ℃";
    }
    item.sentence = sentence.take();
    return item;
}

// gap by numbers: info without a gap.
Verdict gapVerdict(const CheckInput& in, std::optional<double> gapMm) {
    if (!gapMm || !std::isfinite(*gapMm)) {
        return Verdict::Info;
    }
    if (in.coreShape == CoreShape::Toroid) {
        return *gapMm > 0.0 ? Verdict::Fail : Verdict::Ok;
    }
    const std::optional<double>& leg = in.dimsMm.f;
    if (*gapMm < 0.05 || (leg && *leg > 0.0 && *gapMm > 0.25 * *leg)) {
        return Verdict::Warn;
    }
    return Verdict::Ok;
}

// gap — whether the gap can be made and held (ferrite makers' gapping
// notes: below about 0.05 mm the tolerance is the gap; fringing reaches
// about a quarter of the centre leg into the winding).
CheckItem gapItem(const Operation& op) {
    CheckItem item = startItem(QStringLiteral("gap"), humanText(pairItemCaption(PairItem::Gap)));
    const CheckInput& in = op.in;
    if (!in.gapMm) {
        setMissing(item, Tr::tr("未算出气隙"));
        return item;
    }
    const double gap = *in.gapMm;
    if (!setValue(item, gap, u"mm")) {
        return item;
    }
    item.formulaText = (Text() << u"TxtGap = " << Given{gap} << u" mm").take();
    item.verdict = gapVerdict(in, in.gapMm);
    if (in.coreShape == CoreShape::Toroid) {
        item.limitText = Tr::tr("环形磁芯不开气隙");
        item.sentence = item.verdict == Verdict::Fail
                            ? Tr::tr("环形磁芯不能开气隙，应换用可开气隙的磁芯或粉芯")
                            : Tr::tr("环形磁芯，不需要气隙");
        return item;
    }
    const std::optional<double>& leg = in.dimsMm.f;
    const bool hasLeg = leg && *leg > 0.0;
    item.limitText =
        hasLeg ? (Text() << u"0.05 mm ～ 0.25 × F = " << Sig{0.25 * *leg} << u" mm").take()
               : QStringLiteral("≥ 0.05 mm");
    if (item.verdict == Verdict::Ok) {
        item.sentence = (Text() << Tr::tr("气隙") << item.valueText << Tr::tr("，可以加工")).take();
    } else if (gap < 0.05) {
        item.sentence = (Text() << Tr::tr("气隙") << item.valueText
                                << Tr::tr("太小，难以保证公差，电感量会偏差"))
                            .take();
    } else {
        item.sentence = (Text() << Tr::tr("气隙") << item.valueText
                                << Tr::tr("超过中柱宽度的四分之一，边缘磁通会加热附近的绕组"))
                            .take();
    }
    return item;
}

void summarise(CheckResult& result) {
    for (const CheckItem& item : result.items) {
        if (item.verdict == Verdict::Fail) {
            ++result.failCount;
        } else if (item.verdict == Verdict::Warn) {
            ++result.warnCount;
        }
    }
    result.summary = result.failCount > 0   ? Verdict::Fail
                     : result.warnCount > 0 ? Verdict::Warn
                                            : Verdict::Ok;
    Text text;
    text << Tr::tr("校核：");
    const bool anyValue = std::any_of(result.items.begin(), result.items.end(),
                                      [](const CheckItem& item) { return item.value.has_value(); });
    if (!anyValue) {
        // Nothing is judged yet: no circuit, no outputs or no core.
        text << Tr::tr("尚无可校核的数值");
    } else if (result.failCount == 0 && result.warnCount == 0) {
        text << Tr::tr("全部合格");
    } else {
        if (result.failCount > 0) {
            text << result.failCount << Tr::tr(" 项不合格");
        }
        if (result.warnCount > 0) {
            text << (result.failCount > 0 ? Tr::tr("，") : QString()) << result.warnCount
                 << Tr::tr(" 项警告");
        }
    }
    result.summaryText = text.take();
}

// Says so on the items whose numbers rest on the core's Ae, Le or Ve when
// the catalogue row is only an estimate of them.
void noteEstimatedCore(std::vector<CheckItem>& items) {
    static const QStringList kCoreItems = {
        QStringLiteral("b_peak"), QStringLiteral("b_swing"), QStringLiteral("core_loss"),
        QStringLiteral("loss_share"), QStringLiteral("temp_rise")};
    for (CheckItem& item : items) {
        if (item.value && kCoreItems.contains(item.id)) {
            item.sentence += Tr::tr("；磁芯参数为估算值（±10%）");
        }
    }
}

}  // namespace

CheckMaterial checkMaterial(const CheckInput& input) {
    CheckMaterial material;
    material.chosen = input.materialChosen;
    material.saturationMt = input.saturationMt;
    sanitize(material.saturationMt);
    LossPoints points = input.loss;
    for (auto& byTemperature : points.mwPerCm3) {
        for (std::optional<double>& point : byTemperature) {
            sanitize(point);
        }
    }
    if (!points.any()) {
        material.pointsMissing =
            input.materialChosen ? Tr::tr("该磁材没有损耗数据") : Tr::tr("未选择磁材");
        return material;
    }
    std::optional<double> permeability = input.permeability;
    sanitize(permeability);
    if (!permeability) {
        material.lawMissing = Tr::tr("该磁材缺少初始磁导率，无法得出损耗指数β");
        return material;
    }
    const double frequencyKHz = finiteOr0(input.frequencyKHz);
    const std::optional<catalogue::LossLaw> law = catalogue::lossLaw(*permeability, frequencyKHz);
    if (!law) {
        material.lawMissing = Tr::tr("该磁材的初始磁导率不在损耗分类内，无法得出损耗指数β");
        return material;
    }
    material.fit = steinmetzFit(points, frequencyKHz, law->x, law->y);
    if (!material.fit) {
        material.lawMissing = Tr::tr("该磁材的损耗数据无法用于此频率");
    }
    return material;
}

QString pairItemCaption(const PairVerdict& verdict) {
    if (verdict.verdict == Verdict::Ok || verdict.verdict == Verdict::Info) {
        return {};
    }
    return verdict.item == PairItem::OutputVoltage ? outputVoltageCaption(verdict.output + 1)
                                                   : pairItemCaption(verdict.item);
}

struct WoundCore::Wound {
    Operation op;
    Build build;
    Quantity copper;
    std::optional<double> areaMm2;
    // The worst of the uo(r) items and the first output with it.
    Verdict outputs = Verdict::Ok;
    int firstOutput = 0;
};

WoundCore::WoundCore(CheckInput input) : m_wound(std::make_unique<Wound>()) {
    Wound& w = *m_wound;
    w.op = operate(std::move(input));
    for (int r = 0; r < int(w.op.in.outputs.size()); ++r) {
        const Verdict verdict = outputVoltageVerdict(w.op, r);
        if (verdict == Verdict::Fail || (verdict == Verdict::Warn && w.outputs == Verdict::Ok)) {
            if (verdict != w.outputs) {
                w.firstOutput = r;
            }
            w.outputs = verdict;
        }
    }
    // A failing output comes before the build, the losses and the rise in
    // the check's order: they cannot change the verdict.
    if (w.outputs != Verdict::Fail) {
        w.build = windingBuild(w.op);
        w.copper = copperLossW(w.op, w.build, nullptr);
        w.areaMm2 = surfaceMm2(w.op.in);
    }
}

WoundCore::~WoundCore() = default;
WoundCore::WoundCore(WoundCore&&) noexcept = default;
WoundCore& WoundCore::operator=(WoundCore&&) noexcept = default;

bool WoundCore::failsWhateverMaterial() const {
    return outputVoltageFails() || buildVerdict(m_wound->build) == Verdict::Fail;
}

bool WoundCore::outputVoltageFails() const {
    return m_wound->outputs == Verdict::Fail;
}

PairVerdict WoundCore::verdict(const CheckMaterial& material, std::optional<double> gapMm) const {
    const Wound& w = *m_wound;
    PairVerdict worst;
    const auto take = [&worst](Verdict verdict, PairItem item, int output = 0) {
        const auto rank = [](Verdict v) {
            return v == Verdict::Fail ? 2 : v == Verdict::Warn ? 1 : 0;
        };
        if (rank(verdict) > rank(worst.verdict)) {
            worst = {verdict, item, output};
        }
    };
    const Verdict flux = fluxPeakVerdict(w.op, material);
    // The forward check lists b_peak before the outputs.
    if (w.op.circuit == Circuit::Forward) {
        take(flux, PairItem::FluxPeak);
        take(w.outputs, PairItem::OutputVoltage, w.firstOutput);
    } else {
        take(w.outputs, PairItem::OutputVoltage, w.firstOutput);
        take(flux, PairItem::FluxPeak);
    }
    if (w.outputs == Verdict::Fail) {
        return worst;
    }
    const Quantity core = coreLossW(w.op, material, nullptr);
    take(lossShareVerdict(lossSharePercent(w.op, core, w.copper)), PairItem::LossShare);
    take(buildVerdict(w.build), PairItem::Build);
    take(temperatureRiseVerdict(w.op.in, core, w.copper, w.areaMm2), PairItem::TemperatureRise);
    std::optional<double> gap = gapMm;
    sanitize(gap);
    take(gapVerdict(w.op.in, gap), PairItem::Gap);
    return worst;
}

QString verdictCaption(Verdict verdict) {
    switch (verdict) {
        case Verdict::Ok:
            return Tr::tr("合格");
        case Verdict::Warn:
            return Tr::tr("警告");
        case Verdict::Fail:
            return Tr::tr("不合格");
        case Verdict::Info:
            break;
    }
    return Tr::tr("参考");
}

QString verdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Ok:
            return QStringLiteral("ok");
        case Verdict::Warn:
            return QStringLiteral("warn");
        case Verdict::Fail:
            return QStringLiteral("fail");
        case Verdict::Info:
            break;
    }
    return QStringLiteral("info");
}

CheckResult runCheck(const CheckInput& input) {
    const Operation op = operate(input);
    const CheckMaterial material = checkMaterial(op.in);
    const int outputs = int(op.in.outputs.size());
    CheckResult result;
    std::vector<CheckItem>& items = result.items;
    items.reserve(20 + 2 * op.in.outputs.size());
    if (op.circuit == Circuit::Forward) {
        items.push_back(dutyItem(op));
        items.push_back(fluxPeakItem(op, material));
        items.push_back(fluxSwingItem(op));
        items.push_back(primaryRmsItem(op));
    } else {
        items.push_back(vorItem(op));
        items.push_back(modeItem(op));
        items.push_back(dutyItem(op));
        if (op.circuit == Circuit::Rcc) {
            items.push_back(frequencyItem(op));
        }
        items.push_back(primaryPeakItem(op));
        items.push_back(primaryValleyItem(op));
        items.push_back(primaryRmsItem(op));
    }
    for (int r = 0; r < outputs; ++r) {
        items.push_back(secondaryRmsItem(op, r));
    }
    for (int r = 0; r < outputs; ++r) {
        items.push_back(outputVoltageItem(op, r));
    }
    if (op.circuit != Circuit::Forward) {
        items.push_back(fluxPeakItem(op, material));
        items.push_back(fluxSwingItem(op));
        items.push_back(inputMinimumItem(op));
    }
    items.push_back(switchVoltageItem(op));

    QString coreFormula;
    QString copperFormula;
    const Quantity core = coreLossW(op, material, &coreFormula);
    const Build build = windingBuild(op);
    const Quantity copper = copperLossW(op, build, &copperFormula);
    items.push_back(coreLossItem(op, core, coreFormula));
    items.push_back(copperLossItem(op, copper, copperFormula));
    items.push_back(lossShareItem(op, core, copper));
    items.push_back(skinItem(op));
    items.push_back(buildItem(build));
    items.push_back(temperatureRiseItem(op, core, copper));
    items.push_back(gapItem(op));
    if (input.coreEstimate) {
        noteEstimatedCore(items);
    }
    summarise(result);
    return result;
}

}  // namespace kelvane::check
