#include "engine/catalogue/core_selection.h"

#include "../session/design_fixture.h"
#include "engine/catalogue/catalogue.h"
#include "engine/catalogue/core_family.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kelvane::catalogue {
namespace {

using session::DesignFixture;
using sheet::DesignSheet;
using sheet::Field;

class CoreSelectionTest : public DesignFixture {
protected:
    [[nodiscard]] const catalogue::DataSource& cores() const { return window.catalogue().cores(); }
};

// Control characters around the search text are blanks too.
TEST_F(CoreSelectionTest, SearchTrimsTabsAndLineEnds) {
    type("TXTCORE", "\tee1\r\n");
    EXPECT_EQ(cores().recordSource(), u"select * from core where name like\"ee1*\"");
    EXPECT_EQ(cores().count(), 2);
}

TEST_F(CoreSelectionTest, FamilyFromTheCoreNameAndItsPicture) {
    window.selectRecord(sheet::RecordGrid::DBGrid2, 5);  // EPC17, not EP
    EXPECT_EQ(text("cmbcore"), u"EPC");
    EXPECT_EQ(window.sheet().caption(QStringLiteral("Img2")), u"/pictures/EPC.GIF");
    window.selectRecord(sheet::RecordGrid::DBGrid2, 4);  // ee30
    EXPECT_EQ(text("cmbcore"), u"EE");
    EXPECT_EQ(window.sheet().caption(QStringLiteral("Img2")), u"/pictures/EE.GIF");
    window.pick(Field::cmbcore, QStringLiteral("EFD"));
    EXPECT_EQ(window.sheet().caption(QStringLiteral("Img2")), u"/pictures/EFD.GIF");
    type("cmbcore", "XY");  // not a family: the picture stays
    EXPECT_EQ(window.sheet().caption(QStringLiteral("Img2")), u"/pictures/EFD.GIF");
    type("cmbcore", "TOR");
    EXPECT_EQ(window.sheet().caption(QStringLiteral("Img2")), u"/pictures/TOR.GIF");
}

// The build puts every picture of data/pictures beside the program: each
// family the window can show needs one there, and no picture lies unused.
TEST(CoreFamilyTest, EveryFamilyHasItsPictureAndNoPictureIsSpare) {
    const QDir pictures(QStringLiteral(KELVANE_TEST_DATA "/../../data/pictures"));
    QStringList codes;
    for (const QString& file : pictures.entryList({QStringLiteral("*.GIF")}, QDir::Files)) {
        codes.append(file.chopped(4));
    }
    QStringList families = catalogue::coreFamilies();
    codes.sort();
    families.sort();
    EXPECT_EQ(codes, families);
    for (const QString& item : catalogue::CoreSelection::familyItems()) {
        EXPECT_TRUE(families.contains(item)) << item.toStdString();
    }
}

TEST_F(CoreSelectionTest, FluxDensityEnterAndAnyKey) {
    type("txtbm", "150");
    const QString loss = text("txtpl");
    window.keyDown(sheet::Field::txtbm, 65);  // any key: the caption only
    EXPECT_EQ(window.sheet().caption(QStringLiteral("Data2")), window.sheet().areaProductText());
    EXPECT_EQ(text("txtpl"), loss);
}

// The caption step writes the last area product over whatever Data2 says.
TEST(CoreSelectionCaption, WritesTheLastAreaProductOverAStaleCaption) {
    DesignSheet sheet;
    catalogue::Catalogue catalogue;
    catalogue::CoreSelection selection(sheet, catalogue, QString());
    sheet.setAreaProductText(QStringLiteral("31515.8MM^4"));
    sheet.setCaption(QStringLiteral("Data2"), QStringLiteral("stale"));
    selection.captionFromAreaProduct();
    EXPECT_EQ(sheet.caption(QStringLiteral("Data2")), u"31515.8MM^4");
}

TEST_F(CoreSelectionTest, MaterialFieldsEnterMovesAlong) {
    enter("TxtApp(0)");
    EXPECT_EQ(window.sheet().focus(), u"TxtApp(1)");
    enter("TxtApp(21)");
    EXPECT_EQ(window.sheet().focus(), u"TxtApp(22)");
    enter("TxtApp(22)");
    EXPECT_EQ(window.sheet().focus(), u"Command5");
    enter("TxtApp(24)");
    EXPECT_EQ(window.sheet().focus(), u"TxtApp(24)");
}

TEST(MissingCatalogue, OpensWithOneMessageAndEmptyFields) {
    script::ScriptedPrompter prompter;
    session::DesignSession window(prompter, QStringLiteral("/nonexistent/97BOBBIN.db"), QString());
    window.open();
    const QStringList messages = prompter.takeMessages();
    ASSERT_EQ(messages.size(), 1);
    // Which file, and the two ways to get one.
    EXPECT_TRUE(messages[0].contains(u"/nonexistent/97BOBBIN.db"));
    EXPECT_TRUE(messages[0].contains(u"sh tools/kelvane.sh run"));
    EXPECT_TRUE(messages[0].contains(u"--catalogue"));
    EXPECT_EQ(window.sheet().text(Field::TxtCoreSize), u"");
    EXPECT_EQ(window.sheet().text(Field::TxtApp1), u"");
    window.type(Field::txtpint, QStringLiteral("100"));
    window.click(sheet::Command::Command9);
    EXPECT_EQ(window.sheet().text(Field::txtpint), u"100.0");
    EXPECT_EQ(window.sheet().text(Field::TxtCoreVe), u"0.0");  // empty fields count 0
    EXPECT_TRUE(prompter.takeMessages().isEmpty());
}

TEST(MissingCatalogue, FileThatIsNoDatabaseIsNamedInTheMessage) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("notes.db"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("these are notes, not a catalogue\n");
    file.close();
    script::ScriptedPrompter prompter;
    session::DesignSession window(prompter, path, QString());
    window.open();
    const QStringList messages = prompter.takeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(path));
    EXPECT_TRUE(messages[0].contains(u"--catalogue"));
    EXPECT_EQ(window.catalogue().materials().count(), 0);
}

}  // namespace
}  // namespace kelvane::catalogue
