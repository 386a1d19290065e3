#include "engine/report/design_report.h"

#include "../table_rows.h"
#include "engine/sheet/design_sheet.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace kelvane::report {
namespace {

using sheet::Check;
using sheet::DesignSheet;
using sheet::Field;

const QString kNotChosenText = QString::fromUtf8(kNotChosen);

QString value(const DesignReport& report, const char* section, const char* label) {
    const ReportSection* found = report.section(QString::fromUtf8(section));
    if (found == nullptr) {
        return QStringLiteral("<no section>");
    }
    const ReportRow* row = found->row(QString::fromUtf8(label));
    return row ? row->value : QString();
}

DesignReport reportOf(const DesignSheet& sheet) {
    return buildDesignReport(sheet, {QStringLiteral("a.dat"), QDate(2026, 12, 6), QString(),
                                     QStringLiteral("0.15"), QString(), QString()});
}

TEST(DesignReport, NamesWhatTheDesignHasNotChosenInsteadOfShowingZeros) {
    DesignSheet sheet;
    // What the window shows for a core that is not there.
    sheet.setText(Field::TxtCoreVe, QStringLiteral("0.0"));
    sheet.setText(Field::TxtCorePl, QStringLiteral("0.000"));
    const DesignReport report = reportOf(sheet);
    ASSERT_EQ(report.sections.size(), 6);
    EXPECT_EQ(value(report, "1 设计要求", "电路形式"), kNotChosenText);
    EXPECT_EQ(value(report, "3 磁芯与磁材", "磁芯"), kNotChosenText);
    EXPECT_EQ(value(report, "3 磁芯与磁材", "磁材"), kNotChosenText);
    EXPECT_EQ(value(report, "5 损耗与温升", "磁芯"), kNotChosenText);
    EXPECT_EQ(value(report, "6 安全要求", "安全标准"), kNotChosenText);
    // None of the core's or material's figures, no loss, no zero anywhere.
    for (const char* label : {"中柱面积Ae", "体积Ve", "磁芯面积积AP", "初始磁导率Ui", "磁芯损耗"}) {
        EXPECT_EQ(report.section("3 磁芯与磁材")->row(QString::fromUtf8(label)), nullptr) << label;
    }
    const QRegularExpression zero(QStringLiteral(" 0(\\.0+)? "));
    for (const ReportSection& section : report.sections) {
        for (const QString& line : section.texts()) {
            EXPECT_FALSE(line.contains(zero)) << line.toStdString();
        }
    }
    EXPECT_TRUE(report.section("4 绕组")->texts().join('\n').contains(QStringLiteral("未计算")));
    EXPECT_EQ(report.waveform.emptyReason, QStringLiteral("未选择电路形式"));
}

TEST(DesignReport, ShowsTheMaterialWithoutACore) {
    DesignSheet sheet;
    sheet.setText(sheet::materialField(1), QStringLiteral("M2000"));
    sheet.setText(sheet::materialField(2), QStringLiteral("2000"));
    sheet.setText(sheet::materialField(22), QStringLiteral("25"));
    sheet.setText(Field::TxtCorePl, QStringLiteral("0.0"));
    const DesignReport report = reportOf(sheet);
    EXPECT_EQ(value(report, "3 磁芯与磁材", "磁芯"), kNotChosenText);
    EXPECT_EQ(value(report, "3 磁芯与磁材", "材质名称"), "M2000");
    EXPECT_EQ(value(report, "3 磁芯与磁材", "初始磁导率Ui"), "2000 ±25%");
    // A core loss without a core is no figure of this design.
    EXPECT_EQ(value(report, "3 磁芯与磁材", "磁芯损耗"), "");
    EXPECT_EQ(report.designFileName, "a.dat");
    EXPECT_EQ(report.dateText, "2026-12-06");
}

// Every row of data/report_verdicts.tsv: the verdicts follow the window.
TEST(DesignReport, VerdictsFollowTheWindow) {
    for (const tables::TableRow& row : tables::tableRows("report_verdicts.tsv")) {
        SCOPED_TRACE(row.trace());
        ASSERT_GE(row.columns.size(), 5);
        DesignSheet sheet;
        sheet.setText(Field::TxtHipot, QStringLiteral("IEC"));
        sheet.editGrid(sheet::Table::MSwin).setRowCount(2);
        sheet.editGrid(sheet::Table::MSwin).setCell(0, 1, QStringLiteral("219"));
        sheet.setText(Field::TxtKwin, QStringLiteral("0.16"));
        sheet.setColor(Field::TxtKwin, row.columns[0].toInt());
        sheet.setText(Field::TxtTempUp, row.columns[1]);
        sheet.setText(Field::TXTTEMPD, row.columns[2]);
        const DesignReport report = reportOf(sheet);
        EXPECT_EQ(value(report, "4 绕组", "占积率判定").toStdString(),
                  row.columns[3].toStdString());
        EXPECT_EQ(value(report, "5 损耗与温升", "温升判定").toStdString(),
                  row.columns[4] == u"-" ? std::string() : row.columns[4].toStdString());
    }
}

TEST(DesignReport, ForwardLeavesOutTheCurrentsItDoesNotCompute) {
    DesignSheet sheet;
    sheet.setChecked(Check::Option2, 1);
    sheet.setText(Field::txtim, QStringLiteral("1.50"));
    sheet.setText(Field::txtdi, QStringLiteral("0.12"));
    const DesignReport report = reportOf(sheet);
    EXPECT_EQ(value(report, "1 设计要求", "电路形式"), "正激(双极性变换)");
    EXPECT_EQ(value(report, "2 初级侧", "Ton导通电流Im"), "");
    EXPECT_EQ(value(report, "2 初级侧", "导通电流变化量Δi"), "0.12");
}

}  // namespace
}  // namespace kelvane::report
