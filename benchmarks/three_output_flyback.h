#pragma once

#include "engine/check/check_input.h"

namespace kelvane::benchmarks {

// A three-output flyback of about 50 W at 65 kHz with its core, material
// and wires: the design the check and the export are timed on.
inline check::CheckInput threeOutputFlyback() {
    check::CheckInput in;
    in.circuit = check::Circuit::Flyback;
    in.vinV = 100;
    in.acMinV = 85;
    in.frequencyKHz = 65;
    in.designDuty = 0.45;
    in.efficiency = 0.8;
    in.inductanceMh = 0.9;
    in.outputs = {{12, 2, 0.5}, {5, 1, 0.5}, {24, 0.5, 1}};
    in.windings = {{40, 0.4, 0.12}, {8, 1.0, 0.01}, {4, 0.6, 0.008}, {17, 0.3, 0.15}};
    in.coreName = QStringLiteral("EE30/15/10");
    in.coreShape = check::CoreShape::E;
    in.dimsMm = {30, 15, 10, 10, 20, 8};
    in.aeMm2 = 100;
    in.leMm = 60;
    in.awMm2 = 120;
    in.veMm3 = 6000;
    in.materialChosen = true;
    in.saturationMt = 480;
    in.permeability = 2300;
    in.loss.mwPerCm3[0] = {179, 92, 74, 98};
    in.loss.mwPerCm3[1] = {887, 477, 408, 535};
    in.marginMm = 2;
    in.ambientC = 25;
    in.allowedRiseC = 45;
    in.gapMm = 0.3;
    return in;
}

}  // namespace kelvane::benchmarks
