#include "engine/spice/bench_comparison.h"

#include "../check/check_designs.h"

#include <gtest/gtest.h>

namespace kelvane::spice {
namespace {

check::CheckInput design(const char* name) {
    return check::testing::workedDesigns().value(QString::fromLatin1(name));
}

Simulation simulated(double peakA, double rmsA, std::vector<std::optional<double>> outputs) {
    Simulation simulation;
    simulation.peakA = peakA;
    simulation.rmsA = rmsA;
    simulation.outputV = std::move(outputs);
    return simulation;
}

// "three" wants 12, 5 and 24 V; the check gives 12, 5.75 and 25.5625 V and
// the primary Ipk 1.831881 A, Irms 0.908060 A (check_items.tsv).
TEST(BenchComparisonTest, EachOutputIsJudgedAgainstItsDesignValueByTheCheckRule) {
    const BenchComparison comparison =
        compareBench(design("three"), simulated(1.79, 0.93, {11.8, 5.4, 27.0}));
    EXPECT_EQ(
        comparison.summary,
        QStringLiteral("仿真：初级峰值电流1.79 A（校核1.83 A），有效值0.930 A（校核0.908 A）"));
    ASSERT_EQ(comparison.outputs.size(), 3u);
    // clang-format off
    const struct {
        const char* caption;
        double target;
        double checked;
        check::Verdict verdict;
    } expected[] = {
        {"输出1", 12.0, 12.0, check::Verdict::Ok},     // 1.7 % low
        {"输出2", 5.0, 5.75, check::Verdict::Warn},    // 8 % high
        {"输出3", 24.0, 25.5625, check::Verdict::Fail}, // 12.5 % high
    };
    // clang-format on
    for (size_t r = 0; r < 3; ++r) {
        SCOPED_TRACE(expected[r].caption);
        const OutputComparison& output = comparison.outputs[r];
        EXPECT_EQ(output.caption, QString::fromUtf8(expected[r].caption));
        EXPECT_DOUBLE_EQ(output.targetV, expected[r].target);
        EXPECT_NEAR(*output.checkedV, expected[r].checked, 1e-9);
        EXPECT_EQ(output.verdict, expected[r].verdict);
    }
}

// A push-pull's current is that of one half; its check gives no peak. The
// check's Irms 5 A × 3/30 × √0.216667 = 0.2327 A.
TEST(BenchComparisonTest, APushPullComparesTheCurrentOfOneHalf) {
    EXPECT_EQ(compareBench(design("spice_pp"), simulated(0.7, 0.24, {11.5})).summary,
              QStringLiteral("仿真：每半个初级峰值电流0.700 A，有效值0.240 A（校核0.233 A）"));
}

TEST(BenchComparisonTest, AnIncompleteSimulationSaysWhatNgspiceReported) {
    Simulation simulation = simulated(1.79, 0.93, {11.8, std::nullopt, 27.0});
    simulation.problems = QStringList{QStringLiteral("Error: measure vo2 failed")};
    const BenchComparison comparison = compareBench(design("three"), simulation);
    EXPECT_EQ(comparison.summary, QStringLiteral("仿真结果不完整：Error: measure vo2 failed"));
    EXPECT_FALSE(comparison.outputs[1].simulatedV);
    EXPECT_EQ(comparison.outputs[1].verdict, check::Verdict::Info);
    EXPECT_EQ(comparison.outputs[2].verdict, check::Verdict::Fail);
}

}  // namespace
}  // namespace kelvane::spice
