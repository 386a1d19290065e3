#include "engine/results/results_formulas.h"

#include <gtest/gtest.h>

namespace kelvane::results {
namespace {

struct TurnsCase {
    double volts;
    double onTimeUs;
    double fluxMt;
    double ae;
    const char* turns;  // empty: no value
};

class TurnsTest : public ::testing::TestWithParam<TurnsCase> {};

TEST_P(TurnsTest, VoltSecondsOverFluxAndArea) {
    const TurnsCase& c = GetParam();
    EXPECT_EQ(turnsFromVoltSeconds(c.volts, c.onTimeUs, c.fluxMt, c.ae).value_or(QString()),
              QString::fromLatin1(c.turns));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Windings, TurnsTest, ::testing::Values(
    TurnsCase{12.7, 8, 200, 20, "25"},     // 25.4
    TurnsCase{109.4, 8, 200, 20, "219"},   // 218.8
    TurnsCase{24.5, 4, 200, 20, "24"},     // exactly 24.5: ties to even
    TurnsCase{25.5, 4, 200, 20, "26"},     // exactly 25.5
    TurnsCase{26.5, 4, 200, 20, "26"},
    TurnsCase{-12.7, 8, 200, 20, "-25"},
    TurnsCase{12.7, 8, 0, 20, ""},         // Bm not positive
    TurnsCase{12.7, 8, 200, 0, ""},        // Ae not positive
    TurnsCase{1e39, 8, 200, 20, ""},       // beyond single precision: never "inf"
    // U × Ton is a single-precision product; in double precision these
    // quotients would miss the tie by about 3E-7 and round the other way.
    TurnsCase{12.3, 2.5, 75, 20, "20"},    // 30.75 ÷ 1.5 = 20.5
    TurnsCase{11.7, 2.5, 75, 20, "20"},    // 29.25 ÷ 1.5 = 19.5
    TurnsCase{2.7, 2.5, 75, 20, "4"},      // 6.75 ÷ 1.5 = 4.5
    TurnsCase{3.3, 2.5, 75, 20, "6"},      // 8.25 ÷ 1.5 = 5.5
    TurnsCase{5e20, 2.5, 75, 20, "833333314849692000000"}));  // no exponent
// clang-format on

TEST(WireDiameter, FromCurrentDensity) {
    EXPECT_EQ(wireDiameterFromCurrent(1, 5).value_or(QString()), u"0.51");
    EXPECT_EQ(wireDiameterFromCurrent(0.6, 5).value_or(QString()), u"0.39");
    EXPECT_EQ(wireDiameterFromCurrent(0, 5).value_or(QString()), u"0.00");
    EXPECT_FALSE(wireDiameterFromCurrent(1, 0).has_value());
    EXPECT_FALSE(wireDiameterFromCurrent(-1, 5).has_value());  // no real root
}

TEST(AbsProduct, RoundedThenPlain) {
    EXPECT_EQ(absProduct(QStringLiteral("0.5"), QStringLiteral("0.5")), u"0.25");
    EXPECT_EQ(absProduct(QStringLiteral("-2"), QStringLiteral("0.0645")), u"0.129");
    EXPECT_EQ(absProduct(QStringLiteral("1"), QStringLiteral("0.0004")), u"0");
    EXPECT_EQ(absProduct(QStringLiteral("1"), QStringLiteral("0.0005")), u"0.001");
    EXPECT_EQ(absProduct(QString(), QStringLiteral("3")), u"0");
}

TEST(StandardInductanceFactor, TruncatedTowardZero) {
    EXPECT_EQ(standardInductanceFactor(2000, 20, 34.6).value_or(QString()), u"1453");  // 1453.2
    EXPECT_EQ(standardInductanceFactor(-2000, 20, 34.6).value_or(QString()), u"-1453");
    EXPECT_FALSE(standardInductanceFactor(2000, 20, 0).has_value());
}

TEST(TemperatureRise, FromWindowAndLoss) {
    EXPECT_EQ(temperatureRise(QStringLiteral("40"), QStringLiteral("0.75W")).value_or(QString()),
              u"68.2");  // 800 / 8.8 · 0.75
    EXPECT_FALSE(temperatureRise(QStringLiteral("40"), QStringLiteral("0W")).has_value());
    EXPECT_FALSE(temperatureRise(QString(), QStringLiteral("1W")).has_value());
}

}  // namespace
}  // namespace kelvane::results
