// The design check on random input records: whatever the numbers, every
// item keeps its place and says a value or why it has none, in texts that
// never hold a number that is not one.
#include "engine/check/design_check.h"
#include "fuzz_checks.h"

#include <QRegularExpression>

#include <cmath>
#include <cstring>

namespace kelvane::fuzz {
namespace {

// Reads numbers off the input: a byte picks a small number (a signed 16-bit
// count of 1/64) or, above 199, any double of the next eight bytes (NaN,
// infinities, denormals). Past the end every number is 0.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}

    std::uint8_t byte() { return m_at < m_bytes.size() ? std::uint8_t(m_bytes[m_at++]) : 0; }
    double number() {
        if (byte() < 200) {
            const auto high = byte();
            const auto low = byte();
            return double(std::int16_t(std::uint16_t(high << 8 | low))) / 64.0;
        }
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            bits = bits << 8 | byte();
        }
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    std::optional<double> maybe() {
        if (byte() % 4 == 0) {
            return std::nullopt;
        }
        return number();
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_at = 0;
};

check::CheckInput inputFrom(const QByteArray& bytes) {
    Reader read(bytes);
    check::CheckInput in;
    switch (read.byte() % 4) {
        case 0:
            in.circuit = check::Circuit::Flyback;
            break;
        case 1:
            in.circuit = check::Circuit::Forward;
            break;
        case 2:
            in.circuit = check::Circuit::Rcc;
            break;
        default:
            break;
    }
    in.halfBridge = read.byte() % 2 != 0;
    for (double* value : {&in.vinV, &in.acMinV, &in.frequencyKHz, &in.designDuty, &in.efficiency,
                          &in.inductanceMh, &in.acMaxV, &in.switchRatingV, &in.lineHz}) {
        *value = read.number();
    }
    const int outputs = read.byte() % 5;
    for (int r = 0; r < outputs; ++r) {
        in.outputs.push_back({read.number(), read.number(), read.number()});
    }
    // Sometimes fewer or more winding rows than outputs.
    const int windings = outputs + 1 - int(read.byte() % 3) + 1;
    for (int w = 0; w < windings; ++w) {
        in.windings.push_back({read.maybe(), read.maybe(), read.maybe()});
    }
    in.coreName = read.byte() % 3 == 0 ? QString() : QStringLiteral("EE");
    constexpr check::CoreShape kShapes[] = {check::CoreShape::E, check::CoreShape::Rm,
                                            check::CoreShape::Pot, check::CoreShape::U,
                                            check::CoreShape::Toroid};
    if (const int shape = read.byte() % 6; shape < 5) {
        in.coreShape = kShapes[shape];
    }
    for (std::optional<double>* value :
         {&in.dimsMm.a, &in.dimsMm.b, &in.dimsMm.c, &in.dimsMm.d, &in.dimsMm.e, &in.dimsMm.f,
          &in.aeMm2, &in.leMm, &in.awMm2, &in.veMm3, &in.saturationMt, &in.permeability,
          &in.marginMm, &in.ambientC, &in.allowedRiseC, &in.gapMm, &in.bulkUf}) {
        *value = read.maybe();
    }
    in.materialChosen = read.byte() % 2 != 0;
    for (auto& byTemperature : in.loss.mwPerCm3) {
        for (std::optional<double>& point : byTemperature) {
            point = read.maybe();
        }
    }
    return in;
}

// The ids the check lists for a circuit and a count of outputs.
QStringList expectedIds(const check::CheckInput& in) {
    QStringList ids;
    const auto perOutput = [&ids, &in](const char* name) {
        for (size_t r = 1; r <= in.outputs.size(); ++r) {
            ids << QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(r);
        }
    };
    if (in.circuit == check::Circuit::Forward) {
        ids << QStringLiteral("duty") << QStringLiteral("b_peak") << QStringLiteral("b_swing")
            << QStringLiteral("ip_rms");
        perOutput("is_rms");
        perOutput("uo");
    } else {
        ids << QStringLiteral("vor") << QStringLiteral("mode") << QStringLiteral("duty");
        if (in.circuit == check::Circuit::Rcc) {
            ids << QStringLiteral("frequency");
        }
        ids << QStringLiteral("ip_peak") << QStringLiteral("ip_valley") << QStringLiteral("ip_rms");
        perOutput("is_rms");
        perOutput("uo");
        ids << QStringLiteral("b_peak") << QStringLiteral("b_swing") << QStringLiteral("vin_min");
    }
    ids << QStringLiteral("vds_max") << QStringLiteral("core_loss") << QStringLiteral("copper_loss")
        << QStringLiteral("loss_share") << QStringLiteral("skin") << QStringLiteral("build")
        << QStringLiteral("temp_rise") << QStringLiteral("gap");
    return ids;
}

QString refusedText(const QString& text) {
    static const QRegularExpression negativeZero(QStringLiteral("-0(\\.0*)?(?![0-9.])"));
    if (text.contains(QStringLiteral("nan"), Qt::CaseInsensitive) ||
        text.contains(QStringLiteral("inf"), Qt::CaseInsensitive) ||
        negativeZero.match(text).hasMatch()) {
        return text;
    }
    return {};
}

}  // namespace

QString checkCheckInput(const QByteArray& input) {
    const check::CheckInput in = inputFrom(input);
    const check::CheckResult result = check::runCheck(in);
    QStringList ids;
    int fails = 0;
    int warns = 0;
    for (const check::CheckItem& item : result.items) {
        ids << item.id;
        const int verdict = int(item.verdict);
        if (verdict < int(check::Verdict::Ok) || verdict > int(check::Verdict::Info)) {
            return QStringLiteral("%1: verdict %2").arg(item.id).arg(verdict);
        }
        fails += item.verdict == check::Verdict::Fail;
        warns += item.verdict == check::Verdict::Warn;
        for (const QString* text :
             {&item.valueText, &item.sentence, &item.formulaText, &item.limitText, &item.caption}) {
            if (const QString refused = refusedText(*text); !refused.isEmpty()) {
                return QStringLiteral("%1 writes \"%2\"").arg(item.id, refused);
            }
        }
        if (item.value && (!std::isfinite(*item.value) || item.valueText.isEmpty())) {
            return QStringLiteral("%1: value without a finite text").arg(item.id);
        }
        if (!item.value && item.id != u"mode" && !item.valueText.isEmpty()) {
            return QStringLiteral("%1: text \"%2\" without a value").arg(item.id, item.valueText);
        }
        if (item.valueText.isEmpty() && item.sentence.isEmpty()) {
            return QStringLiteral("%1: no value and no reason").arg(item.id);
        }
        if ((item.id == u"b_peak" || item.id == u"b_swing") && item.value && *item.value < 0.0) {
            return QStringLiteral("%1: negative flux %2").arg(item.id, item.valueText);
        }
    }
    if (ids != expectedIds(in)) {
        return QStringLiteral("items %1").arg(ids.join(u' '));
    }
    if (result.failCount != fails || result.warnCount != warns) {
        return QStringLiteral("summary counts %1/%2").arg(result.failCount).arg(result.warnCount);
    }
    return {};
}

}  // namespace kelvane::fuzz
