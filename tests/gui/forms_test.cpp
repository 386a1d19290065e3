#include "gui/about/frm_about.h"
#include "gui/wire/frm_wire_tools.h"
#include "window_fixture.h"

#include <QPointer>
#include <QStringList>

namespace kelvane::gui {
namespace {

// The controls in the order Tab walks them through a window.
QStringList tabOrder(QWidget* window) {
    QStringList names;
    QWidget* widget = window;
    do {
        widget = widget->nextInFocusChain();
        const QString name = widget->property("kelvaneControl").toString();
        // A combo box and its line edit are one stop.
        if (!name.isEmpty() && (widget->focusPolicy() & Qt::TabFocus) != 0 &&
            (names.isEmpty() || names.last() != name)) {
            names.append(name);
        }
    } while (widget != window);
    return names;
}

QStringList names(std::initializer_list<const char*> list) {
    QStringList result;
    for (const char* name : list) {
        result.append(QString::fromLatin1(name));
    }
    return result;
}

using FormsTest = WindowFixture;

// Each window's controls are Tab stops in the order of its pages, boxes
// and rows, every one of them bound by its control name.
TEST_F(FormsTest, TabWalksEveryControlInOrder) {
    engine.click(QStringLiteral("HE"));
    ASSERT_NE(window.aboutWindow(), nullptr);
    const std::pair<QWidget*, QStringList> cases[] = {
        {&window,
         names({"Option1",    "Option2",      "Option3",    "Check1",       "TxtUmin",
                "txtudc",     "TxtF",         "txtd",       "Txtts",        "Txtton",
                "TXTTEMP20",  "TXTTEMPD",     "Combo1",     "Text13",       "OptIEC",
                "OptUL",      "OptVDE",       "OptSelf",    "TxtMargin",    "TxtHipot",
                "TxtHipotPs", "TxtHipotPP",   "TxtHipotPc", "TxtHipotSc",   "TxtHipotSS",
                "txtuoutput", "TxtIoutput",   "TXTDIO",     "Txtpout",      "TXTN",
                "txtpint",    "txtis",        "txtim",      "txtip1",       "txtipkip1",
                "txtipk",     "txtdi",        "MS",         "txtno",        "txtp",
                "Command1",   "Command2",     "Command12",  "Command13",    "TxtApp(0)",
                "TxtApp(1)",  "TxtApp(2)",    "TxtApp(22)", "TxtApp(3)",    "TxtApp(4)",
                "TxtApp(5)",  "TxtApp(6)",    "TxtApp(7)",  "TxtApp(8)",    "TxtApp(21)",
                "TxtApp(23)", "TxtApp(9)",    "TxtApp(10)", "TxtApp(11)",   "TxtApp(12)",
                "TxtApp(24)", "TxtApp(13)",   "TxtApp(14)", "TxtApp(15)",   "TxtApp(16)",
                "TxtApp(25)", "TxtApp(17)",   "TxtApp(18)", "TxtApp(19)",   "TxtApp(20)",
                "Text1",      "Text2",        "DBGrid1",    "Command7",     "Command8",
                "Command3",   "Command4",     "Command5",   "Command6",     "txtbm",
                "TxtJ",       "txtpl",        "TXTPLG",     "Command15",    "Command14",
                "Command9",   "cmbcore",      "TXTCORE",    "TXTCOREPOWER", "TxtCoreSize",
                "TxtCoreAe",  "TxtCoreLe",    "TxtCoreAw",  "TxtBZC",       "TxtCoreFactory",
                "TxtCoreVe",  "TxtCoreWeigh", "TxtCorePl",  "DBGrid2",      "MSwin",
                "txtlp",      "TxtCuWeigh",   "TxtWinLost", "TxtTranLost",  "TxtTransP",
                "TxtKwin",    "TxtCoreSc",    "TxtTempUp",  "TxtUe",        "TxtAl",
                "TxtSAl",     "TxtGap",       "TxtcoreA",   "TxtcoreB",     "TxtCoreC",
                "TxtCoreD",   "TxtCoreE",     "TxtCoreF",   "Command10",    "Command16"})},
        {&window.wireWindow(),
         names({"CmbWire",     "TxtWireD",    "TxtWireS",  "TxtWireOM",   "TxtWireLeng",
                "TxtWireDCR",  "TxtWireWeig", "TxtAwg",    "TxtI",        "TxtJ",
                "TxtLitzD",    "TxtLitzP",    "TxtLitzS",  "TxtLitzLeng", "TxtLitzDCR",
                "TxtLitzWeig", "TxtF",        "TxtHfT",    "TxtHftMax",   "TxtRac",
                "TxtR",        "TxtFoilTh",   "TxtFoilWd", "TxtFoilS",    "TxtFoilLeng",
                "TxtFoilDCR",  "TxtFoilWeig", "Txt1"})},
        {window.aboutWindow(), names({"cmdOK", "cmdSysInfo"})},
    };
    for (const auto& [form, expected] : cases) {
        EXPECT_EQ(tabOrder(form), expected) << form->objectName().toStdString();
    }
}

// The wire calculator and About are the design window's: they go with it at
// once, not at some later turn of an event loop that may never come.
TEST(FormsOwnership, SecondaryWindowsGoWithTheDesignWindow) {
    QTemporaryDir directory;
    const QString catalogue = directory.filePath(QStringLiteral("fixture.db"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_TEST_CATALOGUE), catalogue));
    const QuietDesktop desktop;
    script::ScriptedPrompter prompter;
    session::DesignSession engine(prompter, catalogue, QStringLiteral("/pictures"));
    QPointer<QWidget> wireTools;
    QPointer<QWidget> about;
    {
        FrmFanji window(engine);
        window.setScripted(true);
        window.show();
        window.openDesignWindow();
        engine.click(QStringLiteral("TOOL"));
        engine.click(QStringLiteral("HE"));
        wireTools = &window.wireWindow();
        about = window.aboutWindow();
        ASSERT_TRUE(wireTools->isVisible());
        ASSERT_TRUE(about != nullptr && about->isVisible());
    }
    EXPECT_TRUE(wireTools.isNull());
    EXPECT_TRUE(about.isNull());
}

}  // namespace
}  // namespace kelvane::gui
