#include "engine/check/check_formulas.h"

#include "../table_rows.h"
#include "engine/catalogue/core_formulas.h"
#include "engine/check/check_text.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cmath>
#include <numbers>

namespace kelvane::check {
namespace {

TEST(CheckTextTest, ValuesHaveThreeSignificantDigitsInPlainDecimal) {
    for (const tables::TableRow& row : tables::tableRows("check_numbers.tsv")) {
        SCOPED_TRACE(row.trace());
        EXPECT_EQ(significantText(row.columns.value(0).toDouble()).toStdString(),
                  row.columns.value(1).toStdString());
    }
}

TEST(CheckTextTest, GivenNumbersKeepTheirShortestDigits) {
    EXPECT_EQ(plainText(40).toStdString(), "40");
    EXPECT_EQ(plainText(0.0175).toStdString(), "0.0175");
    EXPECT_EQ(plainText(-0.0).toStdString(), "0");
    EXPECT_EQ(plainText(1.5e-5).toStdString(), "0.000015");
    EXPECT_EQ(plainText(2.5e6).toStdString(), "2500000");
    EXPECT_EQ(plainText(std::nan("")).toStdString(), "—");
}

TEST(DowellTest, FactorMeetsThePublishedLimitsWithinFivePercent) {
    for (const tables::TableRow& row : tables::tableRows("dowell_factors.tsv")) {
        SCOPED_TRACE(row.trace());
        const std::optional<double> fr =
            dowellFactor(row.columns.value(0).toDouble(), row.columns.value(1).toDouble());
        ASSERT_TRUE(fr);
        const double expected = row.columns.value(2).toDouble();
        EXPECT_NEAR(*fr, expected, 0.05 * expected);
    }
}

TEST(DowellTest, RoundWirePenetrationIsTheSquareOfEqualAreaAtItsPitch) {
    // d = δ: (π/4)^0.75 × √(1/1.1) = 0.834291 × 0.953463 = 0.795465.
    EXPECT_NEAR(dowellPenetration(1e-3, 1e-3), 0.795465, 1e-5);
    EXPECT_FALSE(dowellFactor(-0.1, 1));
    EXPECT_FALSE(dowellFactor(1, 0.5));
}

// Copper at 100 ℃: ρ = 0.0175e-6 × 1.3144 = 2.3002e-8 Ω·m; at 100 kHz
// π f μ0 = 4π² × 0.01 = 0.394784, δ = √(5.82652e-8) = 0.241382 mm (the
// familiar 0.209 mm of copper at 20 ℃ times √(2.3002 ÷ 1.724)).
TEST(SkinDepthTest, CopperAt100CAnd100kHz) {
    ASSERT_TRUE(skinDepthM(1e5));
    EXPECT_NEAR(*skinDepthM(1e5) * 1000.0, 0.241382, 1e-5);
    EXPECT_FALSE(skinDepthM(0.0));
}

// I_α by the known integrals of |cos θ|^α over a period: 2π, 4, π, 8/3.
TEST(IgseTest, CosinePowerIntegralAtWholeExponents) {
    EXPECT_NEAR(cosinePowerIntegral(0.0), 2.0 * std::numbers::pi, 1e-12);
    EXPECT_NEAR(cosinePowerIntegral(1.0), 4.0, 1e-12);
    EXPECT_NEAR(cosinePowerIntegral(2.0), std::numbers::pi, 1e-12);
    EXPECT_NEAR(cosinePowerIntegral(3.0), 8.0 / 3.0, 1e-12);
}

// With α = 1 the loss per cycle follows the peak alone: the factor is 1 for
// any shape. With α = 2 (eddy currents) a symmetric triangle loses 8/π²
// of the sine of the same peak (mean square slope 4ΔB²f² against π²ΔB²f²/2).
TEST(IgseTest, FactorOfTheClassicShapes) {
    EXPECT_NEAR(*igseFactor(1.0, 0.3, 0.7), 1.0, 1e-12);
    EXPECT_NEAR(*igseFactor(1.0, 0.2, 0.3), 1.0, 1e-12);
    EXPECT_NEAR(*igseFactor(2.0, 0.5, 0.5), 8.0 / (std::numbers::pi * std::numbers::pi), 1e-12);
    // α = 2, rise 0.25, fall 0.25, idle 0.5: twice the slope for half the
    // time, twice the loss of the symmetric triangle.
    EXPECT_NEAR(*igseFactor(2.0, 0.25, 0.25), 16.0 / (std::numbers::pi * std::numbers::pi), 1e-12);
    EXPECT_FALSE(igseFactor(1.5, 0.0, 1.0));
}

// The catalogue's own materials: at each of their loss points, at 200 mT,
// the law gives the listed loss within 1 %.
TEST(SteinmetzTest, CatalogueDataPointsGiveTheirListedLoss) {
    QFile file(QStringLiteral(KELVANE_TEST_DATA "/../../data/catalogue/materials.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    const QList<QByteArray> header = lines.value(0).trimmed().split(',');
    const int ui = int(header.indexOf("InitialPermeability"));
    ASSERT_GE(ui, 0);
    int checked = 0;
    for (qsizetype l = 1; l < lines.size(); ++l) {
        const QList<QByteArray> cells = lines[l].trimmed().split(',');
        if (cells.size() != header.size()) {
            continue;
        }
        LossPoints points;
        for (int f = 0; f < 3; ++f) {
            for (int t = 0; t < 4; ++t) {
                const QByteArray name =
                    "PL " + QByteArray::number(int(LossPoints::kFrequenciesKHz[f])) + "kHz 200mT " +
                    QByteArray::number(int(LossPoints::kTemperaturesC[t])) + "c";
                const QByteArray cell = cells.value(header.indexOf(name));
                if (!cell.isEmpty()) {
                    points.mwPerCm3[f][t] = cell.toDouble();
                }
            }
        }
        const double permeability = cells[ui].toDouble();
        for (int column : {2, 3, 1, 0}) {
            bool any = false;
            for (int f = 0; f < 3; ++f) {
                if (!points.mwPerCm3[f][column]) {
                    continue;
                }
                any = true;
                const double fKHz = LossPoints::kFrequenciesKHz[f];
                const std::optional<catalogue::LossLaw> law =
                    catalogue::lossLaw(permeability, fKHz);
                if (!law) {
                    continue;
                }
                const std::optional<SteinmetzFit> fit = steinmetzFit(points, fKHz, law->x, law->y);
                ASSERT_TRUE(fit) << lines[l].toStdString();
                EXPECT_EQ(fit->temperatureC, LossPoints::kTemperaturesC[column]);
                const double listed = *points.mwPerCm3[f][column];
                EXPECT_NEAR(fit->plAtFrequency, listed, 0.01 * listed)
                    << cells.value(1).toStdString() << " at " << fKHz << " kHz";
                ++checked;
            }
            if (any) {
                break;  // the column the law reads; the others stand aside
            }
        }
    }
    EXPECT_GE(checked, 40);
}

// N27 at 100 ℃: 74 at 25 kHz, 408 at 100 kHz: α = ln(408/74) ÷ ln 4 =
// 1.23149; at 50 kHz 74 × 2^1.23149 = 173.77 mW/cm³. Above the points the
// same pair carries on: at 200 kHz 408 × 2^1.23149 = 958.1.
TEST(SteinmetzTest, FrequencyExponentFromThePointsAroundF) {
    LossPoints points;
    points.mwPerCm3[0][2] = 74;
    points.mwPerCm3[1][2] = 408;
    points.mwPerCm3[0][0] = 179;  // 25 ℃: not read while 100 ℃ has values
    const std::optional<SteinmetzFit> fit = steinmetzFit(points, 50, 1.43, 2.85);
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->alpha, 1.23149, 1e-4);
    EXPECT_NEAR(fit->plAtFrequency, 173.77, 0.05);
    EXPECT_EQ(fit->beta, 2.85);
    EXPECT_NEAR(steinmetzFit(points, 200, 1.43, 2.85)->plAtFrequency, 958.1, 0.1);
    // One point: α from the classic law's x, 408 × 2^1.5 = 1154.0.
    LossPoints single;
    single.mwPerCm3[1][3] = 408;
    const std::optional<SteinmetzFit> one = steinmetzFit(single, 200, 1.5, 2.6);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->temperatureC, 120.0);
    EXPECT_NEAR(one->plAtFrequency, 1154.0, 0.1);
    EXPECT_FALSE(steinmetzFit(LossPoints{}, 100, 1.5, 2.6));
    EXPECT_FALSE(steinmetzFit(single, 200, std::nullopt, 2.6));
}

// 85 V, 31.25 W, 94 µF, 50 Hz: √(2 × 85² − 2 × 31.25 × 7 ms ÷ 94 µF) =
// √(14450 − 4654.26) = 98.973 V; 1 µF leaves no real root.
TEST(BulkCapacitorTest, ValleyOfTheBusBetweenLinePeaks) {
    EXPECT_NEAR(*bulkMinimumVoltage(85, 31.25, 94e-6, 50), 98.973, 1e-3);
    EXPECT_FALSE(bulkMinimumVoltage(85, 31.25, 1e-6, 50));
    EXPECT_EQ(defaultBulkMicrofarads(85, 31.25), 94.0);
    EXPECT_EQ(defaultBulkMicrofarads(85, 20.0), 60.0);
    EXPECT_EQ(defaultBulkMicrofarads(150, 20.2), 21.0);
}

TEST(WindowTest, TurnsPerLayerFloorWithATolerance) {
    EXPECT_EQ(turnsPerLayer(17.6, 0.44), 40.0);
    EXPECT_EQ(turnsPerLayer(17.59, 0.44), 39.0);
    EXPECT_EQ(turnsPerLayer(0.4, 0.44), 0.0);
    EXPECT_EQ(turnsPerLayer(10, 0.0), 0.0);
}

// 17.6 mm at 0.44 mm is 40 a layer: 80 turns fill 2 layers, 81 need a
// third; 1 turn one layer; 3.3 ÷ 1.1 falls just below 3 in binary and is
// still 3 a layer; no turns, or a wire wider than the layer, no layout.
TEST(WindowTest, WindingLayersFillWholeLayers) {
    struct Case {
        double turns, lengthMm, pitchMm;
        std::optional<double> perLayer, layers;
    };
    const Case cases[] = {
        {80, 17.6, 0.44, 40, 2},  {81, 17.6, 0.44, 40, 3}, {1, 17.6, 0.44, 40, 1},
        {40, 17.59, 0.44, 39, 2}, {3, 3.3, 1.1, 3, 1},     {0, 17.6, 0.44, {}, {}},
        {5, 0.4, 0.44, {}, {}},
    };
    for (const Case& c : cases) {
        const std::optional<WindingLayers> laid = windingLayers(c.turns, c.lengthMm, c.pitchMm);
        ASSERT_EQ(laid.has_value(), c.layers.has_value()) << c.turns << " in " << c.lengthMm;
        if (laid) {
            EXPECT_EQ(laid->turnsPerLayer, *c.perLayer) << c.turns << " in " << c.lengthMm;
            EXPECT_EQ(laid->layers, *c.layers) << c.turns << " in " << c.lengthMm;
        }
    }
}

// E 30/15/10 with D 10, E 20, F 8: window 20 high, (20 − 8) ÷ 2 = 6 wide;
// surface 2 (30 × 30 + 30 × 10 + 30 × 10) = 3000 mm². Toroid 25/15/10:
// faces 2 × π (625 − 225) ÷ 4 = 200π, walls π × 40 × 10 = 400π, 600π.
// Pot 18 × 5.28: 2 × π × 324 ÷ 4 + π × 18 × 10.56 = 352.08π.
TEST(WindowTest, WindowAndSurfaceByFamily) {
    const CoreDimensions e{30, 15, 10, 10, 20, 8};
    ASSERT_TRUE(windingWindow(CoreShape::E, e));
    EXPECT_DOUBLE_EQ(windingWindow(CoreShape::E, e)->lengthMm, 20);
    EXPECT_DOUBLE_EQ(windingWindow(CoreShape::E, e)->depthMm, 6);
    EXPECT_DOUBLE_EQ(windingWindow(CoreShape::U, e)->depthMm, 20);
    EXPECT_DOUBLE_EQ(*coreSurfaceMm2(CoreShape::E, e), 3000);
    const CoreDimensions toroid{25, 15, 10, {}, {}, {}};
    EXPECT_DOUBLE_EQ(*coreSurfaceMm2(CoreShape::Toroid, toroid), 600 * std::numbers::pi);
    EXPECT_DOUBLE_EQ(windingWindow(CoreShape::Toroid, toroid)->lengthMm, 15 * std::numbers::pi);
    EXPECT_DOUBLE_EQ(windingWindow(CoreShape::Toroid, toroid)->depthMm, 7.5);
    const CoreDimensions pot{18, 5.28, {}, 3.7, 15.15, 7.45};
    EXPECT_NEAR(*coreSurfaceMm2(CoreShape::Pot, pot), 352.08 * std::numbers::pi, 1e-9);
    EXPECT_FALSE(coreSurfaceMm2(CoreShape::E, pot));  // no depth C
    EXPECT_FALSE(windingWindow(CoreShape::E, CoreDimensions{30, 15, 10, 10, 8, 20}));
    EXPECT_EQ(coreShapeOf(u"TOR"), CoreShape::Toroid);
    EXPECT_EQ(coreShapeOf(u"PQ"), CoreShape::E);
    EXPECT_FALSE(coreShapeOf(u"XY"));
}

// 1 W on 10 cm²: (100 mW/cm²)^0.833 = 10^1.666 = 46.35 ℃.
TEST(TemperatureRiseTest, SurfaceRule) {
    EXPECT_NEAR(*surfaceTemperatureRise(1.0, 10.0), 46.345, 1e-3);
    EXPECT_FALSE(surfaceTemperatureRise(1.0, 0.0));
}

}  // namespace
}  // namespace kelvane::check
