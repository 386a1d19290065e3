#include "engine/session/session_report.h"

#include "design_fixture.h"
#include "engine/base/number_text.h"

#include <gtest/gtest.h>

namespace kelvane::session {
namespace {

using report::DesignReport;
using report::ReportBlock;
using report::ReportSection;
using sheet::Grid;
using sheet::Table;

struct DesignCase {
    const char* name;
    const char* option;
    // Figures the worked operating point gives for this circuit type.
    QStringList primary;
    // The efficiency the circuit type starts with, AL = Lp / Np² and
    // Ue = AL · le / (µ0 · Ae) with Np = 200 turns.
    const char* efficiency;
    const char* al;
    const char* ue;
};

// F 50 kHz, D 0.4, Udc 100 V, Pint 60 W, one 12 V 1 A output, Bm 200 mT,
// core EE16 of the fixture catalogue.
const DesignCase kDesigns[] = {
    {"flyback",
     "Option1",
     {"0.60", "1.50", "0.75", "2.25", "1.50", "0.533"},
     "0.8",
     "13.3nH/N2",  // 0.5333 mH / 200² = 13.33 nH
     "18"},        // 13.33 nH · 34.6 mm / (4π·10⁻⁷ H/m · 20 mm²) = 18.4
    {"forward",
     "Option2",
     {"0.60", "", "", "", "0.12", "6.667"},
     "0.85",
     "166.7nH/N2",  // 6.667 mH / 200²
     "229"},        // 166.7 nH · 34.6 / (4π·10⁻⁷ · 20) = 229.5, cut to a whole number
    {"RCC",
     "Option3",
     {"0.60", "1.50", "0.75", "3.00", "3.00", "0.267"},
     "0.6",
     "6.7nH/N2",  // 0.2667 mH / 200²
     "9"},        // 9.2
};

// What the report shows of that design whatever the circuit type, worked
// out by hand from the inputs and the fixture catalogue's EE16 (Ae 20 mm²,
// le 34.6 mm, Aw 40 mm²) and M2000 (µi 2000, Bs 510 mT, Br 150 mT), IEC.
struct Figure {
    const char* section;
    const char* label;
    const char* value;
};
const Figure kCommonFigures[] = {
    {"1 设计要求", "输入电压Udc", "100"},
    {"1 设计要求", "工作频率F", "50"},
    {"1 设计要求", "开关占空比D", "0.4"},
    {"1 设计要求", "总输出功率Pout", "12"},  // 12 V × 1 A; the line drop is no output power
    {"1 设计要求", "输入功率Pint", "60.0"},
    {"2 初级侧", "全周期Ts", "20.0"},    // 1 / 50 kHz = 20 µs
    {"2 初级侧", "导通时间Ton", "8.0"},  // 0.4 × 20 µs
    {"3 磁芯与磁材", "磁芯规格", "EE16"},
    {"3 磁芯与磁材", "中柱面积Ae", "20"},
    {"3 磁芯与磁材", "磁路长度Le", "34.6"},
    {"3 磁芯与磁材", "体积Ve", "0.7"},  // 34.6 mm × 20 mm² = 0.692 cm³
    {"3 磁芯与磁材", "绕线面积Aw", "40"},
    {"3 磁芯与磁材", "材质名称", "M2000"},
    {"3 磁芯与磁材", "饱和磁通密度Bs", "510"},
    {"3 磁芯与磁材", "剩余磁通密度Br", "150"},
    {"3 磁芯与磁材", "Bm设计取值", "200"},
    // The outputs' windings only: N2 = 200 × 12.7 V / 100 V = 25 turns of
    // √(4 × 1 A / (π × 5 A/mm²)) = 0.51 mm wire; 1.2 × 25 × π/4 × 0.51² / 40.
    {"4 绕组", "绕组占积率", "0.15"},
    // µi · µ0 · Ae / le = 2000 × 4π·10⁻⁷ × 20 mm² / 34.6 mm = 1452.7 nH
    {"4 绕组", "标准AL", "1453nH/N2"},
    {"5 损耗与温升", "允许温升", "95"},  // class B 130 ℃ − 10 − 25 ℃ ambient
    {"6 安全要求", "安全标准", "IEC"},
    {"6 安全要求", "最小爬电距离", "6.4mm"},  // 3000 V / 468.75 V/mm
    {"6 安全要求", "Pir Vs Sec", "3000Vac,50/60Hz,0.7mA,60S"},
    {"6 安全要求", "Pir Vs Core", "2500Vac,50/60Hz,0.7mA,60S"},
    {"6 安全要求", "Sec Vs Sec", "500Vac,50/60Hz,0.7mA,60S"},
};

class SessionReport : public DesignFixture, public ::testing::WithParamInterface<DesignCase> {
protected:
    void design(const char* option) {
        click(option);
        type("TxtF", "50");
        type("txtd", "0.4");
        click("Command1");
        type("txtudc", "100");
        type("txtpint", "60");
        type("txtbm", "200");
        type("TXTCORE", "EE16");
        click("Command10");
    }

