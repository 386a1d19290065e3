#include "engine/construction/construction_json.h"

#include "construction_designs.h"
#include "engine/sheet/design_sheet.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

namespace kelvane::construction {
namespace {

// The worked flyback sandwiched: 40 turns of 0.3 mm around 6 of 0.8 mm,
// Lp 0.4 mH; the check failed its build.
TEST(ConstructionJson, HoldsTheSheetAsNumbers) {
    check::CheckInput in = testing::workedDesign(sheet::Circuit::Flyback, {40, 6}, {0.3, 0.8});
    sheet::DesignSheet sheet;
    testing::fillWorkedSheet(sheet);
    check::CheckResult check;
    check.summary = check::Verdict::Fail;
    check::CheckItem build;
    build.id = QStringLiteral("build");
    build.verdict = check::Verdict::Fail;
    check.items.push_back(build);

    const QJsonObject json = constructionJson(buildConstruction(sheet, in, {}), check);
    // Through text and back, as a reader of the file gets it.
    const QJsonObject read = QJsonDocument::fromJson(QJsonDocument(json).toJson()).object();
    EXPECT_TRUE(read[u"complete"].toBool());
    EXPECT_TRUE(read[u"sandwich"].toBool());
    EXPECT_EQ(read[u"windings"][1][u"pins"][u"start"].toString(), "3");
    EXPECT_TRUE(read[u"windings"][1][u"pins"][u"tap"].isNull());
    EXPECT_EQ(read[u"windings"][0][u"pins"][u"tap"].toString(), "2");
    const QJsonArray order = read[u"order"].toArray();
    ASSERT_EQ(order.size(), 3);
    EXPECT_EQ(order[0][u"part"].toString(), "first-half");
    EXPECT_EQ(order[0][u"turns"].toDouble(), 29);
    EXPECT_EQ(order[2][u"startPin"].toString(), "2");
    EXPECT_EQ(order[2][u"turns"].toDouble(), 11);
    EXPECT_EQ(order[1][u"marginMm"].toDouble(), 3.2);
    EXPECT_EQ(order[0][u"tapeAfter"][u"layers"].toInt(), 3);
    EXPECT_TRUE(order[0][u"tapeAfter"][u"reinforced"].toBool());
    EXPECT_TRUE(order[2][u"tapeAfter"][u"outerWrap"].toBool());
    EXPECT_EQ(read[u"buildMm"].toDouble(), 1.99);
    EXPECT_EQ(read[u"gapping"][u"alNhPerN2"].toDouble(), 250);
    // 237.5～262.5 printed with three digits, inwards.
    EXPECT_EQ(read[u"gapping"][u"alMinNhPerN2"].toDouble(), 238);
    EXPECT_EQ(read[u"gapping"][u"alMaxNhPerN2"].toDouble(), 262);
    EXPECT_EQ(read[u"tests"][u"inductance"][u"minMh"].toDouble(), 0.36);
    EXPECT_EQ(read[u"tests"][u"inductance"][u"maxMh"].toDouble(), 0.44);
    EXPECT_EQ(read[u"tests"][u"leakage"][u"shorted"][0].toString(), "3—4");
    EXPECT_EQ(read[u"tests"][u"leakage"][u"breadthMm"].toDouble(), 9.6);
    EXPECT_EQ(read[u"tests"][u"hipot"][0][u"voltageV"].toDouble(), 3000);
    EXPECT_EQ(read[u"tests"][u"dcr"][1][u"maxOhm"].toDouble(), 0.22);
    EXPECT_EQ(read[u"check"][u"failing"][0].toString(), "build");

    // A design that cannot be wound: its windings and why, nothing more.
    in.coreName.clear();
    const QJsonObject missing = constructionJson(buildConstruction(sheet, in, {}), {});
    EXPECT_FALSE(missing[u"complete"].toBool());
    EXPECT_EQ(missing[u"missing"].toString(), "未选择磁芯");
    EXPECT_EQ(missing[u"windings"].toArray().size(), 2);
    EXPECT_FALSE(missing.contains(u"order"));
    EXPECT_FALSE(missing.contains(u"tests"));
}

}  // namespace
}  // namespace kelvane::construction
