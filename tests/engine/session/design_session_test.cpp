#include "design_fixture.h"

#include <cmath>

namespace kelvane::session {
namespace {

using sheet::kWindingResistance;
using sheet::Table;
using WindowsTest = DesignFixture;

// The focus reported is that of the window acted in last; a window that
// closes hands it back to the one acted in before.
TEST_F(WindowsTest, FocusFollowsTheWindowActedIn) {
    const session::Window wire = session::Window::WireTools;
    const session::Window about = session::Window::About;
    EXPECT_EQ(window.focusedControl(), u"TxtUmin");
    window.windows().actIn(session::Window::Design);
    click("TOOL");  // an act in the design window, which holds the menu
    EXPECT_TRUE(window.windows().isOpen(wire));
    EXPECT_EQ(window.focusedControl(), u"TxtUmin");
    window.windows().actIn(wire);
    EXPECT_EQ(window.focusedControl(), u"FrmWireTools.CmbWire");
    window.wireTools().click(QStringLiteral("Ab"));
    EXPECT_TRUE(window.windows().isOpen(about));
    EXPECT_EQ(window.focusedControl(), u"FrmWireTools.CmbWire");
    window.windows().actIn(about);
    window.about().focus(QStringLiteral("cmdSysInfo"));
    EXPECT_EQ(window.focusedControl(), u"frmAbout.cmdSysInfo");
    window.about().click(QStringLiteral("cmdOK"));
    EXPECT_FALSE(window.windows().isOpen(about));
    EXPECT_EQ(window.windows().acted(), wire);
    EXPECT_EQ(window.focusedControl(), u"FrmWireTools.CmbWire");
    window.windows().actIn(session::Window::Design);
    enter("TxtUmin");
    EXPECT_EQ(window.focusedControl(), u"txtudc");
    // Opened again, the About window has loaded afresh.
    click("HE");
    window.windows().actIn(about);
    EXPECT_EQ(window.focusedControl(), u"frmAbout.cmdOK");
}

TEST_F(WindowsTest, AtTheEndEveryWindowIsClosedForGood) {
    const session::Window wire = session::Window::WireTools;
    click("TOOL");
    click("HE");
    window.windows().actIn(wire);
    window.wireTools().focus(QStringLiteral("TxtF"));
    window.windows().endProgram();
    EXPECT_TRUE(window.windows().hasEnded());
    for (const session::Window each : {session::Window::Design, wire, session::Window::About}) {
        EXPECT_FALSE(window.windows().isOpen(each)) << session::windowName(each).toStdString();
    }
    // The windows' own closing afterwards changes nothing, nor does an act.
    window.windows().setOpen(wire, false);
    window.windows().setOpen(session::Window::About, true);
    window.windows().actIn(session::Window::Design);
    EXPECT_FALSE(window.windows().isOpen(session::Window::About));
    EXPECT_EQ(window.focusedControl(), u"FrmWireTools.TxtF");
}

using SpiceExportTest = DesignFixture;

// The netlist is of the design as the window shows it (Lp, Udc, the
// winding table's resistances), and its heading names the design's file
// once there is one.
TEST_F(SpiceExportTest, TheNetlistIsOfTheDesignAsShownAndNamesItsFile) {
    click("Option1");
    type("TxtUmin", QStringLiteral("85"));
    type("TxtF", QStringLiteral("65"));
    type("txtd", QStringLiteral("0.45"));
    enter("txtd");
    addOutput(QStringLiteral("12"), QStringLiteral("2"));
    type("Text1", QStringLiteral("M2000"));
    type("TXTCORE", QStringLiteral("EE25"));
    click("Command10");
    spice::NetlistOptions options;
    options.bench = true;
    const Result<spice::Netlist> unsaved = window.spiceNetlist(options);
    ASSERT_TRUE(unsaved.ok()) << unsaved.failure().text.toStdString();
    const QStringList lines = unsaved.value().text.split(u'\n');
    EXPECT_EQ(lines.value(0), QStringLiteral("* Kelvane transformer model: unsaved design"));
    const auto element = [&lines](const QString& name) {
        for (const QString& line : lines) {
            if (line.startsWith(name + u' ')) {
                return line.split(u' ');
            }
        }
        return QStringList();
    };
    EXPECT_NEAR(element(QStringLiteral("LP")).value(3).toDouble(), text("txtlp").toDouble() * 1e-3,
                1e-9);
    const double primaryOhm =
        window.sheet().grid(Table::MSwin).cell(0, kWindingResistance).toDouble();
    ASSERT_GT(primaryOhm, 0.0);
    EXPECT_NEAR(element(QStringLiteral("RP")).value(3).toDouble(), primaryOhm, primaryOhm * 1e-5);
    EXPECT_EQ(element(QStringLiteral("VIN")).value(4).toDouble(), text("txtudc").toDouble());

    // k from the construction sheet's leakage estimate, one output coupled.
    const std::optional<double> leakageUh = window.construction().leakageUh;
    ASSERT_TRUE(leakageUh);
    EXPECT_NEAR(element(QStringLiteral("K1")).value(3).toDouble(),
                std::sqrt(1.0 - *leakageUh * 1e-3 / text("txtlp").toDouble()), 1e-5);

    ASSERT_TRUE(window.saveDesign(directory.filePath(QStringLiteral("flyback.dat"))));
    const Result<spice::Netlist> saved = window.spiceNetlist(options);
    ASSERT_TRUE(saved.ok());
    EXPECT_TRUE(saved.value().text.startsWith(
        QStringLiteral("* Kelvane transformer model: flyback.dat\n")));
}

// File → 导出SPICE模型: the netlist into the chosen file; a design without
// outputs says why in a message and writes nothing.
TEST_F(SpiceExportTest, TheMenuWritesTheNetlistOrSaysWhyNot) {
    click("Option1");
    const QString path = directory.filePath(QStringLiteral("model.lib"));
    EXPECT_FALSE(window.exportSpice(path, spice::NetlistOptions{}).ok());
    EXPECT_EQ(prompter.takeMessages(), QStringList({"无法导出SPICE模型：没有输出"}));
    EXPECT_FALSE(QFile::exists(path));

    type("TxtUmin", QStringLiteral("85"));
    addOutput(QStringLiteral("12"), QStringLiteral("2"));
    type("Text1", QStringLiteral("M2000"));
    type("TXTCORE", QStringLiteral("EE25"));
    click("Command10");
    ASSERT_TRUE(window.exportSpice(path, spice::NetlistOptions{}).ok());
    EXPECT_TRUE(prompter.takeMessages().isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              window.spiceNetlist(spice::NetlistOptions{}).value().text);
}

}  // namespace
}  // namespace kelvane::session
