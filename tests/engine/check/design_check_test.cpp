#include "engine/check/design_check.h"

#include "../table_rows.h"
#include "check_designs.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace kelvane::check {
namespace {

using testing::findItem;
using testing::workedDesigns;

// Every hand-worked item of tests/data/check_items.tsv: its VALUE text and
// verdict on its design.
TEST(DesignCheckTest, WorkedDesignsGiveTheHandDerivedItems) {
    const QMap<QString, CheckInput> designs = workedDesigns();
    for (const tables::TableRow& row : tables::tableRows("check_items.tsv")) {
        SCOPED_TRACE(row.trace());
        ASSERT_TRUE(designs.contains(row.columns.value(0)));
        const CheckResult result = runCheck(designs.value(row.columns.value(0)));
        const CheckItem* item = findItem(result, row.columns.value(1));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->valueText.toStdString(), row.columns.value(2).toStdString());
        EXPECT_EQ(verdictName(item->verdict).toStdString(), row.columns.value(3).toStdString());
    }
}

QStringList idsOf(const CheckResult& result) {
    QStringList ids;
    for (const CheckItem& item : result.items) {
        ids << item.id;
    }
    return ids;
}

const QStringList kEveryCircuit = {QStringLiteral("core_loss"),  QStringLiteral("copper_loss"),
                                   QStringLiteral("loss_share"), QStringLiteral("skin"),
                                   QStringLiteral("build"),      QStringLiteral("temp_rise"),
                                   QStringLiteral("gap")};

// The order the check's page and snapshot list: the rows of each output
// together (every is_rms, then every uo), the frequency for an RCC only.
TEST(DesignCheckTest, ItemsComeInTheSettledOrder) {
    const QMap<QString, CheckInput> designs = workedDesigns();
    EXPECT_EQ(idsOf(runCheck(designs.value(QStringLiteral("three")))),
              QStringList({"vor", "mode", "duty", "ip_peak", "ip_valley", "ip_rms", "is_rms(1)",
                           "is_rms(2)", "is_rms(3)", "uo(1)", "uo(2)", "uo(3)", "b_peak", "b_swing",
                           "vin_min", "vds_max"}) +
                  kEveryCircuit);
    EXPECT_EQ(idsOf(runCheck(designs.value(QStringLiteral("rcc")))),
              QStringList({"vor", "mode", "duty", "frequency", "ip_peak", "ip_valley", "ip_rms",
                           "is_rms(1)", "uo(1)", "b_peak", "b_swing", "vin_min", "vds_max"}) +
                  kEveryCircuit);
    EXPECT_EQ(
        idsOf(runCheck(designs.value(QStringLiteral("pushpull")))),
        QStringList({"duty", "b_peak", "b_swing", "ip_rms", "is_rms(1)", "uo(1)", "vds_max"}) +
            kEveryCircuit);
}

TEST(DesignCheckTest, PerOutputCaptionsNameTheirOutput) {
    const CheckResult result = runCheck(workedDesigns().value(QStringLiteral("three")));
    EXPECT_EQ(findItem(result, QStringLiteral("is_rms(2)"))->caption.toStdString(),
              "次级2有效值电流");
    EXPECT_EQ(findItem(result, QStringLiteral("uo(3)"))->caption.toStdString(), "输出3实际电压");
}

// The duty's sentence says what the technician must know, with the numbers.
TEST(DesignCheckTest, AFailingDutySaysTheTurnsRatioNeedsMore) {
    CheckInput in = workedDesigns().value(QStringLiteral("ccm"));
    in.designDuty = 0.3;  // 0.385 > 0.35: fail
    const CheckResult result = runCheck(in);
    const CheckItem* duty = findItem(result, QStringLiteral("duty"));
    ASSERT_NE(duty, nullptr);
    EXPECT_EQ(duty->verdict, Verdict::Fail);
    EXPECT_EQ(duty->sentence.toStdString(), "以此匝比，最低输入时占空比需0.385，超过设计值0.3");
    EXPECT_EQ(duty->limitText.toStdString(), "≤ 0.3");
}

// An estimated core changes no number; the items resting on Ae, Le or Ve
// say so, and only they, on every circuit.
TEST(DesignCheckTest, AnEstimatedCoreIsNotedWhereAeLeOrVeCount) {
    const QStringList resting = {QStringLiteral("b_peak"), QStringLiteral("b_swing"),
                                 QStringLiteral("core_loss"), QStringLiteral("loss_share"),
                                 QStringLiteral("temp_rise")};
    const QString note = QStringLiteral("；磁芯参数为估算值（±10%）");
    const QMap<QString, CheckInput> designs = workedDesigns();
    for (const QString& name :
         {QStringLiteral("ccm"), QStringLiteral("rcc"), QStringLiteral("pushpull")}) {
        SCOPED_TRACE(name.toStdString());
        CheckInput in = designs.value(name);
        const CheckResult measured = runCheck(in);
        in.coreEstimate = true;
        const CheckResult estimated = runCheck(in);
        ASSERT_EQ(estimated.items.size(), measured.items.size());
        int noted = 0;
        for (size_t i = 0; i < measured.items.size(); ++i) {
            const CheckItem& before = measured.items[i];
            const CheckItem& after = estimated.items[i];
            SCOPED_TRACE(before.id.toStdString());
            EXPECT_EQ(after.valueText, before.valueText);
            EXPECT_EQ(after.verdict, before.verdict);
            const bool rests = resting.contains(before.id) && before.value.has_value();
            EXPECT_EQ(after.sentence, rests ? before.sentence + note : before.sentence);
            noted += rests ? 1 : 0;
        }
        // The worked designs' material has no loss points: the flux items.
        EXPECT_GE(noted, 2);
    }
}

