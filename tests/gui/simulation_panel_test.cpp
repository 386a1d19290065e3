#include "gui/check/simulation_panel.h"

#include "../engine/spice/fake_ngspice.h"
#include "engine/base/key_codes.h"
#include "gui/check/check_page.h"
#include "gui/check/output_voltage_view.h"
#include "gui/design/waveform_view.h"
#include "window_fixture.h"

#include <QAction>
#include <QPushButton>
#include <QStandardPaths>

namespace kelvane::gui {
namespace {

// A stand-in for ngspice that reads the deck it is given and prints measures
// as ngspice does; output 1's voltage is the deck's input voltage, so that a
// result names the design it was run on. `before` runs first.
class FakeNgspice : public spice::testing::FakeNgspice {
public:
    explicit FakeNgspice(const QString& before = QString())
        : spice::testing::FakeNgspice(
              QStringLiteral("ngspice"),
              before + QStringLiteral(
                           "\nvin=$(awk '/^VIN / {print $5}' \"$2\")\n"
                           "stop=$(awk '/^\\.tran / {print $3}' \"$2\")\n"
                           "printf 'ipk = 1.0\\nirms = 0.45\\nvo1 = %s\\nvo2 = 5.2\\n' \"$vin\"\n"
                           "awk -v s=\"$stop\" 'BEGIN {printf "
                           "\"0\\t%.9e\\t0.25\\t\\n1\\t%.9e\\t1.0\\t\\n\", "
                           "s * 0.99999, s}'")) {}
};

class SimulationPanelTest : public WindowFixture {
protected:
    SimulationPanelTest() { window.pages()->setCurrentIndex(3); }
    ~SimulationPanelTest() override { panel()->setNgspiceProgram(QString()); }

