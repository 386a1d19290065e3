#include "render/waveform_painter.h"

#include "engine/base/number_text.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace kelvane::render {

namespace {

// The texts for a person, in the engineer's language.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(kelvane::render)
};

// A round axis step (1, 2 or 5 times a power of ten) giving about `ticks`
// divisions of `span`.
double niceStep(double span, int ticks) {
    const double raw = span / ticks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (raw <= factor * magnitude) {
            return factor * magnitude;
        }
    }
    return 10.0 * magnitude;
}

QString tickText(double value, double step) {
    const int decimals = step >= 1.0 ? 0 : int(std::ceil(-std::log10(step)));
    return formatFixed(value, decimals).value_or(QString());
}

}  // namespace

void drawWaveform(QPainter& painter, const QRectF& area, const report::Waveform& waveform,
                  const QFont& font, const WaveformOverlay* overlay) {
    painter.save();
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.height();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);

    if (waveform.isEmpty()) {
        painter.setPen(Qt::darkGray);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap,
                         Tr::tr("无电流波形：") + waveform.emptyReason);
        painter.restore();
        return;
    }

    const bool overlaid = overlay != nullptr && !overlay->points.isEmpty();
    double maxA = 0.0;
    double minA = 0.0;
    double endUs = 2 * waveform.tsUs;
    const auto widen = [&](const QVector<report::WaveformPoint>& points) {
        for (const report::WaveformPoint& point : points) {
            maxA = std::max(maxA, point.currentA);
            minA = std::min(minA, point.currentA);
            endUs = std::max(endUs, point.timeUs);
        }
    };
    widen(waveform.points);
    if (overlaid) {
        widen(overlay->points);
    }
    const double stepA = niceStep((maxA - minA) * 1.15, 4);
    const double topA = std::ceil(maxA * 1.15 / stepA) * stepA;
    const double bottomA = std::floor(minA * 1.15 / stepA) * stepA;
    const double stepUs = niceStep(endUs, 8);

    // Room for the tick texts on the left, the level texts on the right,
    // the time ticks and one line of annotations below.
    double levelWidth = 0.0;
    for (const report::WaveformLevel& level : waveform.levels) {
        levelWidth = std::max(
            levelWidth, metrics.horizontalAdvance(level.name + level.text + QStringLiteral("  A")));
    }
    levelWidth = std::min(levelWidth + line / 2, area.width() * 0.3);
    const double left = area.left() + metrics.horizontalAdvance(QStringLiteral("00.00")) + line;
    const double right = area.right() - levelWidth;
    const double top = area.top() + line * 1.5;
    const double bottom = area.bottom() - line * 3.6;
    if (right - left < 4 * line || bottom - top < 3 * line) {
        painter.restore();
        return;
    }
    const QRectF plot(QPointF(left, top), QPointF(right, bottom));
    const auto x = [&](double us) { return plot.left() + us / endUs * plot.width(); };
    const auto y = [&](double a) {
        return plot.bottom() - (a - bottomA) / (topA - bottomA) * plot.height();
    };

    // Grid and ticks.
    painter.setPen(QPen(QColor(220, 220, 220), 0));
    for (double a = bottomA; a <= topA + stepA / 2; a += stepA) {
        painter.drawLine(QPointF(plot.left(), y(a)), QPointF(plot.right(), y(a)));
    }
    painter.setPen(QPen(Qt::black, 0));
    for (double a = bottomA; a <= topA + stepA / 2; a += stepA) {
        painter.drawText(QRectF(area.left(), y(a) - line / 2, left - area.left() - line / 3, line),
                         Qt::AlignRight | Qt::AlignVCenter, tickText(a, stepA));
    }
    for (double us = 0.0; us <= endUs + stepUs / 2; us += stepUs) {
        painter.drawLine(QPointF(x(us), plot.bottom()), QPointF(x(us), plot.bottom() + line / 4));
        painter.drawText(QRectF(x(us) - 2 * line, plot.bottom() + line / 4, 4 * line, line),
                         Qt::AlignHCenter | Qt::AlignTop, tickText(us, stepUs));
    }
    painter.drawLine(QPointF(plot.left(), y(0.0)), QPointF(plot.right(), y(0.0)));
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawText(QRectF(area.left(), area.top(), left - area.left() + 2 * line, line),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("I (A)"));
    painter.drawText(QRectF(plot.left(), plot.bottom() + line * 1.3, plot.width(), line),
                     Qt::AlignRight | Qt::AlignTop, QStringLiteral("t (µs)"));

    // Ton and Ts marks on the time axis.
    painter.setPen(QPen(QColor(120, 120, 120), 0, Qt::DashLine));
    // Without off-time both marks fall on one line, named once.
    QVector<std::pair<double, QString>> marks{{waveform.tonUs, QStringLiteral("Ton")}};
    if (waveform.tonUs < waveform.tsUs) {
        marks.append({waveform.tsUs, QStringLiteral("Ts")});
    } else {
        marks.front().second = QStringLiteral("Ton=Ts");
    }
    for (const auto& [us, name] : marks) {
        painter.drawLine(QPointF(x(us), plot.top()), QPointF(x(us), plot.bottom()));
        painter.drawText(QRectF(x(us) - 2 * line, plot.top() - line * 1.3, 4 * line, line),
                         Qt::AlignCenter, name);
    }

    // Levels: dotted lines across the plot; their texts on the right, moved
    // apart where two levels lie close.
    QVector<report::WaveformLevel> levels = waveform.levels;
    std::sort(levels.begin(), levels.end(),
              [](const auto& a, const auto& b) { return a.currentA > b.currentA; });
    double nextTextY = plot.top() - line;
    for (const report::WaveformLevel& level : levels) {
        const bool average = level.name == u"Is";
        painter.setPen(QPen(average ? QColor(0, 140, 0) : QColor(160, 160, 160), 0,
                            average ? Qt::DashDotLine : Qt::DotLine));
        painter.drawLine(QPointF(plot.left(), y(level.currentA)),
                         QPointF(plot.right(), y(level.currentA)));
        const double textY = std::max(y(level.currentA) - line / 2, nextTextY);
        nextTextY = textY + line;
        painter.setPen(average ? QColor(0, 120, 0) : QColor(0, 0, 0));
        painter.drawText(QRectF(plot.right() + line / 3, textY, levelWidth, line),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         level.name + QStringLiteral(" ") + level.text + QStringLiteral(" A"));
    }

    // The current.
    QPainterPath path;
    path.moveTo(x(waveform.points.front().timeUs), y(waveform.points.front().currentA));
    for (const report::WaveformPoint& point : waveform.points) {
        path.lineTo(x(point.timeUs), y(point.currentA));
    }
    const QColor designed(0, 70, 200);
    const QColor simulated(225, 90, 0);
    painter.setPen(QPen(designed, std::max(1.0, line / 8)));
    painter.drawPath(path);
    const QRectF notes(plot.left(), area.bottom() - line * 1.1, area.right() - plot.left(), line);
    if (overlaid) {
        QPainterPath over;
        over.moveTo(x(overlay->points.front().timeUs), y(overlay->points.front().currentA));
        for (const report::WaveformPoint& point : overlay->points) {
            over.lineTo(x(point.timeUs), y(point.currentA));
        }
        painter.setPen(QPen(simulated, std::max(1.0, line / 10)));
        painter.drawPath(over);
        // The legend at the right end of the annotations' line.
        double right = notes.right();
        for (const auto& [colour, caption] :
             {std::pair{simulated, overlay->caption}, std::pair{designed, Tr::tr("设计")}}) {
            const double width = metrics.horizontalAdvance(caption);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(right - width, notes.top(), width, line),
                             Qt::AlignRight | Qt::AlignVCenter, caption);
            painter.setPen(QPen(colour, std::max(1.0, line / 8)));
            painter.drawLine(QPointF(right - width - line * 1.6, notes.center().y()),
                             QPointF(right - width - line * 0.3, notes.center().y()));
            right -= width + line * 2.6;
        }
    }

    // Annotations in one line under the time axis.
    painter.setPen(Qt::black);
    painter.drawText(notes, Qt::AlignLeft | Qt::AlignVCenter,
                     waveform.annotations.join(QStringLiteral("    ")));
    painter.restore();
}

}  // namespace kelvane::render
