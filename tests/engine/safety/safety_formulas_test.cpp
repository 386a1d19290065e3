#include "engine/safety/safety_formulas.h"

#include <gtest/gtest.h>

namespace kelvane::safety {
namespace {

TEST(MarginFactor, ByStandardName) {
    EXPECT_DOUBLE_EQ(marginFactor(QStringLiteral("VDE"), 8.0), 2.0);
    EXPECT_DOUBLE_EQ(marginFactor(QStringLiteral("IEC"), 6.4), 1.8);
    EXPECT_DOUBLE_EQ(marginFactor(QStringLiteral("UL"), 2.1), 1.27);
    EXPECT_DOUBLE_EQ(marginFactor(QStringLiteral("Self"), 6.0), 2.5);
    EXPECT_FLOAT_EQ(float(marginFactor(QStringLiteral("Self"), 3.2)), 1.8f);
    EXPECT_DOUBLE_EQ(marginFactor(QStringLiteral("Self"), 3.2), double(1.8f));  // single precision
    EXPECT_DOUBLE_EQ(marginFactor(QStringLiteral("iec"), 6.4), 0.0);            // exact comparison
    EXPECT_DOUBLE_EQ(marginFactor(QString(), 6.4), 0.0);
}

TEST(Creepage, PerTestVoltage) {
    EXPECT_DOUBLE_EQ(creepageMm(3000.0), 6.4);
    EXPECT_DOUBLE_EQ(creepageMm(3750.0), 8.0);
    EXPECT_DOUBLE_EQ(creepageMm(0.0), 0.0);
}

}  // namespace
}  // namespace kelvane::safety
