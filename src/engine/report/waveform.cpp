#include "engine/report/waveform.h"

#include "engine/base/number_text.h"
#include "engine/sheet/design_sheet.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <optional>

namespace kelvane::report {

namespace {

// The texts for a person, in the engineer's language.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(kelvane::report)
};

// The value of a figure that must be present and positive.
std::optional<double> positive(const QString& text) {
    if (trimBlanks(text).isEmpty()) {
        return std::nullopt;
    }
    const double value = parseNumber(text);
    if (!std::isfinite(value) || value <= 0.0) {
        return std::nullopt;
    }
    return value;
}

QString amps(double value) {
    return formatFixed(value, 2).value_or(QString());
}

Waveform emptyWaveform(const QString& reason) {
    Waveform waveform;
    waveform.emptyReason = reason;
    return waveform;
}

// A ramp from `startA` to `peakA` during the on-time, then 0 until the end of
// the period; two periods.
QVector<WaveformPoint> twoPeriods(double tsUs, double tonUs, double startA, double peakA) {
    QVector<WaveformPoint> points;
    for (int period = 0; period < 2; ++period) {
        const double begin = period * tsUs;
        points.append({begin, 0.0});
        if (startA > 0.0) {
            points.append({begin, startA});
        }
        points.append({begin + tonUs, peakA});
        points.append({begin + tonUs, 0.0});
    }
    points.append({2 * tsUs, 0.0});
    return points;
}

}  // namespace

Waveform primaryWaveform(const WaveformTexts& texts) {
    if (!texts.circuit) {
        return emptyWaveform(Tr::tr("未选择电路形式"));
    }
    const auto ts = positive(texts.tsUs);
    const auto ton = positive(texts.tonUs);
    if (!ts || !ton) {
        return emptyWaveform(Tr::tr("Ts或Ton缺失或不为正"));
    }
    if (*ton > *ts) {
        return emptyWaveform(Tr::tr("Ton大于Ts"));
    }
    const auto is = positive(texts.isA);
    const auto di = positive(texts.diA);
    if (!is || !di) {
        return emptyWaveform(Tr::tr("Is或Δi缺失或不为正"));
    }

    double startA = 0.0;
    double peakA = 0.0;
    QString startName;
    QString startText;
    QString peakText;
    if (texts.circuit == CircuitType::Forward) {
        const double meanOnA = *is * *ts / *ton;
        startA = meanOnA - *di / 2;
        peakA = meanOnA + *di / 2;
        if (startA < 0.0) {
            return emptyWaveform(Tr::tr("Δi大于导通平均电流的两倍"));
        }
        startName = QStringLiteral("Ip1");
        startText = amps(startA);
        peakText = amps(peakA);
    } else {
        const auto ip1 = positive(texts.ip1A);
        const auto ipk = positive(texts.ipkA);
        if (!ip1 || !ipk) {
            return emptyWaveform(Tr::tr("Ip1或Ipk缺失或不为正"));
        }
        peakA = *ipk;
        if (texts.circuit == CircuitType::Flyback) {
            startA = *ip1;
            startName = QStringLiteral("Ip1");
            startText = trimBlanks(texts.ip1A);
        } else {
            startA = std::max(peakA - *di, 0.0);
            startName = QStringLiteral("Ipk−Δi");
            startText = amps(startA);
        }
        if (startA > peakA) {
            return emptyWaveform(Tr::tr("Ip1大于Ipk"));
        }
        peakText = trimBlanks(texts.ipkA);
    }

    Waveform waveform;
    waveform.tsUs = *ts;
    waveform.tonUs = *ton;
    waveform.points = twoPeriods(*ts, *ton, startA, peakA);
    if (startA > 0.0) {
        waveform.levels.append({startName, startText, startA});
    }
    waveform.levels.append({QStringLiteral("Ipk"), peakText, peakA});
    waveform.levels.append({QStringLiteral("Is"), trimBlanks(texts.isA), *is});
    waveform.annotations = {QStringLiteral("Δi = %1 A").arg(trimBlanks(texts.diA)),
                            QStringLiteral("Ton = %1 µs").arg(trimBlanks(texts.tonUs)),
                            QStringLiteral("Ts = %1 µs").arg(trimBlanks(texts.tsUs))};
    if (texts.circuit == CircuitType::Forward) {
        waveform.annotations.append(Tr::tr("正激：Ip1、Ipk由Is、Δi推得"));
    } else if (texts.circuit == CircuitType::Rcc) {
        waveform.annotations.append(
            Tr::tr("RCC：临界导通，Ip1 = %1 A").arg(trimBlanks(texts.ip1A)));
    }
    return waveform;
}

WaveformTexts waveformTexts(const sheet::DesignSheet& sheet) {
    using sheet::Field;
    WaveformTexts texts;
    texts.circuit = sheet::chosenCircuit(sheet);
    texts.tsUs = sheet.text(Field::Txtts);
    texts.tonUs = sheet.text(Field::Txtton);
    texts.isA = sheet.text(Field::txtis);
    texts.ip1A = sheet.text(Field::txtip1);
    texts.ipkA = sheet.text(Field::txtipk);
    texts.diA = sheet.text(Field::txtdi);
    return texts;
}

}  // namespace kelvane::report
