#include "window_fixture.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QProcess>
#include <QTimer>

namespace kelvane::gui {
namespace {

using sheet::Field;

using ReportExportTest = WindowFixture;

// File → 导出设计报告…: the design's report goes to the file named in the
// save dialog.
TEST_F(ReportExportTest, TheFileMenuWritesTheReportToTheChosenFile) {
    engine.click(sheet::Check::Option1);
    engine.type(Field::TxtF, QStringLiteral("50"));
    engine.type(Field::txtd, QStringLiteral("0.4"));
    engine.type(Field::txtudc, QStringLiteral("100"));
    engine.type(Field::txtpint, QStringLiteral("60"));
    const QString path = directory.filePath(QStringLiteral("design.pdf"));
    // The first dialog is answered with the path; any other box, or the
    // dialog again, is recorded and closed, so that the test never waits.
    QStringList shown;
    QTimer answerer;
    answerer.setInterval(10);
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        shown.append(modal->windowTitle());
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog != nullptr && shown.size() == 1) {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own is protected
        } else {
            modal->close();
        }
    });
    answerer.start();
    auto* action = window.findChild<QAction*>(QStringLiteral("ExportReport"));
    ASSERT_NE(action, nullptr);
    action->trigger();
    answerer.stop();
    EXPECT_EQ(shown, QStringList{QStringLiteral("导出设计报告")});

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    // The report of this design: its title and the flyback's peak current
    // as the report's waveform marks it.
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(20000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.startsWith(QStringLiteral("开关变压器设计报告"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Ipk 2.25 A"))) << text.toStdString();
}

}  // namespace
}  // namespace kelvane::gui
