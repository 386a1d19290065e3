#include "../engine/table_rows.h"
#include "gui/about/frm_about.h"
#include "gui/wire/frm_wire_tools.h"
#include "window_fixture.h"

#include <QHash>
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

using FormsTest = WindowFixture;

// Each window's controls are Tab stops in the order of its pages, boxes
// and rows, every one of them bound by its control name.
TEST_F(FormsTest, TabWalksEveryControlInOrder) {
    engine.click(sheet::Command::HE);
    ASSERT_NE(window.aboutWindow(), nullptr);
    const QHash<QString, QWidget*> forms = {{QStringLiteral("FrmFanji"), &window},
                                            {QStringLiteral("FrmWireTools"), &window.wireWindow()},
                                            {QStringLiteral("frmAbout"), window.aboutWindow()}};
    const QList<tables::TableRow> rows = tables::tableRows("tab_order.tsv");
    ASSERT_EQ(rows.size(), forms.size());
    for (const tables::TableRow& row : rows) {
        ASSERT_TRUE(forms.contains(row.columns[0])) << row.trace();
        EXPECT_EQ(tabOrder(forms[row.columns[0]]), row.columns.value(1).split(u' ')) << row.trace();
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
        engine.click(sheet::Command::TOOL);
        engine.click(sheet::Command::HE);
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
