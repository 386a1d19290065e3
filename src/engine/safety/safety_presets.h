#pragma once

#include <QStringList>

namespace kelvane::sheet {
class DesignSheet;
enum class Check;
}  // namespace kelvane::sheet

namespace kelvane::safety {

// The safety standards: name, hipot texts and creepage distance.
class SafetyPresets {
public:
    explicit SafetyPresets(sheet::DesignSheet& sheet) : m_sheet(sheet) {}

    // Click handling of OptIEC, OptUL, OptVDE or OptSelf.
    void applyPreset(sheet::Check option);
    // Change of TxtHipotPs: the creepage follows the primary-to-secondary
    // test voltage, whatever the chosen standard.
    void recalcCreepage();
    // The area-product margin K of the chosen standard (TxtHipot) and its
    // creepage (TxtMargin).
    [[nodiscard]] double marginFactor() const;

private:
    void writeCreepage(double testVolts);

    sheet::DesignSheet& m_sheet;
};

// The insulation classes and the allowed temperature rise.
class InsulationClass {
public:
    explicit InsulationClass(sheet::DesignSheet& sheet) : m_sheet(sheet) {}

    // The list of Combo1, "Class H" standing twice as in the window layout.
    [[nodiscard]] static QStringList classNames();
    // Change or pick of Combo1: the class temperature into Text13 on an
    // exact match, then the allowed rise in every case.
    void onClassChange();
    // TXTTEMPD <- Text13 − 10 − TXTTEMP20.
    void recalcAllowedRise();

private:
    sheet::DesignSheet& m_sheet;
};

}  // namespace kelvane::safety
