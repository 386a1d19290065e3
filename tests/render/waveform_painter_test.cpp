#include "render/waveform_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace kelvane::render {
namespace {

using report::CircuitType;

// The waveform drawn on a white image of 600 × 260.
QImage drawn(const report::WaveformTexts& texts, const WaveformOverlay* overlay = nullptr) {
    QImage image(600, 260, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font;
    font.setPixelSize(12);
    drawWaveform(painter, QRectF(0, 0, 600, 260), report::primaryWaveform(texts), font, overlay);
    return image;
}

bool isDesignedBlue(const QColor& colour) {
    return colour.blue() > 150 && colour.red() < 80 && colour.green() < 120;
}
bool isSimulatedOrange(const QColor& colour) {
    return colour.red() > 180 && colour.green() > 50 && colour.green() < 140 && colour.blue() < 60;
}

// The pixels of a colour above the line of annotations and the legend
// (its last 24 rows): their columns and their lowest row.
struct Trace {
    QVector<int> columns;
    int lowestRow = -1;
};
Trace traceOf(const QImage& image, bool (*isColour)(const QColor&)) {
    Trace trace;
    for (int x = 0; x < image.width(); ++x) {
        bool found = false;
        for (int y = 0; y < image.height() - 24; ++y) {
            if (isColour(image.pixelColor(x, y))) {
                found = true;
                trace.lowestRow = std::max(trace.lowestRow, y);
            }
        }
        if (found) {
            trace.columns.append(x);
        }
    }
    return trace;
}

// The columns in which the drawn current (its blue) appears.
QVector<int> currentColumns(const report::WaveformTexts& texts) {
    return traceOf(drawn(texts), isDesignedBlue).columns;
}

TEST(WaveformPainter, DrawsTheCurrentAcrossTheTwoPeriodsOfEveryCircuitType) {
    const report::WaveformTexts designs[] = {
        {CircuitType::Flyback, "20.0", "8.0", "0.60", "0.75", "2.25", "1.50"},
        {CircuitType::Forward, "20.0", "8.0", "0.60", "", "", "0.12"},
        {CircuitType::Rcc, "20.0", "8.0", "0.60", "0.75", "3.00", "3.00"},
    };
    for (const auto& texts : designs) {
        const QVector<int> columns = currentColumns(texts);
        ASSERT_FALSE(columns.isEmpty());
        // From the time axis' origin to its end: most of the plot's width.
        EXPECT_GT(columns.last() - columns.first(), 300)
            << (texts.circuit ? int(*texts.circuit) : -1);
    }
}

TEST(WaveformPainter, DrawsNoCurrentForAnEmptyWaveform) {
    EXPECT_TRUE(currentColumns({CircuitType::Flyback, "20", "30", "1", "1", "3", "2"}).isEmpty());
    EXPECT_TRUE(currentColumns({}).isEmpty());
}

const report::WaveformTexts kFlyback = {
    CircuitType::Flyback, "20.0", "8.0", "0.60", "0.75", "2.25", "1.50"};

// The simulated current in its own colour across the same two periods.
TEST(WaveformPainter, DrawsTheSimulatedCurrentOverTheDesignedOne) {
    WaveformOverlay overlay{{{0.0, 0.7},
                             {8.2, 2.2},
                             {8.4, 0.0},
                             {20.0, 0.0},
                             {20.0, 0.7},
                             {28.2, 2.2},
                             {28.4, 0.0},
                             {40.0, 0.0}},
                            QStringLiteral("仿真")};
    const QImage image = drawn(kFlyback, &overlay);
    const Trace simulated = traceOf(image, isSimulatedOrange);
    const Trace designed = traceOf(image, isDesignedBlue);
    ASSERT_FALSE(simulated.columns.isEmpty());
    EXPECT_GT(simulated.columns.last() - simulated.columns.first(), 300);
    EXPECT_GT(designed.columns.last() - designed.columns.first(), 300);
    EXPECT_TRUE(traceOf(drawn(kFlyback), isSimulatedOrange).columns.isEmpty());
}

// A simulated current below zero (a bridge's primary) moves the time axis
// up: the overlay reaches below the designed current's zero line. One that
// runs longer (an RCC at its own, lower frequency) widens the time axis.
TEST(WaveformPainter, TheAxesHoldTheSimulatedCurrent) {
    const int designedLowest = traceOf(drawn(kFlyback), isDesignedBlue).lowestRow;
    WaveformOverlay bipolar{{{0.0, 1.5}, {10.0, 1.5}, {10.0, -1.5}, {20.0, -1.5}}, QString()};
    EXPECT_GT(traceOf(drawn(kFlyback, &bipolar), isSimulatedOrange).lowestRow,
              traceOf(drawn(kFlyback, &bipolar), isDesignedBlue).lowestRow + 20);
    EXPECT_GT(designedLowest, traceOf(drawn(kFlyback, &bipolar), isDesignedBlue).lowestRow + 20);

    const int designedWidth = currentColumns(kFlyback).last() - currentColumns(kFlyback).first();
    WaveformOverlay longer{{{0.0, 0.5}, {60.0, 0.5}}, QString()};
    const QVector<int> squeezed = traceOf(drawn(kFlyback, &longer), isDesignedBlue).columns;
    EXPECT_NEAR(double(squeezed.last() - squeezed.first()), designedWidth * 40.0 / 60.0, 6.0);
}

}  // namespace
}  // namespace kelvane::render
