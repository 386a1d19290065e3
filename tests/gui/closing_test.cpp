#include "gui/wire/frm_wire_tools.h"
#include "window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace kelvane::gui {
namespace {

// Answers the modal boxes and dialogs that appear while it lives: each one
// is recorded and answered with the next button given (a dialog that is
// not a message box is rejected), so a test never waits on a box.
class BoxAnswerer {
public:
    explicit BoxAnswerer(QList<QMessageBox::StandardButton> answers = {})
        : m_answers(std::move(answers)) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start();
    }

    [[nodiscard]] const QStringList& shown() const { return m_shown; }

private:
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(modal);
        m_shown.append(box != nullptr ? box->text() : modal->metaObject()->className());
        if (box != nullptr && !m_answers.isEmpty()) {
            box->button(m_answers.takeFirst())->click();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    }

    QList<QMessageBox::StandardButton> m_answers;
    QStringList m_shown;
    QTimer m_timer;
};

const QString kQuestion = QStringLiteral("设计已修改，是否保存？");

class ClosingTest : public WindowFixture {
protected:
    // An edit by keys, as the engineer makes it.
    void editUmin(const QString& keys) {
        tabInto(QStringLiteral("TxtUmin"));
        QTest::keyClicks(edit(QStringLiteral("TxtUmin")), keys);
        ASSERT_EQ(text(QStringLiteral("TxtUmin")), keys);
    }
    QAction* menuItem(const char* name) {
        auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr);
        return action;
    }
    // TxtUmin as a fresh window shows it after opening the file.
    QString uminOnFile(const QString& path) {
        script::ScriptedPrompter otherPrompter;
        session::DesignSession reader(otherPrompter, copyOfTestCatalogue(QStringLiteral("r.db")),
                                      QStringLiteral("/pictures"));
        reader.open();
        EXPECT_TRUE(reader.openDesign(path));
        return reader.sheet().text(sheet::Field::TxtUmin);
    }
};

TEST_F(ClosingTest, UnchangedDesignClosesWithoutAsking) {
    const BoxAnswerer answerer;
    EXPECT_TRUE(window.close());
    QCoreApplication::processEvents();
    EXPECT_TRUE(answerer.shown().isEmpty());
    EXPECT_FALSE(window.isVisible());
}

struct CloseCase {
    QMessageBox::StandardButton answer;
    bool closes;
    const char* onFile;  // TxtUmin in the design file afterwards
};

class SaveQuestionTest : public ClosingTest, public ::testing::WithParamInterface<CloseCase> {};

// Closing a changed design asks; Yes saves to the design's file and closes,
// No closes without saving, Cancel keeps the window and the edit.
TEST_P(SaveQuestionTest, ClosingAChangedDesignAsks) {
    const CloseCase& c = GetParam();
    const QString path = directory.filePath(QStringLiteral("design.dat"));
    ASSERT_TRUE(window.saveDesignFile(path));
    editUmin(QStringLiteral("95"));
    const BoxAnswerer answerer({c.answer});
    EXPECT_EQ(window.close(), c.closes);
    EXPECT_EQ(answerer.shown(), QStringList{kQuestion});
    EXPECT_EQ(window.isVisible(), !c.closes);
    EXPECT_EQ(uminOnFile(path), QString::fromLatin1(c.onFile));
    EXPECT_EQ(window.windowTitle().endsWith(u'*'), c.answer != QMessageBox::Yes);
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveQuestionTest,
                         ::testing::Values(CloseCase{QMessageBox::Yes, true, "95"},
                                           CloseCase{QMessageBox::No, true, "85"},
                                           CloseCase{QMessageBox::Cancel, false, "85"}));

// The file menu's Exit asks the same question.
TEST_F(ClosingTest, ExitAsksAboutAChangedDesign) {
    editUmin(QStringLiteral("100"));
    const BoxAnswerer answerer({QMessageBox::Cancel});
    menuItem("Exit")->trigger();
    EXPECT_EQ(answerer.shown(), QStringList{kQuestion});
    EXPECT_TRUE(window.isVisible());
}

// The wire calculator's 关闭 ends the program: the question about the
// changed design comes first; Cancel leaves both windows open and says no
// goodbye; No says goodbye, then the windows close.
TEST_F(ClosingTest, WireCalculatorCloseAsksBeforeItSaysGoodbye) {
    editUmin(QStringLiteral("100"));
    menuItem("TOOL")->trigger();
    QWidget& wireTools = window.wireWindow();
    auto* close = wireTools.findChild<QAction*>(QStringLiteral("OP"));
    ASSERT_NE(close, nullptr);
    // The engine's messages reach the scripted prompter, the window's own
    // question a box.
    prompter.takeMessages();
    {
        const BoxAnswerer answerer({QMessageBox::Cancel});
        close->trigger();
        EXPECT_EQ(answerer.shown(), QStringList{kQuestion});
        EXPECT_TRUE(prompter.takeMessages().isEmpty());
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(wireTools.isVisible());
        EXPECT_TRUE(window.engine().windows().isOpen(session::Window::WireTools));
    }
    const BoxAnswerer answerer({QMessageBox::No});
    close->trigger();
    EXPECT_EQ(answerer.shown(), QStringList{kQuestion});
    EXPECT_EQ(prompter.takeMessages(), QStringList{wire::WireCalculator::farewellMessage()});
    EXPECT_FALSE(window.isVisible());
}

// Opening another design asks first; Cancel keeps the design and opens no
// file dialog.
TEST_F(ClosingTest, OpeningAnotherDesignAsksFirst) {
    editUmin(QStringLiteral("100"));
    const BoxAnswerer answerer({QMessageBox::Cancel});
    menuItem("OPENS")->trigger();
    EXPECT_EQ(answerer.shown(), QStringList{kQuestion});
    EXPECT_EQ(text(QStringLiteral("TxtUmin")), u"100");
}

// Driven by a script, the window shows no dialog of its own at all: the
// file menu's dialogs count as cancelled, closing does not ask, and the
// brand labels reach no browser.
TEST_F(ClosingTest, ScriptedWindowNeverWaitsOnADialog) {
    window.setScripted(true);
    editUmin(QStringLiteral("100"));
    const BoxAnswerer answerer;
    for (const char* item : {"OPENS", "SAVE", "PR"}) {
        menuItem(item)->trigger();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(text(QStringLiteral("TxtUmin")), u"100");

    QLabel* brand = window.findChild<QLabel*>(QStringLiteral("Label5(0)"));
    ASSERT_NE(brand, nullptr);
    QTest::mouseClick(brand, Qt::LeftButton);
    EXPECT_EQ(desktop.requested().size(), 1);

    menuItem("Exit")->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(answerer.shown().isEmpty());
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace kelvane::gui
