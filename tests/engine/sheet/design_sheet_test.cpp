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

TEST(DesignSheet, ControlsAreNamedAsScriptsNameThem) {
    QVector<Control> controls;
    for (int index = 0; index < kFieldCount; ++index) {
        controls.append(Field(index));
    }
    for (int index = 0; index < kCheckCount; ++index) {
        controls.append(Check(index));
    }
    for (int index = 0; index < kCommandCount; ++index) {
        controls.append(Command(index));
    }
    controls.append({Table::MS, Table::MSwin, RecordGrid::DBGrid1, RecordGrid::DBGrid2,
                     BrandLabel{5, 0}, BrandLabel{6, 12}});
    QStringList names;
    for (const Control& control : controls) {
        const QString name = controlName(control);
        EXPECT_EQ(controlByName(name), control) << name.toStdString();
        EXPECT_FALSE(names.contains(name)) << name.toStdString();
        names.append(name);
    }
    EXPECT_EQ(controlName(Check::OptVDE), u"OptVDE");
    EXPECT_EQ(controlName(Command::TOOL), u"TOOL");
    EXPECT_EQ(controlName(RecordGrid::DBGrid2), u"DBGrid2");
    EXPECT_EQ(controlName(BrandLabel{6, 12}), u"Label6(12)");
    // A name that would not spell the control back is none.
    for (const char* name : {"", "ms", "DBGrid3", "Label7(1)", "Label5(01)", "Label5()",
                             "Label5(1) ", "FrmWireTools.TxtFoilS", "command1"}) {
        EXPECT_FALSE(controlByName(QString::fromLatin1(name)).has_value()) << name;
    }
}

}  // namespace
}  // namespace kelvane::sheet
