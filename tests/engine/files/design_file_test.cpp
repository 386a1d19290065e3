#include "../session/design_fixture.h"
#include "../table_rows.h"
#include "engine/script/snapshot.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <QStringEncoder>

namespace kelvane::files {
namespace {

using session::DesignFixture;
using sheet::Check;
using sheet::Field;
using sheet::fieldName;
using sheet::kCheckCount;
using sheet::kFieldCount;
using sheet::Table;

QByteArray gbk(const QString& text) {
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

class DesignFileTest : public DesignFixture {
protected:
    QString pathOf(const char* name) const { return directory.filePath(QString::fromLatin1(name)); }
    QByteArray read(const QString& path) const {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    void write(const QString& path, const QByteArray& bytes) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A valid two-output design file, as Kelvane writes it.
    QByteArray twoOutputFile() {
        click("Command1");
        addOutput("5", "2");
        EXPECT_TRUE(window.saveDesign(pathOf("two.dat")));
        prompter.takeMessages();
        return read(pathOf("two.dat"));
    }
    QStringList lines(const QByteArray& bytes) const {
        QStringDecoder decoder("GBK");
        QStringList list = QString(decoder.decode(bytes)).split(QStringLiteral("\r\n"));
        list.removeLast();
        return list;
    }
    // Everything a snapshot of the design shows, as one text.
    QString state() const {
        QString all;
        for (int i = 0; i < kFieldCount; ++i) {
            all += window.sheet().text(Field(i)) + u'|';
        }
        for (int i = 0; i < kCheckCount; ++i) {
            all += QString::number(window.sheet().checkValue(Check(i)));
        }
        for (const QStringList& row : window.sheet().grid(Table::MS).rows) {
            all += row.join(u',') + u';';
        }
        return all;
    }
};

TEST_F(DesignFileTest, TwoOutputsMake44GbkLinesWithCrLf) {
    const QByteArray bytes = twoOutputFile();
    const QStringList fileLines = lines(bytes);
    ASSERT_EQ(fileLines.size(), 44);
    EXPECT_EQ(bytes.count("\r\n"), 44);
    EXPECT_EQ(bytes.count('\n'), 44);  // no bare line feeds
    EXPECT_EQ(fileLines[0], u"3");
    EXPECT_EQ(fileLines[1], u"False");  // Option1
    EXPECT_EQ(fileLines[5], u"True");   // OptIEC
    EXPECT_EQ(fileLines[8], u" 0 ");    // Check1 with its blanks
    EXPECT_EQ(fileLines[20], u"130℃");
    EXPECT_TRUE(bytes.contains("130\xA1\xE6\r\n"));  // ℃ in GBK
    EXPECT_EQ(fileLines.mid(21, 10),
              (QStringList{"1", "12", "1", "0.7", "12", "2", "5", "2", "0.7", "10"}));
    EXPECT_EQ(fileLines[31], u"0.85");   // TXTN
    EXPECT_EQ(fileLines[39], u"M2000");  // the material type
    EXPECT_EQ(fileLines[42], text("TxtCoreSize"));
    EXPECT_EQ(fileLines[43], u"5");  // TxtJ
}

TEST_F(DesignFileTest, ReopenedInAFreshWindowGivesTheSameDesign) {
    click("Option1");
    click("OptVDE");
    type("TxtF", "65");
    twoOutputFile();
    type("TXTCORE", "EE19");
    const QString path = pathOf("design.dat");
    ASSERT_TRUE(window.saveDesign(path));

    script::ScriptedPrompter otherPrompter;
    session::DesignSession other(otherPrompter, copyOfTestCatalogue(), QString());
    other.open();
    ASSERT_TRUE(other.openDesign(path));
    EXPECT_TRUE(otherPrompter.takeMessages().isEmpty());
    for (int i = 0; i < kFieldCount; ++i) {
        const Field field = Field(i);
        if (field == Field::Text1 || field == Field::TXTCORE || field == Field::txtuoutput ||
            field == Field::TxtIoutput || field == Field::TXTDIO || field == Field::Txtpout) {
            continue;  // the search boxes hold what opening looked up; the entry line is not kept
        }
        EXPECT_EQ(other.sheet().text(field), window.sheet().text(field))
            << fieldName(field).toStdString();
    }
    EXPECT_EQ(other.sheet().grid(Table::MS).rows, window.sheet().grid(Table::MS).rows);
    EXPECT_TRUE(other.sheet().isChecked(Check::Option1));
    EXPECT_TRUE(other.sheet().isChecked(Check::OptVDE));
}

TEST_F(DesignFileTest, ReopeningTheSameFileBringsBackItsCore) {
    type("TXTCORE", "EE19");
    ASSERT_TRUE(window.saveDesign(pathOf("a.dat")));
    type("txtpint", "500");  // the proposal moves the current core away
    ASSERT_NE(text("TxtCoreSize"), u"EE19");
    ASSERT_TRUE(window.openDesign(pathOf("a.dat")));
    EXPECT_EQ(text("TxtCoreSize"), u"EE19");
}

TEST_F(DesignFileTest, SavedIecLinesAreOverwrittenByTheFile) {
    QStringList fileLines = lines(twoOutputFile());
    fileLines[4] = QStringLiteral("False");  // UL
    fileLines[5] = QStringLiteral("True");   // IEC
    fileLines[17] = QStringLiteral("9.9mm");
    fileLines[18] = QStringLiteral("Mine");
    click("OptUL");
    write(pathOf("iec.dat"), gbk(fileLines.join("\r\n") + "\r\n"));
    ASSERT_TRUE(window.openDesign(pathOf("iec.dat")));
    EXPECT_TRUE(checked("OptIEC"));
    EXPECT_EQ(text("TxtHipotPs"), u"3000Vac,50/60Hz,0.7mA,60S");  // from the preset
    EXPECT_EQ(text("TxtMargin"), u"9.9mm");                       // from the file
    EXPECT_EQ(text("TxtHipot"), u"Mine");
}

TEST_F(DesignFileTest, TotalFollowsTheLoadedTable) {
    QStringList fileLines = lines(twoOutputFile());
    fileLines[25] = QStringLiteral("7");   // row 1 power
    fileLines[32] = QStringLiteral("99");  // the saved input power has the last word
    write(pathOf("t.dat"), gbk(fileLines.join("\r\n") + "\r\n"));
    click("Command2");
    ASSERT_TRUE(window.openDesign(pathOf("t.dat")));
    EXPECT_EQ(text("txtp"), u"17");
    EXPECT_EQ(text("TxtTransP"), u"17");
    EXPECT_EQ(text("txtpint"), u"99.0");
}

// The record of `fileLines` with `rows` outputs whose powers mix whole,
// fractional, negative, empty and non-numeric cells and sums beyond fifteen
// digits.
QByteArray manyOutputsFile(const QStringList& fileLines, int rows) {
    static const char* const powers[] = {"12",  "0.7",  "-30", "", "abc", "123456789012.345",
                                         "1e3", "-0.05"};
    QStringList table;
    for (int row = 1; row <= rows; ++row) {
        table << QString::number(row) << QString::number(row % 48) << QStringLiteral("1")
              << QStringLiteral("0.7") << QString::fromLatin1(powers[row % 8]);
    }
    QStringList record = fileLines.mid(0, 21) + table + fileLines.mid(fileLines.size() - 13);
    record[0] = QString::number(rows + 1);
    return gbk(record.join("\r\n") + "\r\n");
}

// Opening writes the total once; the snapshot is the one the window showed
// when every row's running total was written and recalculated in turn.
TEST_F(DesignFileTest, ManyOutputsOpenAsWhenTheTotalWasBuiltRowByRow) {
    const QString path = pathOf("many.dat");
    write(path, manyOutputsFile(lines(twoOutputFile()), 300));
    type("TxtF", "77");
    click("Option1");
    ASSERT_TRUE(window.openDesign(path));
    QJsonObject snapshot = script::engineSnapshot(window);
    snapshot.insert(QStringLiteral("messages"),
                    QJsonArray::fromStringList(prompter.takeMessages()));
    QFile expected(QStringLiteral(KELVANE_TEST_DATA "/many_outputs.json"));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(snapshot, QJsonDocument::fromJson(expected.readAll()).object())
        << QJsonDocument(snapshot).toJson().toStdString();
}

// Every row of data/bad_design_files.tsv, one after the other in the same
// window: each refusal names the line and leaves the design as it was.
TEST_F(DesignFileTest, BadFilesAreRefusedWithTheirLineAndChangeNothing) {
    const QStringList good = lines(twoOutputFile());
    type("TxtF", "77");
    for (const tables::TableRow& row : tables::tableRows("bad_design_files.tsv")) {
        SCOPED_TRACE(row.trace());
        ASSERT_GE(row.columns.size(), 4);
        const QString& kind = row.columns[0];
        const int index = row.columns[1].toInt();
        QByteArray bytes;
        int named = row.columns[3].toInt();
        if (kind == u"append") {
            const QStringList appended = row.columns[2].split(u'|');
            bytes = gbk((good + appended).join("\r\n") + "\r\n");
            named += int(good.size());
        } else if (kind == u"cut") {
            const QStringList kept = good.mid(0, index);
            bytes = gbk(kept.join("\r\n") + (kept.isEmpty() ? "" : "\r\n"));
        } else {
            for (qsizetype i = 0; i < good.size(); ++i) {
                if (kind == u"utf8") {
                    bytes += good[i].toUtf8();
                } else {
                    bytes += i == index ? tables::unescapedBytes(row.columns[2]) : gbk(good[i]);
                }
                bytes += "\r\n";
            }
        }
        const QString path = pathOf("bad.dat");
        write(path, bytes);
        const QString before = state();
        EXPECT_FALSE(window.openDesign(path));
        EXPECT_EQ(prompter.takeMessages(),
                  QStringList{QStringLiteral("文件格式错误（第%1行）").arg(named)});
        EXPECT_EQ(state(), before);
    }
}

// The design check's own inputs travel with the design: written after the
// record only when one is set, read back, and a file without them brings
// back the defaults.
TEST_F(DesignFileTest, CheckInputsAreKeptWithTheDesign) {
    const QString plain = pathOf("plain.dat");
    ASSERT_TRUE(window.saveDesign(plain));
    const QString withInputs = pathOf("inputs.dat");
    window.setCheckInput(QStringLiteral("rating"), QStringLiteral("800"));
    window.setCheckInput(QStringLiteral("linef"), QStringLiteral(" 60 "));
    EXPECT_TRUE(window.document().isModified());
    ASSERT_TRUE(window.saveDesign(withInputs));
    const QStringList written = lines(read(withInputs));
    EXPECT_EQ(written.mid(lines(read(plain)).size()),
              (QStringList{QStringLiteral("[设计校核]"), QStringLiteral("rating=800"),
                           QStringLiteral("linef= 60 ")}));
    ASSERT_TRUE(window.openDesign(plain));
    EXPECT_EQ(window.checkInputs().value(QStringLiteral("rating")), "");
    EXPECT_EQ(window.checkInputs().value(QStringLiteral("linef")), "");
    ASSERT_TRUE(window.openDesign(withInputs));
    EXPECT_EQ(window.checkInputs().value(QStringLiteral("rating")), "800");
    EXPECT_EQ(window.checkInputs().value(QStringLiteral("linef")), " 60 ");
    EXPECT_FALSE(window.document().isModified());
    EXPECT_FALSE(window.setCheckInput(QStringLiteral("vacmin"), QStringLiteral("90")));
}

// The construction sheet's inputs travel in the same block, after the
// check's, in the order of their names; opening a file replaces every one
// of them, and an empty text is no input.
TEST_F(DesignFileTest, ConstructionInputsAreKeptWithTheDesign) {
    const QString plain = pathOf("plain.dat");
    ASSERT_TRUE(window.saveDesign(plain));
    const QString withInputs = pathOf("pins.dat");
    for (const auto& [name, text] : {std::pair{"vacmax", "230"},
                                     {"wire(1)", "三层绝缘线"},
                                     {"start(0)", "3"},
                                     {"lptestf", "1"},
                                     {"kind(2)", "初级侧辅助"},
                                     {"finish(0)", "1"},
                                     {"tap(0)", ""}}) {
        EXPECT_TRUE(window.setCheckInput(QString::fromUtf8(name), QString::fromUtf8(text))) << name;
    }
    EXPECT_TRUE(window.document().isModified());
    ASSERT_TRUE(window.saveDesign(withInputs));
    EXPECT_EQ(lines(read(withInputs)).mid(lines(read(plain)).size()),
              (QStringList{"[设计校核]", "vacmax=230", "finish(0)=1", "kind(2)=初级侧辅助",
                           "lptestf=1", "start(0)=3", "wire(1)=三层绝缘线"}));
    window.setCheckInput(QStringLiteral("start(5)"), QStringLiteral("9"));
    ASSERT_TRUE(window.openDesign(withInputs));
    EXPECT_EQ(window.checkInputs().value(QStringLiteral("start(0)")), "3");
    EXPECT_EQ(window.checkInputs().value(QStringLiteral("kind(2)")), "初级侧辅助");
    EXPECT_EQ(window.checkInputs().value(QStringLiteral("start(5)")), "");  // not in the file
    EXPECT_FALSE(window.document().isModified());
    const construction::ConstructionSettings settings = window.checkInputs().constructionSettings();
    EXPECT_EQ(settings.windings.at(0).startPin, "3");
    EXPECT_EQ(settings.windings.at(0).finishPin, "1");
    EXPECT_EQ(settings.windings.at(1).wire, "三层绝缘线");
    EXPECT_EQ(settings.windings.at(2).kind, "初级侧辅助");
    EXPECT_EQ(settings.testFrequencyKHz, "1");
    ASSERT_TRUE(window.openDesign(plain));
    EXPECT_TRUE(window.checkInputs().constructionInputs().isEmpty());
    EXPECT_FALSE(window.setCheckInput(QStringLiteral("pins(1)"), QStringLiteral("3")));
}

TEST_F(DesignFileTest, SeveralRecordsLeaveTheLast) {
    QStringList first = lines(twoOutputFile());
    QStringList second = first;
    second[11] = QStringLiteral("88");  // TxtF
    write(pathOf("two-records.dat"), gbk((first + second).join("\r\n") + "\r\n\r\n"));
    ASSERT_TRUE(window.openDesign(pathOf("two-records.dat")));
    EXPECT_EQ(text("TxtF"), u"88");
}

TEST_F(DesignFileTest, LineFeedOnlyFilesOpenToo) {
    QStringList fileLines = lines(twoOutputFile());
    fileLines[11] = QStringLiteral("44");
    write(pathOf("lf.dat"), gbk(fileLines.join(u'\n')));
    ASSERT_TRUE(window.openDesign(pathOf("lf.dat")));
    EXPECT_EQ(text("TxtF"), u"44");
}

TEST_F(DesignFileTest, CancelledDialogsDoNothing) {
    const QString before = state();
    EXPECT_FALSE(window.openDesign(QString()));
    EXPECT_FALSE(window.saveDesign(QString()));
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(prompter.takeMessages().isEmpty());
}

TEST_F(DesignFileTest, FailedSaveKeepsThePreviousFile) {
    const QByteArray previous = twoOutputFile();
    type("TxtHipot", QStringLiteral("IEC 😀"));  // GBK has no emoji
    EXPECT_FALSE(window.saveDesign(pathOf("two.dat")));
    const QStringList messages = prompter.takeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(u"保存失败："));
    EXPECT_EQ(read(pathOf("two.dat")), previous);
    type("TxtHipot", QStringLiteral("IEC €"));  // the Windows code page's 0x80, no GBK
    EXPECT_FALSE(window.saveDesign(pathOf("two.dat")));
    EXPECT_TRUE(prompter.takeMessages().value(0).startsWith(u"保存失败："));
    EXPECT_EQ(read(pathOf("two.dat")), previous);
    EXPECT_FALSE(window.saveDesign(QStringLiteral("/nonexistent/dir/x.dat")));
    EXPECT_TRUE(prompter.takeMessages().value(0).startsWith(u"保存失败："));
}

TEST_F(DesignFileTest, MissingFileIsReported) {
    EXPECT_FALSE(window.openDesign(pathOf("none.dat")));
    EXPECT_TRUE(prompter.takeMessages().value(0).startsWith(u"打开失败："));
}

}  // namespace
}  // namespace kelvane::files
