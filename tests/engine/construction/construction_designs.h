#pragma once

#include "engine/check/check_input.h"
#include "engine/sheet/design_sheet.h"

#include <vector>

namespace kelvane::construction::testing {

// A worked design on an E core whose window is 16 mm long (2 × D 8) and
// 6 mm deep ((E 18 − F 6) ÷ 2); IEC's 6.4 mm of creepage leaves 9.6 mm
// between margins of 3.2 mm. At 20 kHz twice the skin depth is 1.08 mm: no
// wire here needs strands. 0.3 mm wire lies 0.33 mm a turn, 29 to a layer;
// 0.8 mm 0.88 mm, 10 to a layer; 0.2 mm 0.22 mm, 43 to a layer. Lp 0.4 mH;
// output r of 12 ÷ r V at 1 A; winding r of 0.1 × (r + 1) Ω.
inline check::CheckInput workedDesign(sheet::Circuit circuit, std::vector<double> turns,
                                      std::vector<double> diameters) {
    check::CheckInput in;
    in.circuit = circuit;
    in.vinV = 100;
    in.frequencyKHz = 20;
    in.efficiency = 0.8;
    in.inductanceMh = 0.4;
    in.coreName = QStringLiteral("EE25");
    in.coreShape = check::CoreShape::E;
    in.dimsMm = {25, 12, 7, 8, 18, 6};
    in.marginMm = 6.4;
    for (size_t i = 0; i < turns.size(); ++i) {
        if (i > 0) {
            in.outputs.push_back({12.0 / double(i), 1.0, 0.5, int(i)});
        }
        in.windings.push_back({turns[i], diameters[i], 0.1 * double(i + 1)});
    }
    return in;
}

// What the sheet reads of the design sheet: the IEC texts, a turn of
// 30 mm, the gap the results gave.
inline void fillWorkedSheet(sheet::DesignSheet& sheet) {
    using sheet::Field;
    sheet.setText(Field::TxtHipotPs, QStringLiteral("3000Vac,50/60Hz,0.7mA,60S"));
    sheet.setText(Field::TxtHipotPP, QStringLiteral("1250Vac,50/60Hz,0.7mA,60S"));
    sheet.setText(Field::TxtHipotPc, QStringLiteral("2500Vac,50/60Hz,0.7mA,60S"));
    sheet.setText(Field::TxtHipotSc, QStringLiteral("500Vac,50/60Hz,0.7mA,60S"));
    sheet.setText(Field::TxtHipotSS, QStringLiteral("500Vac,50/60Hz,0.7mA,60S"));
    sheet.setText(Field::TxtBZC, QStringLiteral("30"));
    sheet.setText(Field::TxtGap, QStringLiteral("0.35mm"));
}

}  // namespace kelvane::construction::testing
