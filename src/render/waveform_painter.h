#pragma once

#include "engine/report/waveform.h"

#include <QFont>
#include <QRectF>

class QPainter;

namespace kelvane::render {

// Draws the waveform into `area`: axes in µs and A, the two periods, the
// marked levels and the annotations; an empty waveform draws its reason.
// The window and the report page both draw with it.
void drawWaveform(QPainter& painter, const QRectF& area, const report::Waveform& waveform,
                  const QFont& font);

}  // namespace kelvane::render
