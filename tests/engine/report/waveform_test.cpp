#include "engine/report/waveform.h"

#include "../table_rows.h"

#include <gtest/gtest.h>

#include <QVector>

namespace kelvane::report {
namespace {

using P = WaveformPoint;

// "Flyback 20.0 8.0 0.60 0.75 2.25 1.50": the circuit type and the six
// texts, "-" standing for an empty one.
WaveformTexts textsOf(const QString& row) {
    const QStringList words = row.split(u' ');
    EXPECT_EQ(words.size(), 7) << row.toStdString();
    // "None" for no circuit chosen, then the circuits in their order.
    const QStringList circuits = {"Flyback", "Forward", "Rcc"};
    const qsizetype circuit = circuits.indexOf(words.value(0));
    EXPECT_TRUE(circuit >= 0 || words.value(0) == u"None") << row.toStdString();
    QStringList texts;
    for (int i = 1; i < 7; ++i) {
        texts.append(words.value(i) == u"-" ? QString() : words.value(i));
    }
    return {circuit >= 0 ? std::optional(CircuitType(circuit)) : std::nullopt,
            texts[0],
            texts[1],
            texts[2],
            texts[3],
            texts[4],
            texts[5]};
}

// Every row of data/waveforms.tsv: two periods drawn with their marked
// levels, or nothing drawn and why.
TEST(Waveform, EveryRowOfTheTable) {
    int drawn = 0;
    int empty = 0;
    for (const tables::TableRow& row : tables::tableRows("waveforms.tsv")) {
        SCOPED_TRACE(row.trace());
        const QStringList& columns = row.columns;
        ASSERT_GE(columns.size(), 4);
        const WaveformTexts texts = textsOf(columns[1]);
        const Waveform waveform = primaryWaveform(texts);
        if (columns[0] == u"empty") {
            ++empty;
            EXPECT_TRUE(waveform.isEmpty());
            EXPECT_TRUE(waveform.levels.isEmpty());
            EXPECT_EQ(waveform.emptyReason.toStdString(), columns[2].toStdString());
            continue;
        }
        ASSERT_EQ(columns[0], u"draw");
        ASSERT_EQ(columns.size(), 5);
        ++drawn;
        ASSERT_TRUE(waveform.emptyReason.isEmpty()) << waveform.emptyReason.toStdString();
        const QStringList points = columns[2].split(u' ');
        ASSERT_EQ(waveform.points.size(), points.size());
        for (int i = 0; i < points.size(); ++i) {
            EXPECT_NEAR(waveform.points[i].timeUs, points[i].section(u',', 0, 0).toDouble(), 1e-9)
                << "point " << i;
            EXPECT_NEAR(waveform.points[i].currentA, points[i].section(u',', 1, 1).toDouble(), 1e-9)
                << "point " << i;
        }
        QStringList levels;
        for (const WaveformLevel& level : waveform.levels) {
            levels.append(level.name + ' ' + level.text);
        }
        EXPECT_EQ(levels.join(u'|').toStdString(), columns[3].toStdString());
        // The period average of the drawn current is the average input current.
        double charge = 0.0;
        for (int i = 1; i < waveform.points.size(); ++i) {
            const P& a = waveform.points[i - 1];
            const P& b = waveform.points[i];
            charge += (b.timeUs - a.timeUs) * (a.currentA + b.currentA) / 2;
        }
        if (texts.circuit == CircuitType::Forward) {
            EXPECT_NEAR(charge / (2 * waveform.tsUs), texts.isA.toDouble(), 1e-9);
        }
        EXPECT_TRUE(waveform.annotations.join(' ').contains("Ton = " + texts.tonUs + " µs"));
        EXPECT_TRUE(waveform.annotations.join(' ').contains("Δi = " + texts.diA + " A"));
    }
    EXPECT_GT(drawn, 0);
    EXPECT_GT(empty, 0);
}

}  // namespace
}  // namespace kelvane::report
