#pragma once

#include <QStringList>

namespace kelvane::design {
class DesignSheet;
enum class Check;
}  // namespace kelvane::design

namespace kelvane::safety {

// The safety standards: name, hipot texts and creepage distance.
class SafetyPresets {
public:
    explicit SafetyPresets(design::DesignSheet& sheet) : m_sheet(sheet) {}

    // Click handling of OptIEC, OptUL, OptVDE or OptSelf.
    void applyPreset(design::Check option);
    // Change of TxtHipotPs: the creepage follows the primary-to-secondary
    // test voltage, whatever the chosen standard.
    void recalcCreepage();
    // The area-product margin K of the chosen standard (TxtHipot) and its
    // creepage (TxtMargin).
    [[nodiscard]] double marginFactor() const;

private:
    void writeCreepage(double testVolts);

    design::DesignSheet& m_sheet;
};

// The insulation classes and the allowed temperature rise.
class InsulationClass {
public:
    explicit InsulationClass(design::DesignSheet& sheet) : m_sheet(sheet) {}

    // The list of Combo1, "Class H" standing twice as in the window layout.
    [[nodiscard]] static QStringList classNames();
    // Change or pick of Combo1: the class temperature into Text13 on an
    // exact match, then the allowed rise in every case.
    void onClassChange();
    // TXTTEMPD <- Text13 − 10 − TXTTEMP20.
    void recalcAllowedRise();

private:
    design::DesignSheet& m_sheet;
};

}  // namespace kelvane::safety
