#include "engine/base/conductor_formulas.h"

#include <gtest/gtest.h>

#include <QString>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace kelvane::wire {
namespace {

// Expected texts are UTF-8; nullptr stands for "no value".
constexpr const char* kNoValue = nullptr;

std::string shown(const std::optional<QString>& result) {
    return result ? "\"" + result->toStdString() + "\"" : std::string("<no value>");
}

std::string expected(const char* text) {
    return text ? "\"" + std::string(text) + "\"" : std::string("<no value>");
}

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// clang-format off

TEST(ConductorMaterialTest, LookupMatchesTheItemTextExactly) {
    struct Row { const char* text; bool found; double resistivity; double density; };
    const Row rows[] = {
        {"铜线", true, 0.0175, 8.95},
        {"铝线", true, 0.029, 2.7},
        {"铜包铝线 10A 10H", true, 0.02743, 3.32},
        {"铜包铝线 15A 15H", true, 0.02676, 3.63},
        {"", false, 0, 0},
        {"铜线 ", false, 0, 0},              // trailing blank
        {" 铝线", false, 0, 0},              // leading blank
        {"铜包铝线 10A", false, 0, 0},       // prefix of an item
        {"铜包铝线  15A 15H", false, 0, 0},  // two blanks
        {"copper", false, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const QString text = QString::fromUtf8(row.text);
        const std::optional<ConductorMaterial> found = findConductorMaterial(text);
        ASSERT_EQ(found.has_value(), row.found);
        const ConductorMaterial material = conductorMaterialOrZero(text);
        EXPECT_EQ(material.item, text);
        EXPECT_DOUBLE_EQ(material.resistivity, row.resistivity);
        EXPECT_DOUBLE_EQ(material.density, row.density);
        if (found) {
            EXPECT_DOUBLE_EQ(found->resistivity, row.resistivity);
            EXPECT_DOUBLE_EQ(found->density, row.density);
        }
    }
}

TEST(ConductorFormulasTest, WireArea) {
    struct Row { double d; const char* area; };
    const Row rows[] = {
        {1, "0.785"},         // 3.1415 × 0.25 = 0.785375
        {0, "0.000"},         // no guard
        {2, "3.142"},         // 3.1415, half away from zero
        {0.5, "0.196"},       // 0.19634375
        {0.1, "0.008"},
        {-1, "0.785"},        // squared, no guard
        // 2^24 + 1 is not a float: it becomes 2^24 before squaring
        // (the double would give 221063436186944.284).
        {16777217, "221063409834131.000"},
        {1e300, kNoValue},    // infinite as a float
        {kNan, kNoValue},
        {kInf, kNoValue},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.d);
        EXPECT_EQ(shown(wireArea(row.d)), expected(row.area));
    }
}

TEST(ConductorFormulasTest, WireResistance) {
    struct Row { double d; double a; double b; double rho; const char* ohms; };
    const Row rows[] = {
        {1, 1, 1000, 0.0175, "0.022293"},    // 0.0175 ÷ 0.785, copper per metre
        {1, 1, 1000, 0.029, "0.036943"},     // aluminium per metre
        {1, 1, 1000, 0.02743, "0.034943"},   // copper-clad aluminium 10
        {1, 1, 1000, 0.02676, "0.034089"},   // copper-clad aluminium 15
        {1, 1, 2000, 0.0175, "0.044586"},    // 2 m
        {0.5, 40, 50, 0.0175, "0.178344"},   // 40 turns of 50 mm: 0.035 ÷ 0.19625
        {1, 1000, 1, 0.0175, "0.022293"},    // a × b is what counts
        {1, 1, 1000, 0, "0.000000"},         // unknown material
        {0, 1, 1000, 0.0175, kNoValue},      // guard d > 0
        {-1, 1, 1000, 0.0175, kNoValue},
        {1e-200, 1, 1000, 0.0175, kNoValue}, // (d ÷ 2)² underflows to 0
        {kNan, 1, 1000, 0.0175, kNoValue},
        {1, kInf, 1000, 0.0175, kNoValue},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.d << " " << row.a << " " << row.b << " " << row.rho);
        EXPECT_EQ(shown(wireResistance(row.d, row.a, row.b, row.rho)), expected(row.ohms));
    }
}

TEST(ConductorFormulasTest, WireWeight) {
    struct Row { double d; double a; double b; double gamma; const char* grams; };
    const Row rows[] = {
        {1, 1, 1000, 8.95, "7.025750"},   // 0.00895 × 3.14 × 0.25 × 1000
        {1, 1, 1000, 2.7, "2.119500"},    // aluminium
        {1, 1, 1000, 3.32, "2.606200"},   // copper-clad aluminium 10
        {0.5, 40, 50, 8.95, "3.512875"},  // 40 turns of 50 mm
        {0, 1, 1000, 8.95, "0.000000"},   // no guard
        {1, 1, 1000, 0, "0.000000"},      // unknown material
        {1e200, 1, 1000, 8.95, kNoValue}, // overflow
        {kNan, 1, 1000, 8.95, kNoValue},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.d << " " << row.a << " " << row.b << " " << row.gamma);
        EXPECT_EQ(shown(wireWeight(row.d, row.a, row.b, row.gamma)), expected(row.grams));
    }
}

