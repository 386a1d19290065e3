#include "render/waveform_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace kelvane::render {
namespace {

using report::CircuitType;

// The columns in which the drawn current (its blue) appears.
QVector<int> currentColumns(const report::WaveformTexts& texts) {
    QImage image(600, 260, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QFont font;
        font.setPixelSize(12);
        drawWaveform(painter, QRectF(0, 0, 600, 260), report::primaryWaveform(texts), font);
    }
    QVector<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.blue() > 150 && colour.red() < 80 && colour.green() < 120) {
                columns.append(x);
                break;
            }
        }
    }
    return columns;
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

}  // namespace
}  // namespace kelvane::render
