#include "engine/construction/construction_report.h"

#include "construction_designs.h"
#include "engine/sheet/design_sheet.h"

#include <gtest/gtest.h>

namespace kelvane::construction {
namespace {

using report::ReportBlock;
using report::ReportSection;

// The worked flyback of 20 (or more) turns of 0.3 mm and 6 of 0.8 mm.
check::CheckInput flyback(double primaryTurns) {
    return testing::workedDesign(sheet::Circuit::Flyback, {primaryTurns, 6}, {0.3, 0.8});
}

class ConstructionReportTest : public ::testing::Test {
protected:
    ConstructionReportTest() { testing::fillWorkedSheet(sheet); }

    report::DesignReport reportOf(const check::CheckInput& in, const check::CheckResult& check) {
        report::DesignReport report;
        appendConstructionSheet(report, buildConstruction(sheet, in, {}), check);
        return report;
    }

    static const ReportBlock* table(const report::DesignReport& report, const char* title) {
        const ReportSection* section = report.section(QString::fromUtf8(title));
        return section ? section->block(ReportBlock::Kind::Table) : nullptr;
    }

    sheet::DesignSheet sheet;
};

// The five sections in order, the first on a page of its own; what the
// winder reads in each: pins, the order with layers and margins, the
// build, AL ±5 % with its band, and the tests with their limits.
TEST_F(ConstructionReportTest, HoldsTheWindersFigures) {
    const report::DesignReport report = reportOf(flyback(20), {});
    QStringList titles;
    for (const ReportSection& section : report.sections) {
        titles.append(section.title);
    }
    EXPECT_EQ(titles, (QStringList{"8 电气原理图与引脚", "9 绕制说明", "10 绕组截面（按比例）",
                                   "11 气隙", "12 电气测试"}));
    EXPECT_TRUE(report.sections[0].startsPage);
    EXPECT_TRUE(report.banner.isEmpty());

    const ReportBlock* pins = table(report, kDiagramTitle);
    ASSERT_NE(pins, nullptr);
    EXPECT_EQ(pins->table.rows,
              (QVector<QStringList>{{"N1", "初级", "1", "—", "2", "20", "φ0.30 漆包线"},
                                    {"N2", "次级", "3", "—", "4", "6", "φ0.80 漆包线"}}));
    ASSERT_EQ(report.diagram.size(), 2);
    EXPECT_EQ(report.diagram[1].turns, "6T");
    EXPECT_FALSE(report.diagram[1].primarySide);

    EXPECT_EQ(
        report.section(QString::fromUtf8(kWindingTitle))->row(QStringLiteral("绕制方式"))->value,
        "顺序绕：初级、次级");
    const ReportBlock* order = table(report, kWindingTitle);
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(
        order->table.rows,
        (QVector<QStringList>{
            {"W1", "N1", "1→2", "φ0.30 漆包线", "20", "29", "1", "3.20 mm", "3层（加强绝缘）"},
            {"W2", "N2", "3→4", "φ0.80 漆包线", "6", "10", "1", "3.20 mm", "3层（外包）"}}));

    const ReportSection* build = report.section(QString::fromUtf8(kSectionTitle));
    ASSERT_NE(build, nullptr);
    EXPECT_EQ(build->row(QStringLiteral("绕组总厚度"))->value, "1.51");
    EXPECT_EQ(build->row(QStringLiteral("判定"))->value, "放得下，占窗口宽度的25%");
    ASSERT_EQ(report.window.bands.size(), 4);
    EXPECT_EQ(report.window.bands[0].label, "W1 N1");
    EXPECT_DOUBLE_EQ(report.window.bands[1].depthMm, 0.15);

    const ReportSection* gap = report.section(QString::fromUtf8(kGapTitle));
    ASSERT_NE(gap, nullptr);
    EXPECT_EQ(gap->row(QStringLiteral("电感系数AL"))->value, "1000 ±5%");
    EXPECT_EQ(gap->row(QStringLiteral("AL范围"))->value, "950～1050");
    EXPECT_EQ(gap->row(QStringLiteral("中柱气隙（参考）"))->value, "0.35mm");

    const ReportBlock* tests = table(report, kTestTitle);
    ASSERT_NE(tests, nullptr);
    EXPECT_EQ(
        tests->table.rows,
        (QVector<QStringList>{
            {"初级电感量Lp", "1—2", "10 kHz，0.1 V，其余绕组开路",
             "0.400 mH ±10%（0.360～0.440 mH）"},
            {"漏感Llk", "1—2", "10 kHz，0.1 V，3—4短路", "≤ 1.2 µH"},
            {"耐压Hi-Pot", "1、2 — 3、4", "初级—次级：N1 — N2", "3000Vac,50/60Hz,0.7mA,60S"},
            {"耐压Hi-Pot", "1、2 — 磁芯", "初级—磁芯：N1 — 磁芯", "2500Vac,50/60Hz,0.7mA,60S"},
            {"耐压Hi-Pot", "3、4 — 磁芯", "次级—磁芯：N2 — 磁芯", "500Vac,50/60Hz,0.7mA,60S"},
            {"直流电阻DCR", "1—2", "N1，20 ℃", "≤ 0.110 Ω（设计0.100 Ω +10%）"},
            {"直流电阻DCR", "3—4", "N2，20 ℃", "≤ 0.220 Ω（设计0.200 Ω +10%）"}}));
}

// A failing item of the check prints the banner; a design that cannot be
// wound says why instead of the order, build, gap and tests.
TEST_F(ConstructionReportTest, BannerAndWhatIsMissing) {
    check::CheckResult failing;
    failing.failCount = 2;
    for (const auto& [caption, verdict] : {std::pair{"绕组厚度", check::Verdict::Fail},
                                           {"气隙", check::Verdict::Warn},
                                           {"温升(表面积法)", check::Verdict::Fail}}) {
        check::CheckItem item;
        item.caption = QString::fromUtf8(caption);
        item.verdict = verdict;
        failing.items.push_back(item);
    }
    check::CheckInput noCore = flyback(20);
    noCore.coreName.clear();
    const report::DesignReport report = reportOf(noCore, failing);
    EXPECT_EQ(report.banner, QStringLiteral("设计校核有2项不合格：绕组厚度、温升(表面积法)。"
                                            "修改设计之前，本规格书不得用于生产。"));
    ASSERT_EQ(report.sections.size(), 2);
    EXPECT_EQ(report.sections[1].texts(),
              QStringList{"绕制说明、截面、气隙和测试无法给出：未选择磁芯"});
    EXPECT_TRUE(report.window.isEmpty());

    // A sandwich with a bias winding names its order so.
    check::CheckInput bias =
        testing::workedDesign(sheet::Circuit::Flyback, {40, 6, 8}, {0.3, 0.8, 0.2});
    ConstructionSettings settings;
    settings.windings[2].kind = QString::fromUtf8(kBiasKind);
    report::DesignReport sandwich;
    appendConstructionSheet(sandwich, buildConstruction(sheet, bias, settings), {});
    EXPECT_EQ(
        sandwich.section(QString::fromUtf8(kWindingTitle))->row(QStringLiteral("绕制方式"))->value,
        "夹绕：初级前半、次级、初级后半、初级侧辅助");

    // Turns not computed yet read as none, not as 0.
    check::CheckInput noTurns = flyback(20);
    noTurns.windings[1].turns.reset();
    const report::DesignReport early = reportOf(noTurns, {});
    const ReportBlock* pins = table(early, kDiagramTitle);
    ASSERT_NE(pins, nullptr);
    EXPECT_EQ(pins->table.rows[1].value(5), "—");
    EXPECT_EQ(early.diagram[1].turns, "");
    EXPECT_EQ(early.diagram[0].turns, "20T");
}

}  // namespace
}  // namespace kelvane::construction
