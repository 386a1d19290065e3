#pragma once

#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"
#include "gui/base/quiet_desktop.h"
#include "gui/base/record_grid_view.h"
#include "gui/design/frm_fanji.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace kelvane::gui {

// The design window on its own copy of the fixture catalogue, shown and
// active, so that keys go where the engineer's keys go. Boxes raised by the
// engine are recorded by the scripted prompter; the window's own dialogs
// (the save question) are real.
class WindowFixture : public ::testing::Test {
protected:
    WindowFixture()
        : engine(prompter, copyOfTestCatalogue(), QStringLiteral("/pictures")), window(engine) {
        window.show();
        window.openDesignWindow();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // A catalogue file of the test's own, so that edits stay in the test.
    QString copyOfTestCatalogue(const QString& name = QStringLiteral("fixture.db")) {
        const QString path = directory.filePath(name);
        QFile::copy(QStringLiteral(KELVANE_TEST_CATALOGUE), path);
        return path;
    }

    [[nodiscard]] QWidget* control(const QString& name) const {
        QWidget* widget = window.control(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    [[nodiscard]] QLineEdit* edit(const QString& name) const {
        return qobject_cast<QLineEdit*>(control(name));
    }
    [[nodiscard]] RecordGridView* grid(const QString& name) const {
        return qobject_cast<RecordGridView*>(control(name));
    }
    [[nodiscard]] QString text(const QString& field) const {
        return engine.sheet().text(*sheet::fieldByName(field));
    }
    // The control that has the keyboard focus, by control name.
    [[nodiscard]] static QString focusName() {
        const QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused->property("kelvaneControl").toString() : QString();
    }

    // Shows the page that holds `widget`, as a click on its tab does.
    void showPageOf(QWidget* widget) {
        QTabWidget* pages = window.pages();
        for (int page = 0; page < pages->count(); ++page) {
            if (pages->widget(page)->isAncestorOf(widget)) {
                pages->setCurrentIndex(page);
            }
        }
    }
    // The engineer tabs into a control.
    void tabInto(const QString& name) {
        QWidget* widget = control(name);
        showPageOf(widget);
        widget->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(focusName(), name);
    }
    // A click on a button, or on the mark of an option or check box (its
    // caption may end short of the widget's middle).
    void clickButton(const QString& name) {
        QWidget* button = control(name);
        showPageOf(button);
        const bool marked = button->inherits("QRadioButton") || button->inherits("QCheckBox");
        QTest::mouseClick(button, Qt::LeftButton, {},
                          marked ? QPoint(6, button->height() / 2) : button->rect().center());
    }

    QTemporaryDir directory;
    QuietDesktop desktop;
    script::ScriptedPrompter prompter;
    session::DesignSession engine;
    FrmFanji window;
};

}  // namespace kelvane::gui
