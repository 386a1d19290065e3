#include "engine/report/waveform.h"

#include <gtest/gtest.h>

#include <QVector>

namespace kelvane::report {
namespace {

using P = WaveformPoint;

struct GeometryCase {
    const char* name;
    WaveformTexts texts;
    QVector<P> points;
    // Marked levels, highest first as listed: name and text.
    QStringList levels;
};

// The worked operating point: F 50 kHz, D 0.4, Pint 60 W, Udc 100 V.
const GeometryCase kGeometry[] = {
    {"flyback steps to Ip1 and ramps to Ipk",
     {CircuitType::Flyback, "20.0", "8.0", "0.60", "0.75", "2.25", "1.50"},
     {{0, 0}, {0, 0.75}, {8, 2.25}, {8, 0}, {20, 0}, {20, 0.75}, {28, 2.25}, {28, 0}, {40, 0}},
     {"Ip1 0.75", "Ipk 2.25", "Is 0.60"}},
    {"RCC ramps from zero in critical conduction",
     {CircuitType::Rcc, "20.0", "8.0", "0.60", "0.75", "3.00", "3.00"},
     {{0, 0}, {8, 3}, {8, 0}, {20, 0}, {28, 3}, {28, 0}, {40, 0}},
     {"Ipk 3.00", "Is 0.60"}},
    {"forward ramps by delta i around the mean on-current",
     {CircuitType::Forward, "20.0", "8.0", "0.60", "", "", "0.12"},
     {{0, 0}, {0, 1.44}, {8, 1.56}, {8, 0}, {20, 0}, {20, 1.44}, {28, 1.56}, {28, 0}, {40, 0}},
     {"Ip1 1.44", "Ipk 1.56", "Is 0.60"}},
    {"forward ignores the stale flyback currents",
     {CircuitType::Forward, "10", "5", "1", "9", "27", "0.2"},
     {{0, 0}, {0, 1.9}, {5, 2.1}, {5, 0}, {10, 0}, {10, 1.9}, {15, 2.1}, {15, 0}, {20, 0}},
     {"Ip1 1.90", "Ipk 2.10", "Is 1"}},
    {"full duty leaves no off-time",
     {CircuitType::Flyback, "10", "10", "1", "1", "3", "2"},
     {{0, 0}, {0, 1}, {10, 3}, {10, 0}, {10, 0}, {10, 1}, {20, 3}, {20, 0}, {20, 0}},
     {"Ip1 1", "Ipk 3", "Is 1"}},
};

class WaveformGeometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(WaveformGeometry, DrawsTwoPeriods) {
    const GeometryCase& c = GetParam();
    const Waveform waveform = primaryWaveform(c.texts);
    ASSERT_TRUE(waveform.emptyReason.isEmpty()) << waveform.emptyReason.toStdString();
    ASSERT_EQ(waveform.points.size(), c.points.size());
    for (int i = 0; i < c.points.size(); ++i) {
        EXPECT_NEAR(waveform.points[i].timeUs, c.points[i].timeUs, 1e-9) << "point " << i;
        EXPECT_NEAR(waveform.points[i].currentA, c.points[i].currentA, 1e-9) << "point " << i;
    }
    QStringList levels;
    for (const WaveformLevel& level : waveform.levels) {
        levels.append(level.name + ' ' + level.text);
    }
    EXPECT_EQ(levels, c.levels);
    // The period average of the drawn current is the average input current.
    double charge = 0.0;
    for (int i = 1; i < waveform.points.size(); ++i) {
        const P& a = waveform.points[i - 1];
        const P& b = waveform.points[i];
        charge += (b.timeUs - a.timeUs) * (a.currentA + b.currentA) / 2;
    }
    if (c.texts.circuit == CircuitType::Forward) {
        EXPECT_NEAR(charge / (2 * waveform.tsUs), c.texts.isA.toDouble(), 1e-9);
    }
    EXPECT_TRUE(waveform.annotations.join(' ').contains("Ton = " + c.texts.tonUs + " µs"));
    EXPECT_TRUE(waveform.annotations.join(' ').contains("Δi = " + c.texts.diA + " A"));
}

INSTANTIATE_TEST_SUITE_P(CircuitTypes, WaveformGeometry, ::testing::ValuesIn(kGeometry));

struct EmptyCase {
    const char* name;
    WaveformTexts texts;
    const char* reason;
};

const EmptyCase kEmpty[] = {
    {"no circuit type",
     {CircuitType::None, "20", "8", "0.6", "0.75", "2.25", "1.5"},
     "未选择电路形式"},
    {"empty period",
     {CircuitType::Flyback, "", "8", "0.6", "0.75", "2.25", "1.5"},
     "Ts或Ton缺失或不为正"},
    {"zero on-time",
     {CircuitType::Rcc, "20", "0.0", "0.6", "0.75", "3", "3"},
     "Ts或Ton缺失或不为正"},
    {"on-time beyond the period",
     {CircuitType::Flyback, "8", "20", "0.6", "0.75", "2.25", "1.5"},
     "Ton大于Ts"},
    {"text that is no number",
     {CircuitType::Flyback, "20", "8", "abc", "0.75", "2.25", "1.5"},
     "Is或Δi缺失或不为正"},
    {"negative delta i",
     {CircuitType::Forward, "20", "8", "0.6", "", "", "-0.12"},
     "Is或Δi缺失或不为正"},
    {"missing peak",
     {CircuitType::Flyback, "20", "8", "0.6", "0.75", "", "1.5"},
     "Ip1或Ipk缺失或不为正"},
    {"negative initial current",
     {CircuitType::Rcc, "20", "8", "0.6", "-0.75", "3", "3"},
     "Ip1或Ipk缺失或不为正"},
    {"initial above peak", {CircuitType::Flyback, "20", "8", "0.6", "3", "2", "1"}, "Ip1大于Ipk"},
    {"forward delta i beyond twice the mean",
     {CircuitType::Forward, "20", "8", "0.1", "", "", "1"},
     "Δi大于导通平均电流的两倍"},
};

class WaveformEmpty : public ::testing::TestWithParam<EmptyCase> {};

TEST_P(WaveformEmpty, DrawsNothingAndSaysWhy) {
    const EmptyCase& c = GetParam();
    const Waveform waveform = primaryWaveform(c.texts);
    EXPECT_TRUE(waveform.isEmpty());
    EXPECT_TRUE(waveform.levels.isEmpty());
    EXPECT_EQ(waveform.emptyReason, QString::fromUtf8(c.reason));
}

INSTANTIATE_TEST_SUITE_P(Degenerate, WaveformEmpty, ::testing::ValuesIn(kEmpty));

}  // namespace
}  // namespace kelvane::report