    [[nodiscard]] SimulationPanel* panel() const { return window.checkPage()->simulation(); }
    void type(const char* field, const QString& text) {
        engine.type(*sheet::fieldByName(field), text);
    }
    // The two-output flyback of the check's golden design.
    void designTwoOutputs() {
        engine.click(sheet::Check::Option1);
        type("TxtUmin", QStringLiteral("85"));
        type("TxtF", QStringLiteral("65"));
        type("txtd", QStringLiteral("0.45"));
        engine.keyDown(sheet::Field::txtd, kEnterKey);
        for (const auto& [volts, amps] : {std::pair{"12", "2"}, std::pair{"5", "0.5"}}) {
            type("txtuoutput", QString::fromLatin1(volts));
            type("TxtIoutput", QString::fromLatin1(amps));
            engine.click(sheet::Command::Command1);
        }
        type("Text1", QStringLiteral("M2000"));
        type("TXTCORE", QStringLiteral("EE25"));
        engine.click(sheet::Command::Command10);
        QCoreApplication::processEvents();
    }
    void clickSimulate() {
        ASSERT_TRUE(panel()->simulateButton()->isEnabled())
            << panel()->simulateButton()->text().toStdString();
        QTest::mouseClick(panel()->simulateButton(), Qt::LeftButton);
    }
    [[nodiscard]] bool waitUntilDone() const {
        return QTest::qWaitFor([this] { return !panel()->isRunning(); }, 30000);
    }
};

TEST_F(SimulationPanelTest, WithoutNgspiceTheButtonSaysHowToInstallIt) {
    panel()->setNgspiceProgram(QStringLiteral("/nonexistent/ngspice"));
    EXPECT_FALSE(panel()->simulateButton()->isEnabled());
    EXPECT_TRUE(
        panel()->simulateButton()->text().contains(QStringLiteral("apt-get install ngspice")));
    EXPECT_TRUE(
        panel()->simulateButton()->toolTip().contains(QStringLiteral("/nonexistent/ngspice")));

    const FakeNgspice fake;
    panel()->setNgspiceProgram(fake.path());
    EXPECT_TRUE(panel()->simulateButton()->isEnabled());
    EXPECT_EQ(panel()->simulateButton()->text(), QStringLiteral("仿真"));
}

// A run shows its progress and Cancel while the window stays in use; its
// result is drawn over the design and beside each output's target.
TEST_F(SimulationPanelTest, ARunDrawsTheSimulatedCurrentAndOutputs) {
    const FakeNgspice fake;
    panel()->setNgspiceProgram(fake.path());
    designTwoOutputs();
    clickSimulate();
    EXPECT_TRUE(panel()->isRunning());
    EXPECT_TRUE(panel()->cancelButton()->isVisible());
    EXPECT_FALSE(panel()->simulateButton()->isEnabled());
    ASSERT_TRUE(waitUntilDone());
    EXPECT_FALSE(panel()->cancelButton()->isVisible());
    ASSERT_TRUE(panel()->comparison());
    EXPECT_TRUE(panel()->statusText().startsWith(QStringLiteral("仿真：初级峰值电流1.00 A（校核")))
        << panel()->statusText().toStdString();
    const std::vector<spice::OutputComparison>& outputs = panel()->outputs()->outputs();
    ASSERT_EQ(outputs.size(), 2u);
    EXPECT_DOUBLE_EQ(*outputs[0].simulatedV, text(QStringLiteral("txtudc")).toDouble());
    EXPECT_DOUBLE_EQ(outputs[1].targetV, 5.0);
    EXPECT_DOUBLE_EQ(*outputs[1].simulatedV, 5.2);
    ASSERT_TRUE(panel()->waveform()->overlay());
    EXPECT_FALSE(panel()->waveform()->overlay()->points.isEmpty());
    EXPECT_TRUE(panel()->waveform()->isVisible());

    // A later change leaves the result standing, marked as the older design's.
    type("TxtUmin", QStringLiteral("90"));
    EXPECT_TRUE(panel()->statusText().startsWith(QStringLiteral("设计已更改")));
    EXPECT_TRUE(panel()->comparison());
}

// A change of the design during a run starts it again on the new design:
// the result is the newer design's.
TEST_F(SimulationPanelTest, ANewerDesignCancelsTheOlderRun) {
    const FakeNgspice slow(QStringLiteral("sleep 1"));
    panel()->setNgspiceProgram(slow.path());
    designTwoOutputs();
    const QString older = text(QStringLiteral("txtudc"));
    clickSimulate();
    type("TxtUmin", QStringLiteral("100"));
    const QString newer = text(QStringLiteral("txtudc"));
    ASSERT_NE(older, newer);
    QCoreApplication::processEvents();
    EXPECT_TRUE(panel()->isRunning());
    ASSERT_TRUE(waitUntilDone());
    ASSERT_TRUE(panel()->comparison());
    EXPECT_DOUBLE_EQ(*panel()->comparison()->outputs[0].simulatedV, newer.toDouble());
}

TEST_F(SimulationPanelTest, CancelStopsTheRunAndNothingIsShown) {
    const FakeNgspice slow(QStringLiteral("sleep 30"));
    panel()->setNgspiceProgram(slow.path());
    designTwoOutputs();
    clickSimulate();
    QTest::mouseClick(panel()->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(panel()->isRunning());
    EXPECT_EQ(panel()->statusText(), QStringLiteral("仿真已取消"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(panel()->comparison());
    EXPECT_TRUE(panel()->simulateButton()->isEnabled());
}

TEST_F(SimulationPanelTest, ADesignWithoutABenchSaysWhy) {
    const FakeNgspice fake;
    panel()->setNgspiceProgram(fake.path());
    engine.click(sheet::Check::Option1);
    clickSimulate();
    EXPECT_FALSE(panel()->isRunning());
    EXPECT_EQ(panel()->statusText(), QStringLiteral("无法导出SPICE模型：没有输出"));
}

// File → 导出SPICE模型…: the bench into the chosen file, or a message
// saying where it could not be written.
TEST_F(SimulationPanelTest, TheFileMenuExportsTheNetlist) {
    auto* action = window.findChild<QAction*>(QStringLiteral("ExportSpice"));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("导出SPICE模型…"));
    designTwoOutputs();
    const QString path = directory.filePath(QStringLiteral("design.cir"));
    ASSERT_TRUE(window.exportSpice(path, true).ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(".meas tran vo2 AVG v(o2)"));
    EXPECT_FALSE(window.exportSpice(directory.filePath(QStringLiteral("none/x.lib")), false).ok());
    const QStringList messages = prompter.takeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("无法写入"))) << messages[0].toStdString();
}

// ngspice itself, when installed: the design's own bench.
TEST_F(SimulationPanelTest, NgspiceSimulatesTheDesign) {
    if (QStandardPaths::findExecutable(QStringLiteral("ngspice")).isEmpty()) {
        GTEST_SKIP() << "ngspice is not installed";
    }
    designTwoOutputs();
    clickSimulate();
    ASSERT_TRUE(waitUntilDone());
    ASSERT_TRUE(panel()->comparison()) << panel()->statusText().toStdString();
    EXPECT_TRUE(panel()->statusText().startsWith(QStringLiteral("仿真：")))
        << panel()->statusText().toStdString();
    // Output 1 within the check's warning band: its leakage and winding
    // resistances take a few per cent.
    const spice::OutputComparison& main = panel()->comparison()->outputs[0];
    ASSERT_TRUE(main.simulatedV);
    EXPECT_NEAR(*main.simulatedV, main.targetV, main.targetV * 0.1);
    EXPECT_GT(panel()->waveform()->overlay()->points.size(), 800);
}

}  // namespace
}  // namespace kelvane::gui
