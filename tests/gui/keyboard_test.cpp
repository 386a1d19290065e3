#include "gui/design/grid_model.h"
#include "window_fixture.h"

#include <QFile>
#include <QPushButton>

namespace kelvane::gui {
namespace {

// The fields whose texts differ between two engines, as "name: a | b".
std::string differences(const session::DesignSession& a, const session::DesignSession& b) {
    QStringList lines;
    for (int i = 0; i < sheet::kFieldCount; ++i) {
        const sheet::Field field = sheet::Field(i);
        if (a.sheet().text(field) != b.sheet().text(field)) {
            lines.append(sheet::fieldName(field) + QStringLiteral(": ") + a.sheet().text(field) +
                         QStringLiteral(" | ") + b.sheet().text(field));
        }
    }
    return lines.join(u'\n').toStdString();
}

// The rows of data/typing.tsv: field, keys, the text shown, the option
// clicked first ("-" for none).
std::vector<QStringList> typingCases() {
    QFile file(QStringLiteral(KELVANE_TEST_DATA "/typing.tsv"));
    std::vector<QStringList> rows;
    if (file.open(QIODevice::ReadOnly)) {
        for (const QString& line :
             QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
            if (!line.startsWith(u'#')) {
                rows.push_back(line.split(u'\t'));
            }
        }
    }
    return rows;
}

class TypingTest : public WindowFixture, public ::testing::WithParamInterface<QStringList> {};

// Keys typed into a field over its whole selected text show in the order
// typed, however the engine rewrites the text after each key; each key is
// one change of the field with the text the line edit then holds, so the
// design is the one an engine given those texts in turn holds; and every
// widget shows its engine field.
TEST_P(TypingTest, KeysTypedInOrderGiveTheWholeText) {
    const QStringList& c = GetParam();
    ASSERT_EQ(c.size(), 4) << c.join(u'|').toStdString();
    const QString& name = c[0];
    const QString& keys = c[1];
    const std::string shown = c[2].toStdString();
    const QString circuit = c[3] == u"-" ? QString() : c[3];
    if (!circuit.isEmpty()) {
        clickButton(circuit);
        ASSERT_TRUE(engine.sheet().isChecked(*sheet::checkByName(circuit)));
    }
    tabInto(name);
    QTest::keyClick(edit(name), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit(name), keys);

    EXPECT_EQ(edit(name)->text().toStdString(), shown);
    EXPECT_EQ(text(name).toStdString(), shown);

    QStringList received;
    for (qsizetype length = 1; length <= keys.size(); ++length) {
        received.append(keys.left(length));
    }
    script::ScriptedPrompter otherPrompter;
    session::DesignSession byTexts(otherPrompter, copyOfTestCatalogue(QStringLiteral("other.db")),
                                   QStringLiteral("/pictures"));
    byTexts.open();
    if (!circuit.isEmpty()) {
        byTexts.click(*sheet::controlByName(circuit));
    }
    for (const QString& typed : received) {
        byTexts.type(*sheet::fieldByName(name), typed);
    }
    EXPECT_EQ(differences(engine, byTexts), "");
    for (int i = 0; i < sheet::kFieldCount; ++i) {
        const QString other = sheet::fieldName(sheet::Field(i));
        if (auto* lineEdit = qobject_cast<QLineEdit*>(window.control(other))) {
            EXPECT_EQ(lineEdit->text().toStdString(), text(other).toStdString())
                << other.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PrimaryFields, TypingTest, ::testing::ValuesIn(typingCases()),
                         [](const ::testing::TestParamInfo<QStringList>& info) {
                             return info.param.value(0).toStdString() + "_" +
                                    std::to_string(info.index);
                         });

using KeyboardTest = WindowFixture;

// The engine's rewrite of the field being typed in keeps the cursor after
// the typed key, and a selection the engineer made stays selected.
TEST_F(KeyboardTest, RewriteKeepsCursorAndSelection) {
    tabInto(QStringLiteral("txtpint"));
    QLineEdit* power = edit(QStringLiteral("txtpint"));
    QTest::keyClick(power, Qt::Key_7);
    EXPECT_EQ(power->text(), u"7.0");
    EXPECT_EQ(power->cursorPosition(), 1);

    QTest::keyClick(power, Qt::Key_Home);
    QTest::keyClick(power, Qt::Key_1);  // before the 7: 17.0, cursor after the 1
    EXPECT_EQ(power->text(), u"17.0");
    EXPECT_EQ(power->cursorPosition(), 1);

    QTest::keyClick(power, Qt::Key_End);
    QTest::keyClick(power, Qt::Key_Backspace);  // 17. is shown as 17.0 again
    EXPECT_EQ(power->text(), u"17.0");
    EXPECT_EQ(power->cursorPosition(), 3);

    QTest::keyClick(power, Qt::Key_Home);
    QTest::keyClick(power, Qt::Key_Right, Qt::ShiftModifier);
    engine.type(sheet::Field::txtpint, QStringLiteral("27"));
    EXPECT_EQ(power->text(), u"27.0");
    EXPECT_EQ(power->selectedText(), u"2");
}

// A field the engineer is not in is simply replaced.
TEST_F(KeyboardTest, FieldWithoutFocusTakesTheEnginesText) {
    tabInto(QStringLiteral("TxtUmin"));
    engine.type(sheet::Field::txtpint, QStringLiteral("5"));
    EXPECT_EQ(edit(QStringLiteral("txtpint"))->text(), u"5.0");
    EXPECT_EQ(edit(QStringLiteral("txtpint"))->cursorPosition(), 3);
}

struct ChainStep {
    const char* keys;  // typed before Enter
    const char* focusAfterEnter;
};

// Enter walks the requirement fields; each field the focus reaches has its
// text selected, so the next keys replace the value. Enter on the add button
// adds the output and brings the focus back to the output voltage.
TEST_F(KeyboardTest, EnterChainWalksTheRequirements) {
    const ChainStep steps[] = {{"90", "txtudc"},       {"300", "TxtF"},     {"65", "txtd"},
                               {"0.45", "txtuoutput"}, {"5", "TxtIoutput"}, {"2", "TXTDIO"},
                               {"0.5", "Command1"},    {"", "txtuoutput"}};
    tabInto(QStringLiteral("TxtUmin"));
    for (const ChainStep& step : steps) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(step.keys));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(focusName(), QString::fromLatin1(step.focusAfterEnter)) << step.keys;
    }
    EXPECT_EQ(text(QStringLiteral("TxtUmin")), u"90");
    EXPECT_EQ(text(QStringLiteral("txtudc")), u"300");
    EXPECT_EQ(text(QStringLiteral("TxtF")), u"65");
    EXPECT_EQ(text(QStringLiteral("txtd")), u"0.45");
    const QStringList added = engine.sheet().grid(sheet::Table::MS).rows.value(1);
    ASSERT_GE(added.size(), 4);
    EXPECT_EQ(added.mid(1, 3),
              (QStringList{QStringLiteral("5"), QStringLiteral("2"), QStringLiteral("0.5")}));
    EXPECT_EQ(window.outputsModel()->data(window.outputsModel()->index(0, 1), Qt::DisplayRole),
              QStringLiteral("5"));
}

TEST_F(KeyboardTest, EnterInDutyWithoutFrequencyStays) {
    tabInto(QStringLiteral("TxtF"));
    QTest::keyClick(edit(QStringLiteral("TxtF")), Qt::Key_Delete);
    ASSERT_EQ(text(QStringLiteral("TxtF")), QString());
    tabInto(QStringLiteral("txtd"));
    QTest::keyClick(edit(QStringLiteral("txtd")), Qt::Key_Return);
    EXPECT_EQ(focusName(), u"txtd");
}

// Adding a material walks its fields by Enter: 0 to 22, then the save
// button; what is typed on the way lands in the field it was typed in.
TEST_F(KeyboardTest, EnterChainWalksTheMaterialFields) {
    clickButton(QStringLiteral("Command8"));
    ASSERT_EQ(focusName(), u"TxtApp(0)");
    for (int index = 0; index <= 22; ++index) {
        const QString name = QStringLiteral("TxtApp(%1)").arg(index);
        ASSERT_EQ(focusName(), name);
        if (index == 1) {
            QTest::keyClicks(edit(name), QStringLiteral("K77"));
        }
        QTest::keyClick(edit(name), Qt::Key_Return);
    }
    EXPECT_EQ(focusName(), u"Command5");
    EXPECT_EQ(text(QStringLiteral("TxtApp(1)")), u"K77");
}

struct GridStep {
    Qt::Key key;
    int position;  // 1-based record after the key; 0: the last record
};

// Keys move the current record of a catalogue grid exactly as clicks do:
// the engine's record, the bound fields and the highlighted row agree.
TEST_F(KeyboardTest, KeysMoveTheCurrentCore) {
    RecordGridView* cores = grid(QStringLiteral("DBGrid2"));
    tabInto(QStringLiteral("DBGrid2"));
    const catalogue::DataSource& source = engine.catalogue().cores();
    const int count = source.count();
    ASSERT_GT(count, 4);
    const GridStep steps[] = {{Qt::Key_Down, 2},  {Qt::Key_Down, 3},  {Qt::Key_Up, 2},
                              {Qt::Key_End, 0},   {Qt::Key_Down, 0},  {Qt::Key_Home, 1},
                              {Qt::Key_Up, 1},    {Qt::Key_Right, 1}, {Qt::Key_PageDown, 0},
                              {Qt::Key_PageUp, 1}};
    for (const GridStep& step : steps) {
        QTest::keyClick(cores, step.key);
        QCoreApplication::processEvents();
        const int expected = step.position == 0 ? count : step.position;
        EXPECT_EQ(source.position(), expected) << int(step.key);
        EXPECT_EQ(cores->currentIndex().row(), expected - 1);
        ASSERT_EQ(cores->selectionModel()->selectedRows().size(), 1);
        EXPECT_EQ(cores->selectionModel()->selectedRows().first().row(), expected - 1);
        EXPECT_EQ(text(QStringLiteral("TxtCoreSize")),
                  cores->model()->index(expected - 1, 0).data().toString());
        EXPECT_EQ(edit(QStringLiteral("TxtCoreSize"))->text(), text(QStringLiteral("TxtCoreSize")));
    }
}

TEST_F(KeyboardTest, KeysAndClicksMoveTheCurrentMaterial) {
    RecordGridView* materials = grid(QStringLiteral("DBGrid1"));
    tabInto(QStringLiteral("DBGrid1"));
    const catalogue::DataSource& source = engine.catalogue().materials();
    QTest::keyClick(materials, Qt::Key_Down);
    EXPECT_EQ(source.position(), 2);
    EXPECT_EQ(text(QStringLiteral("TxtApp(1)")),
              source.cellText(1, source.columns().indexOf(QStringLiteral("Type"))));
    const QRect third = materials->visualRect(materials->model()->index(2, 1));
    QTest::mouseClick(materials->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_EQ(source.position(), 3);
    EXPECT_EQ(materials->currentIndex().row(), 2);
}

// A move the engine refuses (a pending material edit that cannot be saved)
// leaves the grid on the record the engine keeps, by key and by click.
TEST_F(KeyboardTest, RefusedMoveKeepsTheGridOnTheRecord) {
    RecordGridView* materials = grid(QStringLiteral("DBGrid1"));
    clickButton(QStringLiteral("Command3"));
    tabInto(QStringLiteral("TxtApp(2)"));
    QTest::keyClick(edit(QStringLiteral("TxtApp(2)")), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit(QStringLiteral("TxtApp(2)")), QStringLiteral("abc"));
    (void)prompter.takeMessages();

    tabInto(QStringLiteral("DBGrid1"));
    QTest::keyClick(materials, Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.takeMessages().size(), 1);
    EXPECT_EQ(engine.catalogue().materials().position(), 1);
    EXPECT_EQ(materials->currentIndex().row(), 0);
    EXPECT_EQ(materials->selectionModel()->selectedRows().first().row(), 0);

    const QRect third = materials->visualRect(materials->model()->index(2, 1));
    QTest::mouseClick(materials->viewport(), Qt::LeftButton, {}, third.center());
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.takeMessages().size(), 1);
    EXPECT_EQ(engine.catalogue().materials().position(), 1);
    EXPECT_EQ(materials->currentIndex().row(), 0);
    ASSERT_EQ(materials->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(materials->selectionModel()->selectedRows().first().row(), 0);
    EXPECT_EQ(text(QStringLiteral("TxtApp(2)")), u"abc");
}

// Arrow keys in the outputs table choose the output as a click does, and a
// click on the output already chosen fills the entry fields again.
TEST_F(KeyboardTest, KeysAndClicksChooseTheOutput) {
    for (const char* volts : {"5", "12", "24"}) {
        engine.type(sheet::Field::txtuoutput, QString::fromLatin1(volts));
        engine.type(sheet::Field::TxtIoutput, QStringLiteral("1"));
        engine.click(sheet::Command::Command1);
    }
    RecordGridView* outputs = grid(QStringLiteral("MS"));
    tabInto(QStringLiteral("MS"));
    const struct {
        Qt::Key key;
        int row;
        const char* volts;
    } steps[] = {{Qt::Key_End, 3, "24"},
                 {Qt::Key_Up, 2, "12"},
                 {Qt::Key_Home, 1, "5"},
                 {Qt::Key_Down, 2, "12"},
                 {Qt::Key_PageDown, 3, "24"}};
    for (const auto& step : steps) {
        QTest::keyClick(outputs, step.key);
        EXPECT_EQ(engine.sheet().grid(sheet::Table::MS).currentRow, step.row);
        EXPECT_EQ(outputs->currentIndex().row(), step.row - 1);
        EXPECT_EQ(text(QStringLiteral("txtuoutput")), QString::fromLatin1(step.volts));
        EXPECT_EQ(edit(QStringLiteral("txtuoutput"))->text(), QString::fromLatin1(step.volts));
    }

    engine.type(sheet::Field::txtuoutput, QStringLiteral("48"));
    const QRect last = outputs->visualRect(outputs->model()->index(2, 1));
    QTest::mouseClick(outputs->viewport(), Qt::LeftButton, {}, last.center());
    EXPECT_EQ(text(QStringLiteral("txtuoutput")), u"24");
}

}  // namespace
}  // namespace kelvane::gui
