#pragma once

#include "engine/report/design_report.h"

#include <QFont>
#include <QRectF>

class QPainter;

namespace kelvane::render {

// The height the electrical diagram of `windings` takes, in units of
// which `unitsPerMm` make a millimetre of paper.
[[nodiscard]] double diagramHeight(const QVector<report::DiagramWinding>& windings,
                                   double unitsPerMm);

// Draws the electrical diagram into `area`: the core as two bars, the
// primary side's windings left of it and the secondaries right, each a
// coil with its start dotted and leads to numbered pins (a middle pin
// where the winding has one), its name and turns beside it.
void drawWindingDiagram(QPainter& painter, const QRectF& area,
                        const QVector<report::DiagramWinding>& windings, const QFont& font,
                        double unitsPerMm);

// The height the cross-section of `window` takes across `width`.
[[nodiscard]] double windowSectionHeight(const report::WindowSection& window, double width,
                                         double unitsPerMm);

// Draws the window cut across, to one scale in both directions: the centre
// leg below, the outer leg above, each winding step as its layers of turns
// (a band where the turns would be too small to see) between its margin
// tapes, the tape over it, the steps named W1, W2, … at the side, the
// scale and the window's length and depth.
void drawWindowSection(QPainter& painter, const QRectF& area, const report::WindowSection& window,
                       const QFont& font, double unitsPerMm);

}  // namespace kelvane::render
