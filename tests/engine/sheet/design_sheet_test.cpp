#include "engine/sheet/design_sheet.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelvane::sheet {
namespace {

// Counts the change events the record raises.
class CountingHandler : public ChangeHandler {
public:
    void onTextChange(Field) override { ++changes; }
    void onClick(Check) override { ++clicks; }
    int changes = 0;
    int clicks = 0;
};

TEST(DesignSheet, ChangeEventOnlyWhenTheTextDiffers) {
    DesignSheet sheet;
    CountingHandler handler;
    sheet.setChangeHandler(&handler);
    sheet.setText(Field::txtlp, QStringLiteral("0"));
    sheet.setText(Field::txtlp, QStringLiteral("0.0"));
    EXPECT_EQ(handler.changes, 2);
    sheet.setText(Field::txtlp, QStringLiteral("0.0"));
    sheet.setFixed(Field::txtlp, 0.04, 1);
    EXPECT_EQ(handler.changes, 2);
    sheet.setFixed(Field::txtlp, std::numeric_limits<double>::quiet_NaN(), 1);
    EXPECT_EQ(sheet.text(Field::txtlp), u"0.0");
}

TEST(DesignSheet, OptionClickOnlyWhenNewlySelected) {
    DesignSheet sheet;
    CountingHandler handler;
    sheet.setChangeHandler(&handler);
    sheet.setChecked(Check::OptIEC, 1);
    sheet.setChecked(Check::Option2, 1);
    sheet.setChecked(Check::Option2, 1);
    EXPECT_EQ(handler.clicks, 2);
    sheet.setChecked(Check::Option1, 1);
    EXPECT_FALSE(sheet.isChecked(Check::Option2));
    EXPECT_TRUE(sheet.isChecked(Check::OptIEC));  // another group
    sheet.setChecked(Check::Option1, 0);
    EXPECT_EQ(handler.clicks, 3);
    sheet.setChecked(Check::Check1, 1);
    sheet.setChecked(Check::Check1, 1);
    EXPECT_EQ(handler.clicks, 4);
}

TEST(DesignSheet, EveryFieldIsFoundByItsExactName) {
    for (int index = 0; index < kFieldCount; ++index) {
        const Field field = Field(index);
        EXPECT_EQ(fieldByName(fieldName(field)), field) << fieldName(field).toStdString();
    }
    EXPECT_EQ(fieldName(materialField(14)), u"TxtApp(14)");
    EXPECT_FALSE(fieldByName(QStringLiteral("txtUmin")).has_value());
}

}  // namespace
}  // namespace kelvane::sheet
