#include "engine/session/change_cascade.h"

namespace kelvane::session {

namespace {

using sheet::Command;
using sheet::Field;
using enum Step;

// A material field changed. The loss per gram follows the current
// material's density even when the loss density kept its text.
constexpr Steps kMaterialChange = {ProposeFluxDensity,       EstimateLoss,
                                   RecalcLossPerGram,        RecalcCoreDerived,
                                   SelectCoresByAreaProduct, CaptionAreaProduct};

// Each row once, placed at its field so that a lookup is an index.
constexpr std::array<CascadeRow, sheet::kFieldCount> byField(
    std::initializer_list<CascadeRow> rows) {
    std::array<CascadeRow, sheet::kFieldCount> table{};
    std::array<bool, sheet::kFieldCount> listed{};
    for (size_t i = 0; i < table.size(); ++i) {
        table[i].field = Field(i);
    }
    for (const CascadeRow& row : rows) {
        const size_t index = size_t(row.field);
        if (listed[index]) {
            throw "a field has two rows";  // stops the table from compiling
        }
        listed[index] = true;
        table[index] = row;
    }
    return table;
}

// clang-format off
constexpr std::array<CascadeRow, sheet::kFieldCount> kCascade = byField({
    // page 0: primary-side settings; Enter walks down the page to Command1
    {.field = Field::TxtUmin,
     .change = {DeriveInputVoltage},
     .next = Field::txtudc},
    {.field = Field::txtudc,
     .change = {RecalcPrimary, SelectCoresByAreaProduct, RecalcInputPower},
     .next = Field::TxtF},
    {.field = Field::TxtF,
     .change = {RecalcTiming, RecalcPrimary, SelectCoresByAreaProduct, RecalcInputPower},
     .next = Field::txtd},
    {.field = Field::txtd,
     .change = {RecalcTiming, RecalcPrimary, SelectCoresByAreaProduct, RecalcInputPower},
     .enter = {RecalcTiming},
     .next = Field::txtuoutput,
     .enterWhen = EnterWhen::FrequencyPositive},
    {.field = Field::Txtts,
     .change = {RecalcTiming}},
    // page 0: secondary outputs and the input power
    {.field = Field::txtuoutput,
     .change = {RecalcEntryPower},
     .enter = {RecalcEntryPower},
     .next = Field::TxtIoutput},
    {.field = Field::TxtIoutput,
     .change = {RecalcEntryPower},
     .enter = {RecalcEntryPower},
     .next = Field::TXTDIO},
    {.field = Field::TXTDIO,
     .change = {RecalcEntryPower},
     .enter = {RecalcEntryPower},
     .next = Command::Command1},
    {.field = Field::txtp,
     .change = {RecalcInputPower}},
    {.field = Field::TXTN,
     .change = {RecalcPrimary, SelectCoresByAreaProduct, RecalcInputPower}},
    {.field = Field::txtpint,
     .change = {ReformatInputPower, RecalcPrimary, SelectCoresByAreaProduct, CaptionAreaProduct},
     .enter = {RestoreInputPower}},
    {.field = Field::txtipkip1,
     .change = {RecalcPrimary}},
    // page 0: hipot and insulation
    {.field = Field::TXTTEMP20,
     .enter = {RecalcAllowedRise}},
    {.field = Field::TXTTEMPD,
     .enter = {RecalcAllowedRise}},
    {.field = Field::Combo1,
     .change = {ApplyInsulationClass}},
    {.field = Field::TxtHipotPs,
     .change = {RecalcCreepage}},
    // page 1: the material record; Enter walks on as far as the tolerance,
    // which leads to Save; the loss headings stay
    {.field = Field::TxtApp0,  .change = kMaterialChange, .next = Field::TxtApp1},
    {.field = Field::TxtApp1,  .change = kMaterialChange, .next = Field::TxtApp2},
    {.field = Field::TxtApp2,  .change = kMaterialChange, .next = Field::TxtApp3},
    {.field = Field::TxtApp3,  .change = kMaterialChange, .next = Field::TxtApp4},
    {.field = Field::TxtApp4,  .change = kMaterialChange, .next = Field::TxtApp5},
    {.field = Field::TxtApp5,  .change = kMaterialChange, .next = Field::TxtApp6},
    {.field = Field::TxtApp6,  .change = kMaterialChange, .next = Field::TxtApp7},
    {.field = Field::TxtApp7,  .change = kMaterialChange, .next = Field::TxtApp8},
    {.field = Field::TxtApp8,  .change = kMaterialChange, .next = Field::TxtApp9},
    {.field = Field::TxtApp9,  .change = kMaterialChange, .next = Field::TxtApp10},
    {.field = Field::TxtApp10, .change = kMaterialChange, .next = Field::TxtApp11},
    {.field = Field::TxtApp11, .change = kMaterialChange, .next = Field::TxtApp12},
    {.field = Field::TxtApp12, .change = kMaterialChange, .next = Field::TxtApp13},
    {.field = Field::TxtApp13, .change = kMaterialChange, .next = Field::TxtApp14},
    {.field = Field::TxtApp14, .change = kMaterialChange, .next = Field::TxtApp15},
    {.field = Field::TxtApp15, .change = kMaterialChange, .next = Field::TxtApp16},
    {.field = Field::TxtApp16, .change = kMaterialChange, .next = Field::TxtApp17},
    {.field = Field::TxtApp17, .change = kMaterialChange, .next = Field::TxtApp18},
    {.field = Field::TxtApp18, .change = kMaterialChange, .next = Field::TxtApp19},
    {.field = Field::TxtApp19, .change = kMaterialChange, .next = Field::TxtApp20},
    {.field = Field::TxtApp20, .change = kMaterialChange, .next = Field::TxtApp21},
    {.field = Field::TxtApp21, .change = kMaterialChange, .next = Field::TxtApp22},
    {.field = Field::TxtApp22, .change = kMaterialChange, .next = Command::Command5},
    {.field = Field::TxtApp23, .change = kMaterialChange},
    {.field = Field::TxtApp24, .change = kMaterialChange},
    {.field = Field::TxtApp25, .change = kMaterialChange},
    {.field = Field::Text1,
     .change = {SearchMaterials}},
    {.field = Field::txtbm,
     .change = {EstimateLoss, RecalcCoreDerived, CaptionAreaProduct},
     .enter = {EstimateLoss, RecalcCoreDerived},
     .anyKey = {CaptionAreaProduct}},
    {.field = Field::txtpl,
     .change = {RecalcLossPerGram}},
    {.field = Field::TXTPLG,
     .change = {RecalcCoreDerived}},
    // page 1: the core
    {.field = Field::TXTCOREPOWER,
     .change = {RecalcCoreDerived}},
    {.field = Field::cmbcore,
     .change = {ShowFamilyPicture}},
    {.field = Field::TXTCORE,
     .change = {SearchCores}},
    {.field = Field::TxtCoreSize,
     .change = {WriteCorePowerMessage, RecalcNewCoreDerived, ShowCoreName, ComputeResults}},
    {.field = Field::TxtCoreAe,
     .change = {RecalcCoreDerived, ComputeResults}},
    {.field = Field::TxtCoreAw,
     .change = {WriteCorePowerMessage, ComputeResults}},
    // page 2: design results
    {.field = Field::TxtKwin,
     .change = {ColourFillFactor}},
});
// clang-format on

}  // namespace

const CascadeRow& cascadeRow(Field field) {
    return kCascade[size_t(field)];
}

const Steps& recordMoveSteps(RecordSource source) {
    static constexpr Steps kMaterials = {RefillMaterialFields};  // Data1, in column order
    static constexpr Steps kCores = {RefillCoreFields};          // Data2, the name last
    return source == RecordSource::Materials ? kMaterials : kCores;
}

}  // namespace kelvane::session
