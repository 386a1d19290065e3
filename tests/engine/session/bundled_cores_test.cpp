#include "engine/advice/core_adviser.h"
#include "engine/base/key_codes.h"
#include "engine/catalogue/core_family.h"
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"
#include "engine/session/session_report.h"

#include <gtest/gtest.h>

#include <QSet>

namespace kelvane::session {
namespace {

using catalogue::CoreOrigin;
using sheet::Field;

const QString kEstimateNote = QStringLiteral("磁芯参数为估算值（±10%）");

// The items whose numbers rest on the core's Ae, Le or Ve.
const QStringList kCoreItems = {QStringLiteral("b_peak"), QStringLiteral("b_swing"),
                                QStringLiteral("core_loss"), QStringLiteral("loss_share"),
                                QStringLiteral("temp_rise")};

// A 65 W adapter on the bundled catalogue: flyback from 85 V AC at 65 kHz,
// 19 V 3.42 A, N87.
class BundledCores : public ::testing::Test {
protected:
    void SetUp() override {
        window.open();
        window.click(sheet::Check::Option1);
        type("TxtUmin", "85");
        type("TxtF", "65");
        type("txtd", "0.45");
        window.keyDown(sheet::Field::txtd, kEnterKey);
        type("txtuoutput", "19");
        type("TxtIoutput", "3.42");
        type("TXTDIO", "0.5");
        window.click(sheet::Command::Command1);
        type("Text1", "N87");
    }

    void type(const char* field, const char* text) {
        window.type(*sheet::fieldByName(QString::fromLatin1(field)), QString::fromUtf8(text));
    }

    script::ScriptedPrompter prompter;
    DesignSession window{prompter, QStringLiteral(KELVANE_BUNDLED_CATALOGUE),
                         QStringLiteral("/pictures")};
};

// Choosing a core of each kind: its family and picture, its origin in the
// report's core section, and the check's note on exactly the items that
// rest on Ae, Le or Ve when the row is an estimate.
TEST_F(BundledCores, FamilyPictureOriginAndTheEstimateNote) {
    const struct {
        const char* core;
        const char* family;
        CoreOrigin origin;
    } cases[] = {
        {"ETD29/16/10", "ETD", CoreOrigin::Computed}, {"RM10", "RM", CoreOrigin::DataSheet},
        {"EQ30/8", "EQ", CoreOrigin::Estimate},       {"PQ26/25", "PQ", CoreOrigin::DataSheet},
        {"PM50/39", "PM", CoreOrigin::Estimate},      {"EP13", "EP", CoreOrigin::DataSheet},
        {"EPO13", "EP", CoreOrigin::Estimate},        {"EFD20/10/7", "EFD", CoreOrigin::Computed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.core);
        type("TXTCORE", c.core);
        window.click(sheet::Command::Command10);
        ASSERT_EQ(window.sheet().text(Field::TxtCoreSize), QString::fromLatin1(c.core));
        EXPECT_EQ(window.sheet().text(Field::cmbcore), QString::fromLatin1(c.family));
        EXPECT_EQ(window.sheet().caption(QStringLiteral("Img2")),
                  QStringLiteral("/pictures/%1.GIF").arg(QString::fromLatin1(c.family)));

        const QString origin = window.shownCoreText(QStringLiteral("ORIGIN"));
        EXPECT_EQ(catalogue::coreOrigin(origin), c.origin) << origin.toStdString();
        const report::DesignReport report = sessionReport(window, QString(), QDate(2026, 12, 7));
        const report::ReportSection* core = report.section(QStringLiteral("3 磁芯与磁材"));
        ASSERT_NE(core, nullptr);
        ASSERT_NE(core->row(QStringLiteral("数据来源")), nullptr);
        EXPECT_EQ(core->row(QStringLiteral("数据来源"))->value, origin);

        int valued = 0;
        for (const check::CheckItem& item : window.designCheck().items) {
            const bool noted = item.sentence.endsWith(kEstimateNote);
            const bool rests = kCoreItems.contains(item.id) && item.value.has_value();
            valued += rests ? 1 : 0;
            EXPECT_EQ(noted, rests && c.origin == CoreOrigin::Estimate) << item.id.toStdString();
        }
        EXPECT_GE(valued, 4);
    }
}

// A core name typed that lists no catalogue row leaves no core shown:
// nothing is said of an origin.
TEST_F(BundledCores, ATypedNameHasNoOrigin) {
    type("TXTCORE", "EQ30/8");
    EXPECT_FALSE(window.shownCoreText(QStringLiteral("ORIGIN")).isEmpty());
    type("TXTCORE", "EQ30/8X");
    EXPECT_TRUE(window.shownCoreText(QStringLiteral("ORIGIN")).isEmpty());
    for (const check::CheckItem& item : window.designCheck().items) {
        EXPECT_FALSE(item.sentence.contains(kEstimateNote)) << item.id.toStdString();
    }
}

// The adviser ranks the families an adapter designer reaches for, and
// each core it reads says where its figures come from.
TEST_F(BundledCores, AdviserRanksTheNewFamiliesWithTheirOrigin) {
    const advice::Advice& rows = window.advise();
    const std::shared_ptr<const advice::CatalogueSnapshot> snapshot = rows.catalogue();
    ASSERT_NE(snapshot, nullptr);
    for (const advice::CoreRecord& core : snapshot->cores) {
        EXPECT_TRUE(catalogue::coreOrigin(core.origin).value_or(CoreOrigin::Unstated) !=
                    CoreOrigin::Unstated)
            << core.name.toStdString();
    }
    QSet<QString> ranked;
    for (const advice::AdviceRow& row : rows) {
        ranked.insert(catalogue::coreFamily(snapshot->cores[row.core].name));
    }
    for (const char* family : {"ETD", "EQ", "RM", "PQ"}) {
        EXPECT_TRUE(ranked.contains(QString::fromLatin1(family))) << family;
    }
}

}  // namespace
}  // namespace kelvane::session
