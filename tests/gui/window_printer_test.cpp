#include "gui/files/window_printer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>

namespace kelvane::gui {
namespace {

class WindowPrinterTest : public ::testing::Test {
protected:
    WindowPrinterTest() {
        window.resize(300, 200);
        window.setText(QStringLiteral("磁芯"));
    }

    QByteArray read(const QString& path) const {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir directory;
    QLabel window;
};

TEST_F(WindowPrinterTest, ReplacesAnExistingFileOnlyWithTheFinishedPrint) {
    const QString path = directory.filePath(QStringLiteral("design.pdf"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older print");
    old.close();
    const Result<void> printed = printWindowToPdf(window, path);
    ASSERT_TRUE(printed.ok()) << printed.failure().text.toStdString();
    const QByteArray pdf = read(path);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files), QStringList{"design.pdf"});
}

TEST_F(WindowPrinterTest, FailedPrintsAreReportedAndWriteNothing) {
    const QString folder = directory.filePath(QStringLiteral("folder.pdf"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString& path : {directory.filePath(QStringLiteral("missing/design.pdf")), folder}) {
        const Result<void> printed = printWindowToPdf(window, path);
        ASSERT_FALSE(printed.ok()) << path.toStdString();
        EXPECT_FALSE(printed.failure().text.isEmpty()) << path.toStdString();
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QDir(folder).isEmpty());
    EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files), QStringList());
}

}  // namespace
}  // namespace kelvane::gui
