#include "engine/catalogue/core_formulas.h"

#include <gtest/gtest.h>

namespace kelvane::catalogue {
namespace {

struct LossCase {
    double ui;
    double frequencyKHz;
    double fluxMt;
    const char* loss;
};

class LossDensityTest : public ::testing::TestWithParam<LossCase> {};

TEST_P(LossDensityTest, SteinmetzByPermeabilityClassAndBand) {
    EXPECT_EQ(estimateLossDensity(GetParam().frequencyKHz, GetParam().fluxMt, GetParam().ui)
                  .toStdString(),
              GetParam().loss);
}

// Expected values: K · F^x · (Bm/100)^y by hand from the class and band noted.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Classes, LossDensityTest, ::testing::Values(
    LossCase{2000, 100, 200, "767.2"},   // class 4 overrides 2; band 100 <= F < 500
    LossCase{1800, 100, 200, "439.6"},   // class 2 only: 0.036 · 100^1.64 · 2^2.68
    LossCase{1875, 10, 100, "3.8"},     // 1 and 2 and 4 match: class 4, F = 10 is the upper band
    LossCase{1875, 9.99, 100, "9.1"},    // class 4 lowest band: 0.79 · 9.99^1.06 (F below 10)
    LossCase{3300, 100, 100, "79.0"},    // class 3: 0.0434 · 100^1.63
    LossCase{1200, 500, 100, "920.1"},    // class 1, F = 500 opens the middle band
    LossCase{5000, 20, 100, "15.8"},     // class 5, 20 kHz is still the lower band
    LossCase{5000, 20.5, 100, "6.8"},    // class 5 upper band: 0.00458 · 20.5^2.42
    LossCase{11000, 50, 100, "76.3"},    // class 7 overrides 6
    LossCase{1000, 100, 200, "0.0"},     // no class
    LossCase{3800, 100, 200, "0.0"},     // between classes 3 and 5
    LossCase{2000, 100, 0, "0.0"},       // Bm 0
    LossCase{2000, 100, -100, "0.0"}));  // no real power of a negative Bm
// clang-format on

TEST(AreaProduct, VdeExampleAndGuard) {
    EXPECT_DOUBLE_EQ(*areaProductMm4(100, 5, 2.0, 200, 4), 12500.0);
    EXPECT_FALSE(areaProductMm4(100, 5, 2.0, 0, 4).has_value());
    EXPECT_FALSE(areaProductMm4(100, 5, 2.0, 200, -4).has_value());
    EXPECT_DOUBLE_EQ(*areaProductMm4(100, 5, 0.0, 200, 4), 0.0);
}

TEST(CorePower, NeedsAnOnTime) {
    // 40 · 0.2 · 5 · 122 · 20 / 0.5 · 0.001 = 195.2
    EXPECT_EQ(corePowerEstimate(20, 122, 0.5, 40, 5), u"195");
    EXPECT_EQ(corePowerEstimate(20, 122, 0, 40, 5), u"");
}

}  // namespace
}  // namespace kelvane::catalogue