TEST(ConductorFormulasTest, WireResistanceAndWeightUseTheirOwnPi) {
    // Area with 3.1415, resistance with 3.14: 0.0175 ÷ 0.785375 would be 0.022282.
    EXPECT_EQ(shown(wireArea(1)), expected("0.785"));
    EXPECT_EQ(shown(wireResistance(1, 1, 1000, 0.0175)), expected("0.022293"));
    // 3.1415 would give 7.029106.
    EXPECT_EQ(shown(wireWeight(1, 1, 1000, 8.95)), expected("7.025750"));
}

TEST(ConductorFormulasTest, LitzStrandCount) {
    struct Row { double wire; double strand; const char* count; };
    const Row rows[] = {
        {1, 0.1, "100"},
        {1, 0.3, "11"},      // 11.11
        {0.81, 0.1, "66"},   // 65.61
        {1, 0.32, "10"},     // 9.765625
        {1.5, 1, "2"},       // 2.25
        {3.5, 1, "12"},      // 12.25
        {0, 0.1, "0"},
        {-1, 0.1, "100"},    // squared
        {1, 0, kNoValue},    // guard d > 0
        {1, -0.1, kNoValue},
        {1e200, 1e-200, kNoValue},
        {1, kNan, kNoValue},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.wire << " " << row.strand);
        EXPECT_EQ(shown(litzStrandCount(row.wire, row.strand)), expected(row.count));
    }
}

TEST(ConductorFormulasTest, LitzStrandDiameter) {
    struct Row { double wire; double strands; const char* diameter; };
    const Row rows[] = {
        {1, 100, "0.10"},
        {1, 10, "0.32"},     // 0.3162
        {0.81, 7, "0.31"},   // 0.3062
        {2, 1, "2.00"},
        {0.125, 1, "0.13"},  // half away from zero
        {0.29, 4, "0.15"},   // 0.145 held as 0.14499999...
        {0, 4, "0.00"},
        {1, 0, kNoValue},    // nothing to divide by
        {1, -4, kNoValue},
        {1e300, 1e-300, kNoValue},
        {kNan, 4, kNoValue},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.wire << " " << row.strands);
        EXPECT_EQ(shown(litzStrandDiameter(row.wire, row.strands)), expected(row.diameter));
    }
}

TEST(ConductorFormulasTest, FoilSide) {
    struct Row { double area; double side; const char* other; };
    const Row rows[] = {
        {10, 0.2, "50.000"},
        {10, 25, "0.400"},
        {0.785, 0.1, "7.850"},
        {2, 3, "0.667"},
        {0, 1, "0.000"},
        {10, 0, kNoValue},   // guard t > 0
        {10, -1, kNoValue},
        {1e300, 1e-300, kNoValue},
        {kNan, 1, kNoValue},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.area << " " << row.side);
        EXPECT_EQ(shown(foilSide(row.area, row.side)), expected(row.other));
    }
}

TEST(ConductorFormulasTest, FoilWeight) {
    struct Row { double gamma; double area; double length; const char* grams; };
    const Row rows[] = {
        {8.95, 10, 1000, "89.500"},
        {8.95, 0.785, 1000, "7.026"},   // 7.02575 held as 7.0257499999...
        {8.95, 0.1, 500, "0.448"},      // 0.4475
        {8.95, 10, 0, "0.000"},         // no guard
        {8.95, 0, 1000, "0.000"},
        {1e200, 1e200, 1000, kNoValue},
        {8.95, kNan, 1000, kNoValue},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.gamma << " " << row.area << " " << row.length);
        EXPECT_EQ(shown(foilWeight(row.gamma, row.area, row.length)), expected(row.grams));
    }
}

TEST(ConductorFormulasTest, FoilResistance) {
    struct Row { double rho; double area; double length; const char* ohms; };
    const Row rows[] = {
        {0.0175, 10, 1000, "0.001750"},
        {0.0175, 0.785, 1000, "0.022293"},
        {0.0175, 10, 0, "0.000000"},
        {0.0175, 0, 1000, kNoValue},      // guard S > 0
        {0.0175, -10, 1000, kNoValue},
        {0.0175, 1e-300, 1e300, kNoValue},
        {0.0175, 10, kNan, kNoValue},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.rho << " " << row.area << " " << row.length);
        EXPECT_EQ(shown(foilResistance(row.rho, row.area, row.length)), expected(row.ohms));
    }
}

TEST(ConductorFormulasTest, AwgToDiameter) {
    struct Row { double gauge; const char* diameter; };
    const Row rows[] = {
        {10, "2.56mm"},     // 0.25567 cm → 0.256
        {20, "0.81mm"},     // 0.080851 cm → 0.081
        {30, "0.26mm"},
        {40, "0.08mm"},
        {1, "7.21mm"},      // 0.72058 cm
        {0.5, "7.63mm"},    // 0.76328 cm
        {60, "0.01mm"},     // 0.00081 cm → 0.001
        {100, "0mm"},       // below the resolution
        {1e-10, "8.09mm"},  // written "1e-10" and read back
        {0, kNoValue},      // gauges 0 and below are refused
        {-1, kNoValue},
        {1e-46, kNoValue},  // 0 as a single-precision number
        {1e300, kNoValue},  // infinite as a single-precision number
        {kNan, kNoValue},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.gauge);
        EXPECT_EQ(shown(awgToDiameter(row.gauge)), expected(row.diameter));
    }
}

