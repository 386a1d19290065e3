#include "engine/check/check_input.h"

#include "engine/base/number_text.h"
#include "engine/catalogue/core_family.h"
#include "engine/sheet/design_sheet.h"

namespace kelvane::check {

using sheet::Check;
using sheet::Field;
using sheet::MaterialColumn;
using sheet::Table;

namespace {

std::optional<double> optionalField(const sheet::DesignSheet& sheet, Field field) {
    return fieldNumber(sheet.text(field));
}

double settingOr(const QString& text, double fallback) {
    return fieldNumber(text).value_or(fallback);
}

// The loss columns by [frequency][temperature], in the order of LossPoints.
constexpr MaterialColumn kLossColumns[3][4] = {
    {MaterialColumn::Loss25kHz25C, MaterialColumn::Loss25kHz60C, MaterialColumn::Loss25kHz100C,
     MaterialColumn::Loss25kHz120C},
    {MaterialColumn::Loss100kHz25C, MaterialColumn::Loss100kHz60C, MaterialColumn::Loss100kHz100C,
     MaterialColumn::Loss100kHz120C},
    {MaterialColumn::Loss500kHz25C, MaterialColumn::Loss500kHz60C, MaterialColumn::Loss500kHz100C,
     MaterialColumn::Loss500kHz120C},
};

}  // namespace

std::optional<double> fieldNumber(const QString& text) {
    if (trimBlanks(text).isEmpty()) {
        return std::nullopt;
    }
    return parseNumber(text);
}

std::optional<double> coreVolumeMm3(std::optional<double> aeMm2, std::optional<double> leMm,
                                    const QString& volumeCm3Text) {
    if (aeMm2 && leMm && *aeMm2 > 0.0 && *leMm > 0.0) {
        return *aeMm2 * *leMm;
    }
    if (const std::optional<double> veCm3 = fieldNumber(volumeCm3Text)) {
        return *veCm3 * 1000.0;
    }
    return std::nullopt;
}

std::optional<CoreShape> coreShapeOfName(const QString& coreName) {
    const QString family = catalogue::coreFamily(coreName);
    return coreShapeOf(std::u16string_view(reinterpret_cast<const char16_t*>(family.utf16()),
                                           size_t(family.size())));
}

void readMaterial(CheckInput& in, const std::array<QString, sheet::kMaterialFieldCount>& texts) {
    const auto number = [&texts](MaterialColumn column) {
        return fieldNumber(texts[size_t(column)]);
    };
    in.materialChosen = !trimBlanks(texts[size_t(MaterialColumn::Type)]).isEmpty();
    in.saturationMt = number(MaterialColumn::FluxDensity);
    in.permeability = number(MaterialColumn::InitialPermeability);
    for (int f = 0; f < 3; ++f) {
        for (int t = 0; t < 4; ++t) {
            in.loss.mwPerCm3[f][t] = number(kLossColumns[f][t]);
        }
    }
}

CheckInput fromSheet(const sheet::DesignSheet& sheet, const CheckSettings& settings) {
    CheckInput in;
    in.circuit = sheet::chosenCircuit(sheet);
    in.halfBridge = sheet.isChecked(Check::Check1);
    in.vinV = sheet.number(Field::txtudc);
    in.acMinV = sheet.number(Field::TxtUmin);
    in.frequencyKHz = sheet.number(Field::TxtF);
    in.designDuty = sheet.number(Field::txtd);
    in.efficiency = sheet.number(Field::TXTN);
    in.inductanceMh = sheet.number(Field::txtlp);

    const sheet::Grid& ms = sheet.grid(Table::MS);
    const sheet::Grid& msWin = sheet.grid(Table::MSwin);
    const auto winding = [&msWin](int row) {
        return CheckWinding{fieldNumber(msWin.cell(row, sheet::kWindingTurns)),
                            fieldNumber(msWin.cell(row, sheet::kWindingDiameter)),
                            fieldNumber(msWin.cell(row, sheet::kWindingResistance))};
    };
    in.windings.push_back(winding(0));
    for (int row = 1; row < ms.rowCount(); ++row) {
        const QString volts = ms.cell(row, sheet::kOutputVolts);
        const QString amps = ms.cell(row, sheet::kOutputAmps);
        // The empty row a new design shows is no output.
        if (trimBlanks(volts).isEmpty() && trimBlanks(amps).isEmpty()) {
            continue;
        }
        in.outputs.push_back({parseNumber(volts), parseNumber(amps),
                              parseNumber(ms.cell(row, sheet::kOutputDropVolts)), row});
        in.windings.push_back(winding(row));
    }

    in.coreName = trimBlanks(sheet.text(Field::TxtCoreSize));
    in.coreShape = coreShapeOfName(in.coreName);
    in.dimsMm = {optionalField(sheet, Field::TxtcoreA), optionalField(sheet, Field::TxtcoreB),
                 optionalField(sheet, Field::TxtCoreC), optionalField(sheet, Field::TxtCoreD),
                 optionalField(sheet, Field::TxtCoreE), optionalField(sheet, Field::TxtCoreF)};
    in.aeMm2 = optionalField(sheet, Field::TxtCoreAe);
    in.leMm = optionalField(sheet, Field::TxtCoreLe);
    in.awMm2 = optionalField(sheet, Field::TxtCoreAw);
    in.veMm3 = coreVolumeMm3(in.aeMm2, in.leMm, sheet.text(Field::TxtCoreVe));

    std::array<QString, sheet::kMaterialFieldCount> material;
    for (int index = 0; index < sheet::kMaterialFieldCount; ++index) {
        material[size_t(index)] = sheet.text(sheet::materialField(index));
    }
    readMaterial(in, material);

    in.marginMm = optionalField(sheet, Field::TxtMargin);
    in.ambientC = optionalField(sheet, Field::TXTTEMP20);
    in.allowedRiseC = optionalField(sheet, Field::TXTTEMPD);
    in.gapMm = optionalField(sheet, Field::TxtGap);

    in.classicDuty = sheet.text(Field::txtd);
    in.classicCoreLoss = sheet.text(Field::TxtCorePl);
    in.classicCopperLoss = sheet.text(Field::TxtWinLost);
    in.classicTempRise = sheet.text(Field::TxtTempUp);

    in.acMaxV = settingOr(settings.acMaxV, in.acMaxV);
    in.switchRatingV = settingOr(settings.switchRatingV, in.switchRatingV);
    in.bulkUf = fieldNumber(settings.bulkUf);
    in.lineHz = settingOr(settings.lineHz, in.lineHz);
    return in;
}

}  // namespace kelvane::check
