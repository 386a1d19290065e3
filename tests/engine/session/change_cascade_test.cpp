#include "engine/session/change_cascade.h"

#include "design_fixture.h"

namespace kelvane::session {
namespace {

using sheet::Field;

// Enter never leaves the engineer in a field that only shows a result.
TEST(ChangeCascade, EnterLeadsOnlyToControlsTheEngineerUses) {
    for (int index = 0; index < sheet::kFieldCount; ++index) {
        const CascadeRow& row = cascadeRow(Field(index));
        EXPECT_EQ(row.field, Field(index));
        if (const Field* next = std::get_if<Field>(&row.next)) {
            EXPECT_NE(sheet::editKind(*next), sheet::EditKind::Shown)
                << sheet::fieldName(row.field).toStdString();
        }
    }
}

using ChangeCascadeTest = DesignFixture;

// txtpint's row: shown with one decimal, and the area product it leads to
// both listed in Text2 and captioned on Data2.
TEST_F(ChangeCascadeTest, TypedInputPowerReachesTheCoreList) {
    const QString before = window.sheet().caption(QStringLiteral("Data2"));
    type("txtpint", "70");
    EXPECT_EQ(text("txtpint"), u"70.0");
    EXPECT_NE(window.sheet().caption(QStringLiteral("Data2")), before);
    EXPECT_EQ(window.sheet().caption(QStringLiteral("Data2")), text("Text2"));
}

// Enter in txtd recomputes the timing and moves on only with a frequency.
TEST_F(ChangeCascadeTest, EnterInDutyCycleNeedsAFrequency) {
    type("TxtF", "0");
    enter("txtd");
    EXPECT_EQ(window.sheet().focus(), u"txtd");
    type("TxtF", "56");
    type("txtd", "0.4");
    enter("txtd");
    EXPECT_EQ(window.sheet().focus(), u"txtuoutput");
    EXPECT_EQ(text("Txtton"), u"7.2");  // Ton from the period as shown, 17.9
}

}  // namespace
}  // namespace kelvane::session
