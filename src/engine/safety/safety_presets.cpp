#include "engine/safety/safety_presets.h"

#include "engine/base/number_text.h"
#include "engine/safety/safety_formulas.h"
#include "engine/sheet/design_sheet.h"

namespace kelvane::safety {

using sheet::Check;
using sheet::Field;

namespace {

struct Preset {
    Check option;
    const char16_t* name;
    const char16_t* primarySecondary;
    const char16_t* primaryCore;
    const char16_t* primaryPrimary;
    const char16_t* secondaryCore;
    const char16_t* secondarySecondary;
    // The creepage of IEC, UL and VDE comes from a fixed voltage; "Self"
    // takes the voltage of its primary-to-secondary text.
    double creepageVolts;
};

constexpr Preset kPresets[] = {
    {Check::OptIEC, u"IEC", u"3000Vac,50/60Hz,0.7mA,60S", u"2500Vac,50/60Hz,0.7mA,60S",
     u"1250Vac,50/60Hz,0.7mA,60S", u"500Vac,50/60Hz,0.7mA,60S", u"500Vac,50/60Hz,0.7mA,60S",
     3000.0},
    {Check::OptUL, u"UL", u"1000Vac,50/60Hz,0.7mA,60S", u"1000Vac,50/60Hz,0.7mA,60S",
     u"1000Vac,50/60Hz,0.7mA,60S", u"1000Vac,50/60Hz,0.7mA,60S", u"1000Vac,50/60Hz,0.7mA,60S",
     1000.0},
    {Check::OptVDE, u"VDE", u"3750Vac,50/60Hz,0.7mA,60S", u"2500Vac,50/60Hz,0.7mA,60S",
     u"1250Vac,50/60Hz,0.7mA,60S", u"500Vac,50/60Hz,0.7mA,60S", u"500Vac,50/60Hz,0.7mA,60S",
     3750.0},
    {Check::OptSelf, u"Self", u"1500Vac,50/60Hz,0.7mA,60S", u"1500Vac,50/60Hz,0.7mA,60S",
     u"1500Vac,50/60Hz,0.7mA,60S", u"500Vac,50/60Hz,0.7mA,60S", u"500Vac,50/60Hz,0.7mA,60S", -1.0},
};

struct ClassTemperature {
    const char16_t* name;
    int tempC;
};

constexpr ClassTemperature kClassTemperatures[] = {
    {u"Class Y", 90},  {u"Class A", 105}, {u"Class E", 120}, {u"Class B", 130},
    {u"Class F", 155}, {u"Class H", 180}, {u"Class C", 200},
};

}  // namespace

void SafetyPresets::applyPreset(Check option) {
    const Preset* preset = nullptr;
    for (const Preset& candidate : kPresets) {
        if (candidate.option == option) {
            preset = &candidate;
        }
    }
    if (preset == nullptr) {
        return;
    }
    const Field emptied[] = {Field::TxtHipotPs, Field::TxtHipotPc, Field::TxtHipotPP,
                             Field::TxtHipotSc, Field::TxtHipotSS, Field::TxtHipot,
                             Field::TxtMargin};
    for (Field field : emptied) {
        m_sheet.setText(field, QString());
    }
    m_sheet.setText(Field::TxtHipotPs, QString::fromUtf16(preset->primarySecondary));
    m_sheet.setText(Field::TxtHipotPc, QString::fromUtf16(preset->primaryCore));
    m_sheet.setText(Field::TxtHipotPP, QString::fromUtf16(preset->primaryPrimary));
    m_sheet.setText(Field::TxtHipotSc, QString::fromUtf16(preset->secondaryCore));
    m_sheet.setText(Field::TxtHipotSS, QString::fromUtf16(preset->secondarySecondary));
    m_sheet.setText(Field::TxtHipot, QString::fromUtf16(preset->name));
    writeCreepage(preset->creepageVolts >= 0.0 ? preset->creepageVolts
                                               : m_sheet.number(Field::TxtHipotPs));
}

void SafetyPresets::recalcCreepage() {
    writeCreepage(m_sheet.number(Field::TxtHipotPs));
}

double SafetyPresets::marginFactor() const {
    return safety::marginFactor(m_sheet.text(Field::TxtHipot), m_sheet.number(Field::TxtMargin));
}

void SafetyPresets::writeCreepage(double testVolts) {
    if (const std::optional<QString> mm = formatFixed(creepageMm(testVolts), 1)) {
        m_sheet.setText(Field::TxtMargin, *mm + QStringLiteral("mm"));
    }
}

QStringList InsulationClass::classNames() {
    return {QStringLiteral("Class Y"), QStringLiteral("Class A"), QStringLiteral("Class B"),
            QStringLiteral("Class C"), QStringLiteral("Class E"), QStringLiteral("Class F"),
            QStringLiteral("Class H"), QStringLiteral("Class H")};
}

void InsulationClass::onClassChange() {
    const QString& name = m_sheet.text(Field::Combo1);
    for (const ClassTemperature& entry : kClassTemperatures) {
        if (name == QStringView(entry.name)) {
            m_sheet.setText(Field::Text13, QString::number(entry.tempC) + QStringLiteral("℃"));
        }
    }
    recalcAllowedRise();
}

void InsulationClass::recalcAllowedRise() {
    // 10 ℃ of margin below the class limit.
    m_sheet.setPlain(Field::TXTTEMPD,
                     m_sheet.number(Field::Text13) - 10.0 - m_sheet.number(Field::TXTTEMP20));
}

}  // namespace kelvane::safety
