#include "engine/construction/construction_formulas.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelvane::construction {
namespace {

// Strands of equal copper within 2δ: 0.8 ÷ 0.5 = 1.6, 1.6² = 2.56 → 3;
// 1.0 ÷ 0.5 = 2 gives exactly 4 (no fifth strand from the last bit);
// 1.01 gives 4.08 → 5; a wire within 2δ, or no skin depth, stays one.
TEST(ConstructionFormulas, StrandsKeepEachWithinTwiceTheSkinDepth) {
    struct Case {
        double diameterMm, skinMm;
        int strands;
        double strandMm;
    };
    const Case cases[] = {
        {0.8, 0.25, 3, 0.47},  // 0.8 ÷ √3 = 0.4619, up to 0.47
        {1.0, 0.25, 4, 0.5},   // 1.0 ÷ 2 exactly
        {1.01, 0.25, 5, 0.46}, {0.4, 0.25, 1, 0.4}, {0.5, 0.25, 1, 0.5}, {0.5, 0.0, 1, 0.5},
    };
    for (const Case& c : cases) {
        const int strands = strandsFor(c.diameterMm, c.skinMm);
        EXPECT_EQ(strands, c.strands) << c.diameterMm;
        EXPECT_DOUBLE_EQ(strandDiameterMm(c.diameterMm, strands), c.strandMm) << c.diameterMm;
        // The strands hold at least the wire's copper.
        EXPECT_GE(strands * std::pow(strandDiameterMm(c.diameterMm, strands), 2),
                  c.diameterMm * c.diameterMm * (1 - 1e-12));
    }
}

TEST(ConstructionFormulas, InductanceFactorIsLpOverTurnsSquared) {
    EXPECT_DOUBLE_EQ(*inductanceFactorNh(0.4, 40), 250.0);  // 400000 nH ÷ 1600
    EXPECT_NEAR(*inductanceFactorNh(0.533, 206), 12.5601, 1e-4);
    EXPECT_FALSE(inductanceFactorNh(0.4, 0));
    EXPECT_FALSE(inductanceFactorNh(0.0, 40));
}

// Bands rounded inwards: 250 ±5 % is 237.5～262.5, to three digits 238～262
// (not 238～263); 0.533 ±10 % is 0.4797～0.5863, to 0.001 0.480～0.586;
// 12.56 ±5 % is 11.932～13.188, to 0.1 12.0～13.1; 4000 ±5 % to tens
// exactly 3800～4200, no ten lost to the last bit.
TEST(ConstructionFormulas, BandsRoundInwards) {
    struct Case {
        double nominal;
        int percent;
        double low, high;
    };
    const Case cases[] = {{250, 5, 238, 262},
                          {0.533, 10, 0.48, 0.586},
                          {12.56, 5, 12.0, 13.1},
                          {4000, 5, 3800, 4200}};
    for (const Case& c : cases) {
        const Band band = toleranceBand(c.nominal, c.percent, significantDecimals(c.nominal));
        EXPECT_DOUBLE_EQ(band.low, c.low) << c.nominal;
        EXPECT_DOUBLE_EQ(band.high, c.high) << c.nominal;
    }
    EXPECT_EQ(significantDecimals(0.533), 3);
    EXPECT_EQ(significantDecimals(1230), -1);
    EXPECT_EQ(significantDecimals(0), 0);
}

// 40 turns, 30 mm a turn, 10 mm of breadth: μ0 × 1600 × 0.03 ÷ 0.01 =
// 6.0319e-3 H/m. Primary 0.5 mm, tape 0.15 mm, secondary 0.5 mm:
// ∫f² = 0.5/3 + 0.15 + 0.5/3 = 0.48333 mm, 2.9154 µH. Sandwiched, halves of
// 0.25 mm: 0.25 × 0.25/3 + 0.15 × 0.25 + 0.5 × 0.25/3 + 0.15 × 0.25 +
// 0.25 × 0.25/3 = 0.158333 mm, 0.95505 µH: a third of it.
TEST(ConstructionFormulas, LeakageFollowsTheAmpereTurnsAcrossTheBuild) {
    const std::vector<LeakageSlab> simple = {{0.5, 0, 1}, {0.15, 1, 1}, {0.5, 1, 0}};
    const std::vector<LeakageSlab> sandwich = {
        {0.25, 0, 0.5}, {0.15, 0.5, 0.5}, {0.5, 0.5, -0.5}, {0.15, -0.5, -0.5}, {0.25, -0.5, 0}};
    EXPECT_NEAR(*leakageInductanceUh(40, 30, 10, simple), 2.9154, 1e-4);
    EXPECT_NEAR(*leakageInductanceUh(40, 30, 10, sandwich), 0.95505, 1e-5);
    EXPECT_FALSE(leakageInductanceUh(40, 0, 10, simple));
    EXPECT_FALSE(leakageInductanceUh(40, 30, 0, simple));
    EXPECT_FALSE(leakageInductanceUh(0, 30, 10, simple));
}

}  // namespace
}  // namespace kelvane::construction