    const ReportSection& section(const DesignReport& report, const char* title) {
        const ReportSection* found = report.section(QString::fromUtf8(title));
        EXPECT_NE(found, nullptr) << title;
        static const ReportSection none;
        return found ? *found : none;
    }

    static QString value(const ReportSection& section, const char* label) {
        const report::ReportRow* row = section.row(QString::fromUtf8(label));
        return row ? row->value : QString();
    }
};

TEST_P(SessionReport, HoldsTheWindowsFigures) {
    design(GetParam().option);
    const DesignReport report =
        session::sessionReport(window, QStringLiteral("/designs/psu.dat"), QDate(2026, 12, 6));
    EXPECT_EQ(report.designFileName, "psu.dat");
    EXPECT_EQ(report.dateText, "2026-12-06");

    for (const Figure& figure : kCommonFigures) {
        EXPECT_EQ(value(section(report, figure.section), figure.label).toStdString(), figure.value)
            << figure.section << " / " << figure.label;
    }
    EXPECT_EQ(value(section(report, "1 设计要求"), "变换效率η"), GetParam().efficiency);
    EXPECT_EQ(value(section(report, "4 绕组"), "电感系数AL"), GetParam().al);
    EXPECT_EQ(value(section(report, "4 绕组"), "有效导磁率Ue"), GetParam().ue);

    const ReportSection& primary = section(report, "2 初级侧");
    const char* labels[] = {"Ts平均输入电流Is", "Ton导通电流Im",    "导通初期电流Ip1",
                            "导通峰值电流Ipk",  "导通电流变化量Δi", "原边电感量Lp"};
    for (int i = 0; i < 6; ++i) {
        // The forward design shows no Im, Ip1 or Ipk: it does not compute them.
        EXPECT_EQ(value(primary, labels[i]), GetParam().primary[i]) << labels[i];
    }
    EXPECT_NE(primary.block(ReportBlock::Kind::Waveform), nullptr);
    EXPECT_FALSE(report.waveform.isEmpty()) << report.waveform.emptyReason.toStdString();

    // The winding table is the window's, the unnamed primary called N1.
    const ReportBlock* table = section(report, "4 绕组").block(ReportBlock::Kind::Table);
    ASSERT_NE(table, nullptr);
    const Grid& windings = window.sheet().grid(Table::MSwin);
    ASSERT_EQ(table->table.rows.size(), windings.rowCount());
    for (int row = 0; row < windings.rowCount(); ++row) {
        QStringList expected = windings.rows[row];
        if (row == 0) {
            expected[0] = "N1";
        }
        EXPECT_EQ(table->table.rows[row], expected) << "winding row " << row;
    }
    // The totals are the table's columns summed; the total loss adds the
    // core's, and the rise is 800 / (Aw × 0.22) per watt: 90.9 ℃/W × 0.681 W.
    double weight = 0.0;
    double copperLoss = 0.0;
    for (const QStringList& row : table->table.rows) {
        weight += parseNumber(row.value(sheet::kWindingWeight));
        copperLoss += parseNumber(row.value(sheet::kWindingLoss));
    }
    const ReportSection& windingSection = section(report, "4 绕组");
    const ReportSection& losses = section(report, "5 损耗与温升");
    EXPECT_NEAR(parseNumber(value(windingSection, "绕组用铜总量")), weight, 1e-9);
    EXPECT_NEAR(parseNumber(value(windingSection, "绕组损耗Pcu")), copperLoss, 1e-9);
    const double coreLoss = parseNumber(value(section(report, "3 磁芯与磁材"), "磁芯损耗"));
    EXPECT_GT(coreLoss, 0.0);
    EXPECT_EQ(value(losses, "变压器总损耗PT"), QStringLiteral("%1W").arg(coreLoss + copperLoss));
    EXPECT_EQ(value(losses, "变压器总损耗PT"), "0.681W");
    EXPECT_EQ(value(losses, "变压器模拟温升"), "61.9℃");

    // The area products: the one the design needs, the one the core has.
    const ReportSection& core = section(report, "3 磁芯与磁材");
    // One spelling of the unit: the window's "MM^4" is the report's mm⁴.
    QString needed = window.sheet().areaProductText();
    ASSERT_TRUE(needed.endsWith(QStringLiteral("MM^4")));
    needed.chop(4);
    EXPECT_EQ(value(core, "所需面积积AP"), needed);
    EXPECT_EQ(core.row(QStringLiteral("所需面积积AP"))->unit, QStringLiteral("mm⁴"));
    // The results are up to date: no notice.
    for (const char* title : {"4 绕组", "5 损耗与温升"}) {
        EXPECT_FALSE(
            section(report, title).texts().join(u'\n').contains(QStringLiteral("不是最新")));
    }
    EXPECT_EQ(value(core, "磁芯面积积AP"), "800");
    EXPECT_EQ(value(core, "磁芯规格"), "EE16");

    // The construction sheet's tests: Lp within ±10 %, the band rounded
    // inwards (the RCC's 0.2403～0.2937 mH to 0.241～0.293; the forward core
    // is not gapped: at least Lp, measured over both halves of the
    // push-pull primary, 4 × 6.667 mH), the leakage, the standard's hipot texts for
    // the one primary and one secondary (no 初级—初级, no 次级—次级), a DCR for
    // each winding (two halves for the forward's centre-tapped output).
    const ReportBlock* tests = section(report, "12 电气测试").block(ReportBlock::Kind::Table);
    ASSERT_NE(tests, nullptr);
    const bool forward = QByteArray(GetParam().option) == "Option2";
    ASSERT_EQ(tests->table.rows.size(), forward ? 9 : 7);
    EXPECT_EQ(tests->table.rows[0][3], forward ? QStringLiteral("≥ 26.668 mH")
                                               : text("txtlp") + " mH ±10%（" +
                                                     (GetParam().name == std::string("RCC")
                                                          ? QStringLiteral("0.241～0.293 mH）")
                                                          : QStringLiteral("0.480～0.586 mH）")));
    EXPECT_EQ(tests->table.rows[1][0], "漏感Llk");
    EXPECT_EQ(tests->table.rows[2][3], text("TxtHipotPs"));
    EXPECT_EQ(tests->table.rows[3][3], text("TxtHipotPc"));
    EXPECT_EQ(tests->table.rows[4][3], text("TxtHipotSc"));
    EXPECT_EQ(tests->table.rows[5][0], "直流电阻DCR");
}

// Results the fields have moved away from say so at the head of the
// results' sections until Command10 runs again; the fill verdict names the
// limit of the standard chosen.
TEST_F(SessionReport, SaysWhenTheResultsAreOutOfDate) {
    design("Option1");
    type("txtipkip1", "2");
    const QString notice = QStringLiteral("设计结果不是最新的：请点击「变压器设计结果」");
    const DesignReport stale = session::sessionReport(window, QString(), QDate(2026, 12, 6));
    for (const char* title : {"4 绕组", "5 损耗与温升"}) {
        EXPECT_EQ(section(stale, title).texts().value(0), notice) << title;
    }
    EXPECT_FALSE(section(stale, "2 初级侧").texts().contains(notice));
    click("Command10");
    const DesignReport fresh = session::sessionReport(window, QString(), QDate(2026, 12, 6));
    EXPECT_FALSE(section(fresh, "4 绕组").texts().contains(notice));
    // 0.15 under IEC: red, "not below" the limit.
    EXPECT_EQ(text("TxtKwin"), "0.15");
    EXPECT_EQ(value(section(fresh, "4 绕组"), "占积率判定"), "不低于所选标准的占积率上限 0.15");
    click("OptUL");
    click("Command10");
    EXPECT_EQ(
        value(section(session::sessionReport(window, QString(), QDate(2026, 12, 6)), "4 绕组"),
              "占积率判定"),
        "低于所选标准的占积率上限 0.25");
}

// The design check closes the design's half of the report: its
// conditions, its summary, a row for every item as the check's page shows
// it, and what each warning and failure means; the construction sheet
// follows from a page of its own, and the first page names the failures.
TEST_F(SessionReport, HoldsTheDesignCheckBeforeTheConstructionSheet) {
    design("Option1");
    window.setCheckInput(QStringLiteral("rating"), QStringLiteral("800"));
    const DesignReport report = session::sessionReport(window, QString(), QDate(2026, 12, 6));
    ASSERT_EQ(report.sections.size(), 12);
    const ReportSection& check = report.sections[6];
    EXPECT_EQ(check.title, QStringLiteral("7 设计校核"));
    EXPECT_EQ(report.sections[7].title, QStringLiteral("8 电气原理图与引脚"));
    EXPECT_TRUE(report.sections[7].startsPage);
    EXPECT_EQ(report.sections.last().title, QStringLiteral("12 电气测试"));
    const QStringList lines = check.texts();
    EXPECT_TRUE(lines.value(0).contains(QStringLiteral("开关管额定 800 V")))
        << lines.value(0).toStdString();
    const check::CheckResult result = window.designCheck();
    EXPECT_EQ(lines.value(1), result.summaryText);
    const ReportBlock* table = check.block(ReportBlock::Kind::Table);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->table.rows.size(), qsizetype(result.items.size()));
    int explained = 0;
    for (size_t i = 0; i < result.items.size(); ++i) {
        const check::CheckItem& item = result.items[i];
        EXPECT_EQ(table->table.rows[qsizetype(i)],
                  (QStringList{item.caption, item.valueText, item.classicText, item.limitText,
                               check::verdictCaption(item.verdict)}));
        if (item.verdict == check::Verdict::Warn || item.verdict == check::Verdict::Fail) {
            ++explained;
            EXPECT_TRUE(lines.contains(QStringLiteral("【%1】%2：%3。%4")
                                           .arg(check::verdictCaption(item.verdict), item.caption,
                                                item.sentence, item.formulaText)));
        }
    }
    EXPECT_GT(explained, 0);
    ASSERT_GT(result.failCount, 0);
    EXPECT_TRUE(
        report.banner.startsWith(QStringLiteral("设计校核有%1项不合格：").arg(result.failCount)))
        << report.banner.toStdString();
    for (const check::CheckItem& item : result.items) {
        EXPECT_EQ(report.banner.contains(item.caption), item.verdict == check::Verdict::Fail)
            << item.caption.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(CircuitTypes, SessionReport, ::testing::ValuesIn(kDesigns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesignFixture, ReportTakesNoAreaProductFromAnotherCoreRecord) {
    click("Option1");
    type("TXTCORE", "EE19");
    const auto report = session::sessionReport(window, QString(), QDate(2026, 1, 2));
    const report::ReportSection* core = report.section(QStringLiteral("3 磁芯与磁材"));
    ASSERT_NE(core, nullptr);
    ASSERT_NE(core->row(QStringLiteral("磁芯面积积AP")), nullptr);
    EXPECT_EQ(core->row(QStringLiteral("磁芯面积积AP"))->value, "1456");
    // A name that lists no core leaves none current: the report keeps no
    // area product of the record that was.
    type("TXTCORE", "EE99");
    const auto other = session::sessionReport(window, QString(), QDate(2026, 1, 2));
    const report::ReportSection* otherCore = other.section(QStringLiteral("3 磁芯与磁材"));
    ASSERT_NE(otherCore, nullptr);
    EXPECT_EQ(otherCore->row(QStringLiteral("磁芯面积积AP")), nullptr);
    EXPECT_EQ(other.designFileName, "（未保存的设计）");
}

}  // namespace
}  // namespace kelvane::session
