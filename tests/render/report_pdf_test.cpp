#include "render/report_pdf.h"

#include "engine/sheet/design_sheet.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace kelvane::render {
namespace {

using sheet::Field;

report::DesignReport sampleReport(int outputs) {
    sheet::DesignSheet sheet;
    sheet.setChecked(sheet::Check::Option1, 1);
    sheet.setText(Field::Txtts, QStringLiteral("20.0"));
    sheet.setText(Field::Txtton, QStringLiteral("8.0"));
    sheet.setText(Field::txtis, QStringLiteral("0.60"));
    sheet.setText(Field::txtip1, QStringLiteral("0.75"));
    sheet.setText(Field::txtipk, QStringLiteral("2.25"));
    sheet.setText(Field::txtdi, QStringLiteral("1.50"));
    sheet.setText(Field::txtlp, QStringLiteral("0.533"));
    sheet::Grid& table = sheet.editGrid(sheet::Table::MS);
    table.columns = 5;
    table.setRowCount(outputs + 1);
    for (int row = 1; row <= outputs; ++row) {
        table.setCell(row, 0, QString::number(row));
        table.setCell(row, 1, QStringLiteral("12"));
    }
    return report::buildDesignReport(
        sheet, {QStringLiteral("psu.dat"), QDate(2026, 12, 6), {}, {}, {}, {}});
}

// The PDF's pages as pdftotext reads them back.
QStringList pages(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(20000) || pdftotext.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext cannot read " << path.toStdString();
        return {};
    }
    QStringList read = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    read.removeLast();  // what follows the last page's form feed
    return read;
}

TEST(ReportPdf, WritesAPdfAndReplacesAnEarlierFileLeavingNothingElse) {
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("report.pdf"));
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();

    EXPECT_TRUE(writeReportPdf(sampleReport(1), path).ok());
    const QString text = pages(path).join(u'\n');
    EXPECT_FALSE(text.contains(QStringLiteral("earlier")));
    for (const char* shown : {"psu.dat", "2026-12-06", "2 初级侧", "0.533", "2.25"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << " in\n"
                                                             << text.toStdString();
    }
    EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files), QStringList{"report.pdf"});
}

TEST(ReportPdf, RunsOverPagesAsTheTablesGrow) {
    QTemporaryDir directory;
    const QString shortReport = directory.filePath(QStringLiteral("short.pdf"));
    const QString longReport = directory.filePath(QStringLiteral("long.pdf"));
    ASSERT_TRUE(writeReportPdf(sampleReport(1), shortReport).ok());
    ASSERT_TRUE(writeReportPdf(sampleReport(120), longReport).ok());
    const qsizetype shortPages = pages(shortReport).size();
    EXPECT_GE(shortPages, 1);
    const QStringList longPages = pages(longReport);
    EXPECT_GE(longPages.size(), shortPages + 2);
    // The last output row is printed, not cut off.
    EXPECT_TRUE(longPages.join(u'\n').contains(QStringLiteral("120")))
        << longPages.join(u'\n').toStdString();
}

// The construction sheet starts on a page of its own, where a section of
// a line would have fitted on the page before.
TEST(ReportPdf, ASectionThatStartsAPageTakesANewOne) {
    QTemporaryDir directory;
    report::DesignReport report;
    report::ReportSection first;
    first.title = QStringLiteral("1 设计要求");
    first.blocks.append(
        {report::ReportBlock::Kind::Text, {}, {}, {}, QStringLiteral("储能变压器")});
    report.sections.append(first);
    const QString plain = directory.filePath(QStringLiteral("plain.pdf"));
    ASSERT_TRUE(writeReportPdf(report, plain).ok());
    report::ReportSection sheet;
    sheet.title = QStringLiteral("8 电气原理图与引脚");
    sheet.blocks.append({report::ReportBlock::Kind::Text, {}, {}, {}, QStringLiteral("引脚")});
    report.sections.append(sheet);
    const QString flowing = directory.filePath(QStringLiteral("flowing.pdf"));
    ASSERT_TRUE(writeReportPdf(report, flowing).ok());
    EXPECT_EQ(pages(flowing).size(), pages(plain).size());
    report.sections.last().startsPage = true;
    const QString paged = directory.filePath(QStringLiteral("paged.pdf"));
    ASSERT_TRUE(writeReportPdf(report, paged).ok());
    const QStringList pagedPages = pages(paged);
    ASSERT_EQ(pagedPages.size(), pages(plain).size() + 1);
    EXPECT_TRUE(pagedPages.last().contains(QStringLiteral("引脚")))
        << pagedPages.last().toStdString();
    EXPECT_FALSE(pagedPages.last().contains(QStringLiteral("储能变压器")));
}

TEST(ReportPdf, ReportsAFolderItCannotWriteAndLeavesNoFile) {
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("missing/report.pdf"));
    const Result<void> written = writeReportPdf(sampleReport(1), path);
    ASSERT_FALSE(written.ok());
    const QString failure = written.failure().text;
    EXPECT_TRUE(failure.startsWith(QStringLiteral("无法写入"))) << failure.toStdString();
    EXPECT_TRUE(failure.contains(path));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(QDir(directory.path())
                    .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)
                    .isEmpty());
}

}  // namespace
}  // namespace kelvane::render
