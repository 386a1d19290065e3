#include "engine/results/design_results.h"
#include "engine/sheet/design_sheet.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <functional>
#include <vector>

namespace kelvane::results {
namespace {

using sheet::Check;
using sheet::Field;
using sheet::Table;

// A sheet whose fill factor is coloured on every change, as in the window.
struct Bench : sheet::ChangeHandler {
    sheet::DesignSheet sheet;
    DesignResults results{sheet};

    Bench() {
        sheet.setChangeHandler(this);
        sheet.setChecked(Check::OptIEC, 1);
        sheet.editGrid(Table::MS).setRowCount(2);
    }
    ~Bench() override { sheet.setChangeHandler(nullptr); }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    void onTextChange(Field field) override {
        if (field == Field::TxtKwin) {
            results.colourFillFactor();
        }
    }
    void onClick(Check) override {}
};

// An edit of the sheet, followed by a request of the results unless quiet
// (a field without change handling, such as TxtJ written by a design file).
struct Step {
    std::function<void(sheet::DesignSheet&)> edit;
    bool requests = true;
};

Step quiet(Step step) {
    step.requests = false;
    return step;
}

void setOutputs(sheet::DesignSheet& sheet, const std::vector<QStringList>& rows) {
    sheet::Grid& grid = sheet.editGrid(Table::MS);
    grid.setRowCount(int(rows.size()) + 1);
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < 5; ++c) {
            grid.setCell(r + 1, c, rows[size_t(r)].value(c));
        }
    }
}

// Runs the steps on two sheets, requests of the results in full on one and
// held back on the other: both must end alike.
void expectSameEnd(const std::vector<Step>& steps) {
    Bench full;
    Bench held;
    held.results.holdBack();
    for (const Step& step : steps) {
        step.edit(full.sheet);
        step.edit(held.sheet);
        if (step.requests) {
            full.results.computeDesignResults();
            held.results.computeDesignResults();
        }
    }
    held.results.finishHoldingBack();
    for (int i = 0; i < sheet::kFieldCount; ++i) {
        const Field field = Field(i);
        EXPECT_EQ(held.sheet.text(field), full.sheet.text(field))
            << sheet::fieldName(field).toStdString();
    }
    EXPECT_EQ(held.sheet.color(Field::TxtKwin), full.sheet.color(Field::TxtKwin));
    EXPECT_EQ(held.sheet.grid(Table::MSwin).rows, full.sheet.grid(Table::MSwin).rows);
}

Step text(Field field, const char* value) {
    return {[field, value](sheet::DesignSheet& sheet) {
        sheet.setText(field, QString::fromUtf8(value));
    }};
}

Step check(Check option) {
    return {[option](sheet::DesignSheet& sheet) { sheet.setChecked(option, 1); }};
}

Step core(const char* ae, const char* le, const char* aw) {
    return {[=](sheet::DesignSheet& sheet) {
        sheet.setText(Field::TxtCoreAe, QString::fromUtf8(ae));
        sheet.setText(Field::TxtCoreLe, QString::fromUtf8(le));
        sheet.setText(Field::TxtCoreAw, QString::fromUtf8(aw));
        sheet.setText(Field::TxtBZC, QStringLiteral("30"));
    }};
}

Step outputs(std::vector<QStringList> rows) {
    return {[rows](sheet::DesignSheet& sheet) { setOutputs(sheet, rows); }};
}

const QStringList kTwelveVolts{"1", "12", "2", "0.7", "24"};
const QStringList kFiveVolts{"2", "5", "3", "0.5", "15"};

Step flybackPoint() {
    return {[](sheet::DesignSheet& sheet) {
        sheet.setChecked(Check::Option1, 1);
        sheet.setText(Field::txtudc, QStringLiteral("109.4"));
        sheet.setText(Field::Txtton, QStringLiteral("8.0"));
        sheet.setText(Field::txtis, QStringLiteral("0.60"));
        sheet.setText(Field::txtlp, QStringLiteral("0.583"));
        sheet.setText(Field::txtbm, QStringLiteral("200"));
        sheet.setText(Field::TxtJ, QStringLiteral("5"));
        sheet.setText(sheet::materialField(2), QStringLiteral("2000"));
        sheet.setText(Field::TxtCorePl, QStringLiteral("0.150"));
    }};
}

