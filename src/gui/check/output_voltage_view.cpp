#include "gui/check/output_voltage_view.h"

#include "engine/check/check_text.h"
#include "gui/check/check_page.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace kelvane::gui {

namespace {

// The scale reaches past the warning band, and far enough to show a value
// that lies beyond it.
constexpr double kLeastSpanShare = 0.15;
constexpr double kMostSpanShare = 0.5;

QString volts(double value) {
    return check::significantText(value) + QStringLiteral(" V");
}

// A band's colour: the verdict's, pale.
QColor bandColor(check::Verdict verdict) {
    return verdictColor(verdict).lighter(175);
}

}  // namespace

OutputVoltageView::OutputVoltageView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SimulatedOutputs"));
    setMinimumWidth(260);
}

void OutputVoltageView::setOutputs(std::vector<spice::OutputComparison> outputs) {
    m_outputs = std::move(outputs);
    updateGeometry();
    update();
}

QSize OutputVoltageView::sizeHint() const {
    return {360, int(fontMetrics().height() * (1.5 + 4.0 * double(m_outputs.size())))};
}

void OutputVoltageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font());
    const double line = metrics.height();
    painter.drawText(QRectF(6, 2, width() - 12, line), Qt::AlignLeft | Qt::AlignVCenter,
                     tr("输出电压：仿真（上）与校核（下），色带为校核的合格与警告范围"));
    const double left = 6 + metrics.horizontalAdvance(tr("输出00  "));
    const double right = width() - 6 - metrics.horizontalAdvance(tr(" 目标 000 V"));
    if (right - left < 4 * line) {
        return;
    }
    double top = 2 + line * 1.5;
    for (const spice::OutputComparison& output : m_outputs) {
        const double target = output.targetV;
        double share = kLeastSpanShare;
        for (const std::optional<double>& value : {output.simulatedV, output.checkedV}) {
            if (value && target != 0.0) {
                share = std::max(share, std::fabs(*value - target) / std::fabs(target) * 1.1);
            }
        }
        share = std::min(share, kMostSpanShare);
        const double low = target - std::fabs(target) * share;
        const double high = target + std::fabs(target) * share;
        const auto x = [&](double v) {
            return left + (std::clamp(v, low, high) - low) / (high - low) * (right - left);
        };
        const auto bandAround = [&](double share) {
            return QRectF(QPointF(x(target - std::fabs(target) * share), top + line * 1.2),
                          QPointF(x(target + std::fabs(target) * share), top + line * 2.0));
        };
        const QRectF scale(QPointF(left, top + line * 1.2), QPointF(right, top + line * 2.0));
        painter.fillRect(scale, bandColor(check::Verdict::Fail));
        painter.fillRect(bandAround(check::kOutputWarnShare), bandColor(check::Verdict::Warn));
        painter.fillRect(bandAround(check::kOutputOkShare), bandColor(check::Verdict::Ok));
        painter.setPen(QPen(Qt::black, 0));
        painter.drawText(QRectF(6, scale.top(), left - 6, scale.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, output.caption);
        painter.drawText(QRectF(right + 4, scale.top(), width() - right, scale.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, tr("目标 ") + volts(target));
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(QPointF(x(target), scale.top() - 2),
                         QPointF(x(target), scale.bottom() + 2));
        // The simulated voltage above the scale, the check's below.
        if (output.simulatedV) {
            const double at = x(*output.simulatedV);
            QPainterPath mark;
            mark.moveTo(at, scale.top());
            mark.lineTo(at - line * 0.35, scale.top() - line * 0.45);
            mark.lineTo(at + line * 0.35, scale.top() - line * 0.45);
            mark.closeSubpath();
            painter.fillPath(mark, verdictColor(output.verdict));
            painter.setPen(verdictColor(output.verdict).darker(130));
            painter.drawText(QRectF(at - 5 * line, top - line * 0.2, 10 * line, line * 0.9),
                             Qt::AlignCenter, tr("仿真 ") + volts(*output.simulatedV));
        }
        if (output.checkedV) {
            const double at = x(*output.checkedV);
            QPainterPath mark;
            mark.moveTo(at, scale.bottom());
            mark.lineTo(at - line * 0.3, scale.bottom() + line * 0.4);
            mark.lineTo(at + line * 0.3, scale.bottom() + line * 0.4);
            mark.closeSubpath();
            painter.fillPath(mark, QColor(110, 110, 110));
            painter.setPen(QColor(90, 90, 90));
            painter.drawText(QRectF(at - 5 * line, scale.bottom() + line * 0.4, 10 * line, line),
                             Qt::AlignCenter, tr("校核 ") + volts(*output.checkedV));
        }
        top += line * 4.0;
    }
}

}  // namespace kelvane::gui
