#pragma once

#include "engine/check/check_formulas.h"
#include "engine/sheet/design_sheet.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kelvane::check {

// The circuit the design is for: Option1, Option2, Option3.
using sheet::Circuit;

// One output row of MS.
struct CheckOutput {
    double uoV = 0.0;
    double ioA = 0.0;
    double udV = 0.0;  // the rectifier's drop
    int row = 0;       // its row of MS and of MSwin
};

// One row of MSwin: the primary (row 0) or the winding of an output. A cell
// that is empty has no value.
struct CheckWinding {
    std::optional<double> turns;
    std::optional<double> diameterMm;
    std::optional<double> resistanceOhm;
};

// What the design check reads of the design, as numbers. A design field is
// read by its leading number (an empty one reads 0, which the check takes
// as missing where 0 has no meaning); a catalogue field that is empty has
// no value.
struct CheckInput {
    std::optional<Circuit> circuit;
    bool halfBridge = false;  // Check1: the bus is halved (half bridge)

    double vinV = 0.0;          // txtudc, the lowest DC input
    double acMinV = 0.0;        // TxtUmin
    double frequencyKHz = 0.0;  // TxtF
    double designDuty = 0.0;    // txtd
    double efficiency = 0.0;    // TXTN
    double inductanceMh = 0.0;  // txtlp

    std::vector<CheckOutput> outputs;    // MS rows 1…n
    std::vector<CheckWinding> windings;  // MSwin: row 0 the primary, row r output r

    // The core: TxtCoreSize, its family by catalogue::coreFamily(); whether
    // the catalogue row it came from is an estimate (Ae, Le, Ve ±10 %).
    QString coreName;
    std::optional<CoreShape> coreShape;
    CoreDimensions dimsMm;  // TxtcoreA … TxtCoreF
    std::optional<double> aeMm2, leMm, awMm2, veMm3;
    bool coreEstimate = false;

    // The material record.
    bool materialChosen = false;
    std::optional<double> saturationMt;  // Bs
    std::optional<double> permeability;  // Ui
    LossPoints loss;

    std::optional<double> marginMm;      // TxtMargin, creepage
    std::optional<double> ambientC;      // TXTTEMP20
    std::optional<double> allowedRiseC;  // TXTTEMPD
    std::optional<double> gapMm;         // TxtGap

    // The classic method's texts shown beside the check's values.
    QString classicDuty;        // txtd
    QString classicCoreLoss;    // TxtCorePl, W
    QString classicCopperLoss;  // TxtWinLost, W
    QString classicTempRise;    // TxtTempUp

    // The check's own inputs.
    double acMaxV = 265.0;
    double switchRatingV = 650.0;
    std::optional<double> bulkUf;  // no value: by the input power
    double lineHz = 50.0;
};

// The check's own inputs as the engineer typed them on its page; an empty
// text (blanks only) takes the default.
struct CheckSettings {
    QString acMaxV;
    QString switchRatingV;
    QString bulkUf;
    QString lineHz;
};

// Each input's caption on the check's page and what an empty one means, in
// the order of CheckSettings (the numbers are CheckInput's defaults); UTF-8,
// shown through humanText().
struct CheckSettingText {
    const char* caption;
    const char* byDefault;
};
inline constexpr CheckSettingText kCheckSettingTexts[] = {
    {QT_TRANSLATE_NOOP("kelvane::messages", "最高交流输入电压(V)"), "265"},
    {QT_TRANSLATE_NOOP("kelvane::messages", "开关管额定电压(V)"), "650"},
    {QT_TRANSLATE_NOOP("kelvane::messages", "输入电容(µF)"),
     QT_TRANSLATE_NOOP("kelvane::messages", "按输入功率")},
    {QT_TRANSLATE_NOOP("kelvane::messages", "电网频率(Hz)"), "50"},
};

// fromSheet() — the check's input from the design as it stands, each field
// by the design's number rule; nothing of the design changes.
[[nodiscard]] CheckInput fromSheet(const sheet::DesignSheet& sheet,
                                   const CheckSettings& settings = {});

// fieldNumber() — a field's text as the check reads it: its leading
// number, or no value for a text of blanks only.
[[nodiscard]] std::optional<double> fieldNumber(const QString& text);

// coreVolumeMm3() — the volume the check takes for a core: Le × Ae itself
// (TxtCoreVe shows it to one decimal of a cm³, which loses a small core's
// volume), else TxtCoreVe's text.
[[nodiscard]] std::optional<double> coreVolumeMm3(std::optional<double> aeMm2,
                                                  std::optional<double> leMm,
                                                  const QString& volumeCm3Text);

// readMaterial() — the material fields of `input` from the texts of a
// material record, TxtApp(0…25) in column order.
void readMaterial(CheckInput& input, const std::array<QString, sheet::kMaterialFieldCount>& texts);

// coreShapeOfName() — the drawing of a core by the family its name begins
// with; no value for a family without one.
[[nodiscard]] std::optional<CoreShape> coreShapeOfName(const QString& coreName);

}  // namespace kelvane::check
