#pragma once

#include "engine/sheet/design_sheet.h"

#include <array>
#include <initializer_list>
#include <variant>

namespace kelvane::session {

// One step of the change cascade: one procedure of one subsystem, which the
// session's dispatcher (DesignSession::run) calls. A step writes fields; each
// written field whose text differs runs its own change steps at once, nested.
enum class Step {
    // design: the primary side and the outputs
    RecalcTiming,
    RecalcPrimary,
    RecalcInputPower,
    DeriveInputVoltage,
    ReformatInputPower,
    RestoreInputPower,
    RecalcEntryPower,
    // safety
    RecalcCreepage,
    ApplyInsulationClass,
    RecalcAllowedRise,
    // catalogue: the core selection, with the safety standard's margin K
    SelectCoresByAreaProduct,
    CaptionAreaProduct,
    RecalcCoreDerived,
    RecalcNewCoreDerived,
    WriteCorePowerMessage,
    ShowCoreName,
    ShowFamilyPicture,
    SearchCores,
    SearchMaterials,
    ProposeFluxDensity,
    EstimateLoss,
    RecalcLossPerGram,
    RefillMaterialFields,
    RefillCoreFields,
    // results
    ComputeResults,
    ColourFillFactor,
};

// A short list of steps, run in order. A list longer than the capacity does
// not compile where the table is built.
class Steps {
public:
    static constexpr int kCapacity = 6;

    constexpr Steps() = default;
    constexpr Steps(std::initializer_list<Step> steps) {
        for (const Step step : steps) {
            m_steps[size_t(m_count++)] = step;
        }
    }

    [[nodiscard]] constexpr bool empty() const { return m_count == 0; }
    [[nodiscard]] constexpr const Step* begin() const { return m_steps.data(); }
    [[nodiscard]] constexpr const Step* end() const { return m_steps.data() + m_count; }

private:
    std::array<Step, kCapacity> m_steps{};
    int m_count = 0;
};

// When Enter in a field does anything at all.
enum class EnterWhen { Always, FrequencyPositive };

// Where Enter moves the focus: nowhere, to a field or to a button.
using NextFocus = std::variant<std::monostate, sheet::Field, sheet::Command>;

// What the design window does for one field. A key goes down in it: with
// Enter (and `enterWhen` holding), the Enter steps run and the focus moves
// to `next`; then, for any key, the key steps run.
struct CascadeRow {
    sheet::Field field{};
    // Its text changed: typed, picked, read from a file or written by a step.
    Steps change{};
    Steps enter{};
    NextFocus next{};
    EnterWhen enterWhen = EnterWhen::Always;
    Steps anyKey{};
};

// The row of `field`; a field without behaviour has an empty row.
[[nodiscard]] const CascadeRow& cascadeRow(sheet::Field field);

// The catalogue's two record sources, whose current record the fields show.
enum class RecordSource { Materials, Cores };

// What follows when the current record of `source` moves (a search, a
// click in its grid, a saved or deleted record): its fields are refilled,
// and each refilled field runs its own row.
[[nodiscard]] const Steps& recordMoveSteps(RecordSource source);

}  // namespace kelvane::session
