#include "../session/design_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kelvane::design {
namespace {

class CoreSelectionTest : public DesignFixture {
protected:
    [[nodiscard]] const catalogue::DataSource& cores() const { return window.catalogue().cores(); }
    [[nodiscard]] const catalogue::DataSource& materials() const {
        return window.catalogue().materials();
    }
};

TEST_F(CoreSelectionTest, SelfStandardMarginFromCreepage) {
    click("OptSelf");
    type("TxtHipotPs", "2812.5");  // 6.0mm: K = 2.50
    type("txtbm", "200");
    type("TxtJ", "4");
    type("TxtF", "100");
    type("txtd", "0.5");
    type("txtpint", "100");
    EXPECT_EQ(text("TxtMargin"), u"6.0mm");
    EXPECT_EQ(window.sheet().areaProductText(), u"15625.0MM^4");
}

TEST_F(CoreSelectionTest, NoStandardGivesAnEmptyWindow) {
    type("TxtHipot", "");
    type("txtpint", "100");
    EXPECT_EQ(window.sheet().areaProductText(), u"0.0MM^4");
    EXPECT_EQ(cores().recordSource(), u"select * from CORE where AP between  0 and 0 ");
    EXPECT_EQ(cores().count(), 0);
    EXPECT_EQ(text("TxtCoreSize"), u"");  // no core: the fields empty
    EXPECT_EQ(text("TxtCoreVe"), u"0.0");
}

TEST_F(CoreSelectionTest, NoFluxDensityKeepsThePreviousAreaProduct) {
    click("OptVDE");
    type("txtbm", "200");
    type("TxtJ", "4");
    type("TxtF", "100");
    type("txtd", "0.5");
    type("txtpint", "100");
    type("TxtJ", "0");
    type("txtpint", "50");
    EXPECT_EQ(window.sheet().areaProductText(), u"12500.0MM^4");
}

struct SearchCase {
    const char* text;
    const char* recordSource;
    int count;
    const char* first;
};

class CoreSearchTest : public CoreSelectionTest,
                       public ::testing::WithParamInterface<SearchCase> {};

TEST_P(CoreSearchTest, PrefixInAnyCase) {
    type("TXTCORE", GetParam().text);
    EXPECT_EQ(cores().recordSource(), QString::fromUtf8(GetParam().recordSource));
    EXPECT_EQ(cores().count(), GetParam().count);
    EXPECT_EQ(text("TxtCoreSize"), QString::fromUtf8(GetParam().first));
    EXPECT_TRUE(prompter.takeMessages().isEmpty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Names, CoreSearchTest, ::testing::Values(
    SearchCase{" ee1 ", "select * from core where name like\"ee1*\"", 2, "EE16"},
    SearchCase{"EE", "select * from core where name like\"EE*\"", 4, "EE16"},
    SearchCase{"O'Brien", "select * from core where name like\"O'Brien*\"", 1, "O'Brien20"},
    SearchCase{"*32", "select * from core where name like\"*32*\"", 1, "PQ32/20"},
    SearchCase{"%", "select * from core where name like\"%*\"", 0, ""},
    SearchCase{"EE_6", "select * from core where name like\"EE_6*\"", 0, ""},
    SearchCase{"\tee1\r\n", "select * from core where name like\"ee1*\"", 2, "EE16"},
    // A full-width space is part of the search text, not a blank.
    SearchCase{"\u3000ee1", "select * from core where name like\"\u3000ee1*\"", 0, ""}));
// clang-format on

TEST_F(CoreSelectionTest, EmptySearchListsEveryCore) {
    type("TXTCORE", "PQ");
    type("TXTCORE", "");
    EXPECT_EQ(cores().recordSource(), u"select * from core where name like\"*\"");
    EXPECT_EQ(cores().count(), 8);
}

TEST_F(CoreSelectionTest, MaterialSearchTrimsAndTakesPercentLiterally) {
    type("Text1", " m% ");
    EXPECT_EQ(materials().recordSource(), u"select * from materials where Type like\"m%*\"");
    EXPECT_EQ(materials().count(), 1);
    EXPECT_EQ(text("TxtApp(1)"), u"m%50");
    type("Text1", "M2000'");
    EXPECT_EQ(text("TxtApp(1)"), u"M2000's");
    type("Text1", "");
    EXPECT_EQ(materials().count(), 5);
}

TEST_F(CoreSelectionTest, FamilyFromTheCoreNameAndItsPicture) {
    window.selectRecord(QStringLiteral("DBGrid2"), 5);  // EPC17
    EXPECT_EQ(text("cmbcore"), u"EP");
    EXPECT_EQ(window.sheet().caption(QStringLiteral("Img2")), u"/pictures/EP.GIF");
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
    QStringList families = catalogue::CoreSelection::familyCodes();
    codes.sort();
    families.sort();
    EXPECT_EQ(codes, families);
    for (const QString& item : catalogue::CoreSelection::familyItems()) {
        EXPECT_TRUE(families.contains(item)) << item.toStdString();
    }
}

TEST_F(CoreSelectionTest, ChoosingTheCurrentCoreIsNoMove) {
    type("TXTCORE", "EE");
    type("TxtCoreFactory", "Mine");
    window.selectRecord(QStringLiteral("DBGrid2"), 1);
    EXPECT_EQ(text("TxtCoreFactory"), u"Mine");
    window.selectRecord(QStringLiteral("DBGrid2"), 2);
    EXPECT_EQ(text("TxtCoreSize"), u"EE19");
    EXPECT_EQ(text("TxtCoreFactory"), u"Test Cores");
}

TEST_F(CoreSelectionTest, LossPerGramFollowsTheMaterialsDensity) {
    window.selectRecord(QStringLiteral("DBGrid1"), 2);  // M1500, density 4.85
    EXPECT_EQ(text("txtbm"), u"112");                   // (490 − 160) · 0.34 = 112.2
    const double perGram = text("txtpl").toDouble() / 4.85;
    EXPECT_EQ(text("TXTPLG"), QString::number(perGram, 'f', 1));
    // Density 0: the fields refill one by one, so the loss per gram keeps
    // what the runs before the density's refill made of the new loss with
    // the old density 4.85, and is not divided by 0.
    window.selectRecord(QStringLiteral("DBGrid1"), 4);
    EXPECT_EQ(text("TxtApp(8)"), u"0");
    EXPECT_EQ(text("TXTPLG"), QString::number(text("txtpl").toDouble() / 4.85, 'f', 1));
}

TEST_F(CoreSelectionTest, FluxDensityEnterAndAnyKey) {
    type("txtbm", "150");
    const QString loss = text("txtpl");
    window.sheet().setCaption(QStringLiteral("Data2"), QStringLiteral("stale"));
    window.keyDown(QStringLiteral("txtbm"), 65);  // any key: the caption only
    EXPECT_EQ(window.sheet().caption(QStringLiteral("Data2")), window.sheet().areaProductText());
    EXPECT_EQ(text("txtpl"), loss);
}

TEST_F(CoreSelectionTest, CoreSelectionButton) {
    type("TxtF", "100");
    type("txtbm", "200");
    type("txtpl", "1");
    click("Command9");
    EXPECT_EQ(text("txtpl"), u"767.2");  // Ui 2000, 100 kHz, 200 mT
    EXPECT_EQ(text("TXTPLG"), u"159.8");
    EXPECT_EQ(window.sheet().caption(QStringLiteral("Data2")), window.sheet().areaProductText());
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
    window.click(QStringLiteral("Command9"));
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
}  // namespace kelvane::design
