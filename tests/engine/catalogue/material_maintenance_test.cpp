#include "../design/design_fixture.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace kelvane::design {
namespace {

class MaintenanceTest : public DesignFixture {
protected:
    [[nodiscard]] QString states() const {
        QString text;
        for (const char* control :
             {"TxtApp", "Command3", "Command4", "Command5", "Command6", "Command7", "Command8"}) {
            text += window.sheet().isEnabled(QString::fromLatin1(control)) ? u'1' : u'0';
        }
        return text;
    }
    [[nodiscard]] const catalogue::DataSource& materials() const {
        return window.catalogue().materials();
    }
    void answer(script::ScriptedPrompter::Answer::Kind kind, const QString& text = {}) {
        prompter.queue({kind, text});
    }
    using Kind = script::ScriptedPrompter::Answer::Kind;
};

// Enabled states, in the order TxtApp, Command3 .. Command8.
TEST_F(MaintenanceTest, ModeAfterEachButton) {
    EXPECT_EQ(states(), u"0110011");  // the layout's initial states
    click("Command3");
    EXPECT_EQ(states(), u"1101100");
    click("Command5");
    EXPECT_EQ(states(), u"0110011");
    EXPECT_EQ(window.sheet().focus(), u"Command7");
    click("Command8");
    EXPECT_EQ(states(), u"1001110");  // find keeps its state
    EXPECT_EQ(window.sheet().focus(), u"TxtApp(0)");
    click("Command6");
    EXPECT_EQ(states(), u"1010111");
}

TEST_F(MaintenanceTest, ModifyAndSaveWritesTheRow) {
    click("Command3");
    type("TxtApp(1)", "M2001");
    type("TxtApp(2)", "2100");
    click("Command5");
    EXPECT_TRUE(prompter.takeMessages().isEmpty());
    type("Text1", "M2001");
    EXPECT_EQ(materials().count(), 1);
    EXPECT_EQ(text("TxtApp(2)"), u"2100");
    EXPECT_EQ(text("TxtApp(21)"), u"Test Ferrite Works");  // other columns kept
}

TEST_F(MaintenanceTest, AddStartsAnEmptyRowAndSaveInsertsIt) {
    click("Command8");
    EXPECT_EQ(text("TxtApp(1)"), u"");
    EXPECT_EQ(text("TxtApp(8)"), u"");
    type("TxtApp(1)", "NEW1");
    type("TxtApp(2)", "2500");
    type("TxtApp(8)", "4.9");
    click("Command5");
    EXPECT_EQ(materials().count(), 6);
    EXPECT_EQ(text("TxtApp(1)"), u"NEW1");  // the new row is current
    EXPECT_EQ(materials().position(), 6);
}

TEST_F(MaintenanceTest, CancelDropsThePendingEdit) {
    click("Command3");
    type("TxtApp(1)", "changed");
    click("Command6");
    EXPECT_EQ(text("TxtApp(1)"), u"M2000");
    type("Text1", "changed");
    EXPECT_EQ(materials().count(), 0);
}

TEST_F(MaintenanceTest, DeleteAskedNoKeepsYesRemoves) {
    click("Command4");
    EXPECT_EQ(prompter.takeMessages(), QStringList{"确定删除记录吗?"});
    EXPECT_EQ(materials().count(), 5);
    answer(Kind::Yes);
    click("Command4");
    EXPECT_EQ(materials().count(), 4);
    EXPECT_EQ(text("TxtApp(1)"), u"M1500");  // the next row
    EXPECT_TRUE(window.sheet().isEnabled(QStringLiteral("Command6")));
}

TEST_F(MaintenanceTest, FindByExactType) {
    answer(Kind::Text, QStringLiteral("M2000's"));
    click("Command7");
    EXPECT_EQ(text("TxtApp(1)"), u"M2000's");
    EXPECT_EQ(prompter.takeMessages(), QStringList{"请输入胶带型号"});
    answer(Kind::Text, QStringLiteral("M20"));  // no wildcard
    click("Command7");
    EXPECT_EQ(prompter.takeMessages(), (QStringList{"请输入胶带型号", "没有相应的型号"}));
    EXPECT_EQ(text("TxtApp(1)"), u"M2000's");
    answer(Kind::Text, QString());
    click("Command7");
    click("Command7");  // cancelled
    EXPECT_EQ(prompter.takeMessages(), (QStringList{"请输入胶带型号", "请输入胶带型号"}));
}

TEST_F(MaintenanceTest, NonNumberIsRefusedAndTheEditStays) {
    click("Command3");
    type("TxtApp(2)", "lots");
    click("Command5");
    EXPECT_TRUE(prompter.takeMessages().value(0).startsWith(u"保存失败："));
    EXPECT_EQ(states(), u"1101100");
    type("TxtApp(2)", "1900");
    click("Command5");
    EXPECT_EQ(states(), u"0110011");
    EXPECT_EQ(text("TxtApp(2)"), u"1900");
}

TEST_F(MaintenanceTest, DatabaseRefusalShowsItsReasonAndLosesNothing) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "refuse");
        db.setDatabaseName(window.catalogue().path());
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(
            QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON materials "
                           "BEGIN SELECT RAISE(ABORT, 'materials are locked'); END"));
        db.close();
    }
    QSqlDatabase::removeDatabase("refuse");
    click("Command3");
    type("TxtApp(1)", "M2002");
    click("Command5");
    const QString message = prompter.takeMessages().value(0);
    EXPECT_TRUE(message.contains(u"materials are locked")) << message.toStdString();
    EXPECT_EQ(text("TxtApp(1)"), u"M2002");  // still on screen, still pending
    EXPECT_TRUE(window.sheet().isEnabled(QStringLiteral("Command5")));
}

TEST_F(MaintenanceTest, ChoosingAnotherRowCommitsThePendingEdit) {
    click("Command3");
    type("TxtApp(21)", "Moved Works");
    window.selectRecord(QStringLiteral("DBGrid1"), 2);
    EXPECT_EQ(text("TxtApp(1)"), u"M1500");
    window.selectRecord(QStringLiteral("DBGrid1"), 1);
    EXPECT_EQ(text("TxtApp(21)"), u"Moved Works");
}

}  // namespace
}  // namespace kelvane::design