TEST(ConductorFormulasTest, DiameterToAwg) {
    struct Row { double d; const char* gauge; };
    const Row rows[] = {
        {1, "18.2# "},      // 1.8277 × 9.97 = 18.222
        {0.812, "20.0# "},  // 20.026
        {0.81, "20.0# "},   // 20.047
        {2.56, "10.1# "},   // 10.082
        {0.26, "29.9# "},   // 29.888
        {0.08, "40.1# "},   // 40.095
        {10, "-1.7# "},     // (1.8277 − 2) × 9.97
        {0, kNoValue},
        {-0.5, kNoValue},
        {1e-46, kNoValue},  // 0 as a single-precision number
        {1e300, kNoValue},
        {kNan, kNoValue},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.d);
        EXPECT_EQ(shown(diameterToAwg(row.d)), expected(row.gauge));
    }
}

TEST(ConductorFormulasTest, SkinEffectRatio) {
    struct Row { double d; double delta; const char* ratio; };
    const Row rows[] = {
        {0.5, 0.2, "1.042"},    // 0.19625 ÷ 0.1884
        {0.4, 0.2, "1.000"},    // d = 2δ: no core
        {1, 0.2, "1.563"},      // 0.785 ÷ 0.5024 = 1.5625
        {0.3, 0.2, "1.125"},    // d − 2δ = −0.1 is squared as it stands
        {1, 0.209, "1.512"},    // copper at 100 kHz
        {0.1, 1, "-0.003"},     // no clamping: the "core" outgrows the wire
        {0.2, 0.2, kNoValue},   // d = δ: A − C = 0
        {0, 0.2, kNoValue},
        {-0.5, 0.2, kNoValue},
        {0.5, 0, kNoValue},
        {0.5, -0.2, kNoValue},
        {1e200, 1e-200, kNoValue},  // ∞ − ∞
        {kNan, 0.2, kNoValue},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.d << " " << row.delta);
        EXPECT_EQ(shown(skinEffectRatio(row.d, row.delta)), expected(row.ratio));
    }
}

// clang-format on

TEST(ConductorFormulasTest, LitzBundleOfAluminium) {
    // 100 strands of 0.1 mm replace a 1 mm wire; the bundle's equivalent
    // diameter 0.1 × √100 is used with the aluminium constants.
    const std::optional<ConductorMaterial> aluminium =
        findConductorMaterial(QStringLiteral("铝线"));
    ASSERT_TRUE(aluminium.has_value());
    EXPECT_EQ(shown(litzStrandCount(1, 0.1)), expected("100"));
    const double bundle = 0.1 * std::sqrt(100.0);
    EXPECT_EQ(shown(wireArea(bundle)), expected("0.785"));
    EXPECT_EQ(shown(wireResistance(bundle, 1, 1000, aluminium->resistivity)), expected("0.036943"));
    EXPECT_EQ(shown(wireWeight(bundle, 1, 1000, aluminium->density)), expected("2.119500"));
}

TEST(ConductorFormulasTest, UnknownMaterialGivesZeroResistanceAndWeight) {
    const ConductorMaterial none = conductorMaterialOrZero(QStringLiteral("银线"));
    EXPECT_EQ(shown(wireResistance(1, 1, 1000, none.resistivity)), expected("0.000000"));
    EXPECT_EQ(shown(wireWeight(1, 1, 1000, none.density)), expected("0.000000"));
}

TEST(ConductorFormulasTest, NoResultIsEverWrittenAsNanOrInf) {
    const double values[] = {0, -1, 1, 1e-300, 1e300, kNan, kInf, -kInf};
    auto check = [](const std::optional<QString>& result) {
        if (result) {
            EXPECT_FALSE(result->contains(QStringLiteral("nan"), Qt::CaseInsensitive))
                << result->toStdString();
            EXPECT_FALSE(result->contains(QStringLiteral("inf"), Qt::CaseInsensitive))
                << result->toStdString();
        }
    };
    for (double x : values) {
        for (double y : values) {
            SCOPED_TRACE(testing::Message() << x << " " << y);
            check(wireArea(x));
            check(wireResistance(x, 1, y, 0.0175));
            check(wireWeight(x, y, 1, 8.95));
            check(litzStrandCount(x, y));
            check(litzStrandDiameter(x, y));
            check(foilSide(x, y));
            check(foilWeight(8.95, x, y));
            check(foilResistance(0.0175, x, y));
            check(awgToDiameter(x));
            check(diameterToAwg(x));
            check(skinEffectRatio(x, y));
        }
    }
}

}  // namespace
}  // namespace kelvane::wire