TEST(HeldBackResults, EndAsRunningEveryRequestInFull) {
    const std::vector<std::vector<Step>> cases = {
        // A field read by the windings changes after the last request: the
        // last request's value counts, not the value at the end.
        {flybackPoint(), outputs({kTwelveVolts}), core("20", "34.6", "40"),
         quiet(text(Field::TxtJ, "8")), quiet(outputs({kFiveVolts}))},
        // Outputs change between core changes.
        {flybackPoint(), core("20", "34.6", "40"), outputs({kTwelveVolts, kFiveVolts}),
         core("31", "44", "51"), outputs({kFiveVolts})},
        // The last request skips AL, Ue and the gap (Bm 0: no turns): the
        // texts of an earlier request stay.
        {flybackPoint(), outputs({kTwelveVolts}), core("20", "34.6", "40"),
         text(Field::txtbm, "0")},
        // No window area: the fill factor is only cleared, and coloured by
        // the standard of that request.
        {flybackPoint(), outputs({kTwelveVolts}), core("20", "34.6", "40"), check(Check::OptUL),
         core("20", "34.6", "")},
        // The fill factor is cleared by one request and stays empty in the
        // next: the colour of the clearing stays.
        {flybackPoint(), outputs({kTwelveVolts}), core("20", "34.6", "400"), check(Check::OptVDE),
         core("20", "34.6", "0"), text(Field::TxtJ, "6")},
        // A standard chosen after the last request: the fill factor keeps
        // the colour of the standard that request saw.
        {flybackPoint(), outputs({kTwelveVolts}), core("20", "34.6", "40"),
         quiet(check(Check::OptVDE))},
        // Forward: no gap; RCC: the gap again.
        {flybackPoint(), outputs({kTwelveVolts}), core("20", "34.6", "40"), check(Check::Option2),
         core("31", "44", "51"), check(Check::Option3)},
        // Odd texts in the table and the factors.
        {flybackPoint(), outputs({{"1", "abc", "", "0.7", ""}, {"2", "-12", "1", "x", "-12"}}),
         core("20", "34.6", "40"), text(Field::txtis, "")},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        expectSameEnd(cases[i]);
    }
}

TEST(HeldBackResults, RandomSequencesEndAlike) {
    QRandomGenerator random(20261206);
    const char* const values[] = {"", "0", "5", "8.5", "20", "-3", "150", "abc", "0.60", "2000"};
    const Field fields[] = {Field::txtudc,    Field::Txtton, Field::txtis,     Field::txtlp,
                            Field::txtbm,     Field::TxtJ,   Field::TxtCoreAe, Field::TxtCoreLe,
                            Field::TxtCoreAw, Field::TxtBZC, Field::TxtCorePl};
    const Check options[] = {Check::Option1, Check::Option2, Check::Option3, Check::OptIEC,
                             Check::OptVDE,  Check::OptUL,   Check::OptSelf};
    for (int session = 0; session < 200; ++session) {
        std::vector<Step> steps{flybackPoint(), outputs({kTwelveVolts, kFiveVolts})};
        const int count = 1 + int(random.bounded(8));
        for (int i = 0; i < count; ++i) {
            const bool requests = random.bounded(3) != 0;
            switch (random.bounded(4)) {
                case 0:
                    steps.push_back(check(options[random.bounded(7)]));
                    break;
                case 1:
                    steps.push_back(
                        outputs(random.bounded(2) == 0
                                    ? std::vector<QStringList>{kFiveVolts}
                                    : std::vector<QStringList>{kTwelveVolts, kFiveVolts}));
                    break;
                case 2:
                    steps.push_back(text(sheet::materialField(2), values[random.bounded(10)]));
                    break;
                default:
                    steps.push_back(text(fields[random.bounded(11)], values[random.bounded(10)]));
                    break;
            }
            steps.back().requests = requests;
        }
        SCOPED_TRACE(testing::Message() << "session " << session);
        expectSameEnd(steps);
        if (HasFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace kelvane::results