// ccm has a warn (vin_min); three adds uo(2) (fail), uo(3) (warn) and its
// peak flux 458 mT above Bs 400 mT (fail), and keeps the warn of vin_min:
// 2 × 85² − 2 × 55.664 W × 7 ms ÷ 167 µF gives 98.9 V below its 100 V.
TEST(DesignCheckTest, SummaryCountsTheWorstVerdicts) {
    const QMap<QString, CheckInput> designs = workedDesigns();
    const CheckResult ccm = runCheck(designs.value(QStringLiteral("ccm")));
    EXPECT_EQ(ccm.summary, Verdict::Warn);
    EXPECT_EQ(ccm.failCount, 0);
    EXPECT_EQ(ccm.warnCount, 1);
    EXPECT_EQ(ccm.summaryText.toStdString(), "校核：1 项警告");
    const CheckResult three = runCheck(designs.value(QStringLiteral("three")));
    EXPECT_EQ(three.summary, Verdict::Fail);
    EXPECT_EQ(three.summaryText.toStdString(), "校核：2 项不合格，2 项警告");
    CheckInput dcm = designs.value(QStringLiteral("dcm"));
    EXPECT_EQ(runCheck(dcm).summaryText.toStdString(), "校核：全部合格");
    // A design with nothing to judge yet does not pass.
    const CheckResult empty = runCheck(CheckInput{});
    EXPECT_EQ(empty.summaryText.toStdString(), "校核：尚无可校核的数值");
    EXPECT_EQ(empty.failCount + empty.warnCount, 0);
}

// A bad input gives its items no value and a reason, never a number that
// is not one. Each row: design, what is wrong, item, the reason's words.
void spoil(CheckInput& in, const QString& fault) {
    if (fault == u"no_core") {
        in.coreName.clear();
        in.aeMm2.reset();
    } else if (fault == u"no_loss") {
        in.materialChosen = true;
        in.permeability = 2300;
        in.veMm3 = 5000;
        in.loss = {};
    } else if (fault == u"zero_n1") {
        in.windings[0].turns = 0.0;
    } else if (fault == u"no_outputs") {
        in.outputs.clear();
        in.windings.resize(1);
    } else if (fault == u"lp0") {
        in.inductanceMh = 0.0;
    } else if (fault == u"no_bs") {
        in.saturationMt.reset();
    } else if (fault == u"zero_n2") {
        in.windings[1].turns = 0.0;
    } else if (fault == u"no_circuit") {
        in.circuit.reset();
    } else if (fault == u"small_bulk") {
        in.bulkUf = 1.0;
    } else if (fault == u"nan_vin") {
        in.vinV = std::numeric_limits<double>::quiet_NaN();
    } else if (fault == u"inf_turns") {
        in.windings[1].turns = std::numeric_limits<double>::infinity();
    } else {
        FAIL() << "unknown fault " << fault.toStdString();
    }
}

bool refusedNumber(const QString& text) {
    static const QRegularExpression negativeZero(QStringLiteral("-0(\\.0*)?(?![0-9.])"));
    return text.contains(QStringLiteral("nan"), Qt::CaseInsensitive) ||
           text.contains(QStringLiteral("inf"), Qt::CaseInsensitive) ||
           negativeZero.match(text).hasMatch();
}

TEST(DesignCheckTest, BadInputGivesNoValueAndTheReason) {
    const QMap<QString, CheckInput> designs = workedDesigns();
    for (const tables::TableRow& row : tables::tableRows("check_bad_inputs.tsv")) {
        SCOPED_TRACE(row.trace());
        CheckInput in = designs.value(row.columns.value(0));
        spoil(in, row.columns.value(1));
        const CheckResult result = runCheck(in);
        const CheckItem* item = findItem(result, row.columns.value(2));
        ASSERT_NE(item, nullptr);
        const QString verdict = row.columns.value(4);
        EXPECT_EQ(verdictName(item->verdict).toStdString(), verdict.toStdString());
        if (verdict == u"info") {
            EXPECT_FALSE(item->value.has_value());
            EXPECT_EQ(item->valueText.toStdString(), "");
        }
        EXPECT_TRUE(item->sentence.contains(row.columns.value(3))) << item->sentence.toStdString();
        for (const CheckItem& each : result.items) {
            for (const QString* text :
                 {&each.valueText, &each.sentence, &each.formulaText, &each.limitText}) {
                EXPECT_FALSE(refusedNumber(*text))
                    << each.id.toStdString() << ": " << text->toStdString();
            }
            if (each.value) {
                EXPECT_TRUE(std::isfinite(*each.value)) << each.id.toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace kelvane::check
