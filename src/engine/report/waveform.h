#pragma once

#include "engine/sheet/design_sheet.h"

#include <QString>
#include <QVector>

#include <optional>

namespace kelvane::report {

using CircuitType = sheet::Circuit;

// The texts of the waveform fields as the window shows them.
struct WaveformTexts {
    std::optional<CircuitType> circuit;  // none chosen
    QString tsUs;
    QString tonUs;
    QString isA;
    QString ip1A;
    QString ipkA;
    QString diA;
};

struct WaveformPoint {
    double timeUs = 0.0;
    double currentA = 0.0;

    friend bool operator==(const WaveformPoint&, const WaveformPoint&) = default;
};

// A current level marked on the drawing, with its name and value text.
struct WaveformLevel {
    QString name;
    QString text;
    double currentA = 0.0;

    friend bool operator==(const WaveformLevel&, const WaveformLevel&) = default;
};

// Two switching periods of the primary current, in µs and A, or the reason
// why there is nothing to draw (then `points` is empty).
struct Waveform {
    QString emptyReason;
    QVector<WaveformPoint> points;
    // Marked current levels: where the ramp starts, its peak and the
    // average input current.
    QVector<WaveformLevel> levels;
    // "Δi 0.75 A", "Ton 8.0 µs", ... in the order they are annotated.
    QStringList annotations;
    double tsUs = 0.0;
    double tonUs = 0.0;

    [[nodiscard]] bool isEmpty() const { return points.isEmpty(); }
};

// primaryWaveform() — the primary current over two periods.
// Flyback: at turn-on the current steps from 0 to Ip1, ramps to Ipk at Ton
// and drops to 0 until Ts. RCC runs in critical conduction (the design sets
// Δi equal to Ipk), so its ramp starts from Ipk − Δi, that is from 0.
// Forward: the design holds only Δi and Is; the mean on-current is then
// Is × Ts / Ton (so that the period average is Is) and the ramp spans Δi
// around it. Every figure drawn must be present and positive, and Ton must
// not exceed Ts; otherwise the result is empty with a short reason.
[[nodiscard]] Waveform primaryWaveform(const WaveformTexts& texts);

// The circuit type and waveform texts the design sheet holds.
[[nodiscard]] WaveformTexts waveformTexts(const sheet::DesignSheet& sheet);

}  // namespace kelvane::report
