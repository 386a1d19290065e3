#pragma once

#include "engine/report/waveform.h"

#include <QFont>
#include <QRectF>

class QPainter;

namespace kelvane::render {

// A current drawn over the designed one, in µs from the start of the same
// two periods and A: the simulated primary current, with its caption.
struct WaveformOverlay {
    QVector<report::WaveformPoint> points;
    QString caption;
};

// Draws the waveform into `area`: axes in µs and A, the two periods, the
// marked levels and the annotations; an empty waveform draws its reason.
// With an overlay the axes hold both currents (below zero too, and past the
// designed periods when the overlay runs longer), the overlay is drawn over
// the designed current and a legend names the two. The window and the
// report page both draw with it.
void drawWaveform(QPainter& painter, const QRectF& area, const report::Waveform& waveform,
                  const QFont& font, const WaveformOverlay* overlay = nullptr);

}  // namespace kelvane::render
