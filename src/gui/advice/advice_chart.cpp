#include "gui/advice/advice_chart.h"

#include "gui/check/check_page.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace kelvane::gui {

namespace {

constexpr double kPickRadius = 6.0;
// The lowest loss drawn: a pair without loss sits on the axis.
constexpr double kLeastLossW = 0.001;

QString decadeText(int power) {
    return QString::number(std::pow(10.0, power), 'g', 6);
}

}  // namespace

AdviceChart::AdviceChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AdviceChart"));
    setMouseTracking(true);
    setMinimumSize(280, 220);
}

double AdviceChart::volume(int row) const {
    return m_advice.catalogue()->cores[m_advice[row].core].volumeCm3;
}

double AdviceChart::loss(int row) const {
    return std::max(m_advice[row].totalLoss, kLeastLossW);
}

void AdviceChart::setRows(advice::Advice advice, std::vector<int> shown,
                          const advice::AdviceFilter& filter) {
    m_advice = std::move(advice);
    m_shown.clear();
    for (const int row : shown) {
        if (m_advice.catalogue() && volume(row) > 0.0) {
            m_shown.push_back(row);
        }
    }
    m_front = m_advice.catalogue() ? advice::paretoFront(m_advice, filter) : std::vector<int>();
    m_selected = -1;
    // Whole decades around every point.
    double xLow = 1e300, xHigh = 0.0, yLow = 1e300, yHigh = 0.0;
    for (const int row : m_shown) {
        xLow = std::min(xLow, volume(row));
        xHigh = std::max(xHigh, volume(row));
        yLow = std::min(yLow, loss(row));
        yHigh = std::max(yHigh, loss(row));
    }
    if (!m_shown.empty()) {
        m_xLow = std::floor(std::log10(xLow));
        m_xHigh = std::max(m_xLow + 1.0, std::ceil(std::log10(xHigh)));
        m_yLow = std::floor(std::log10(yLow));
        m_yHigh = std::max(m_yLow + 1.0, std::ceil(std::log10(yHigh)));
    }
    update();
}

void AdviceChart::setSelected(int row) {
    m_selected = row;
    update();
}

QRectF AdviceChart::plotArea() const {
    const double left = fontMetrics().horizontalAdvance(QStringLiteral("0.0001")) + 14.0;
    const double bottom = 2.5 * fontMetrics().height() + 6.0;
    // Room on the right for half of the last decade's label.
    const double right = fontMetrics().horizontalAdvance(QStringLiteral("100000")) / 2.0 + 6.0;
    return QRectF(left, 10.0, std::max(10.0, width() - left - right),
                  std::max(10.0, height() - bottom - 10.0));
}

QPointF AdviceChart::pointOf(int row) const {
    const QRectF area = plotArea();
    const double x = (std::log10(volume(row)) - m_xLow) / (m_xHigh - m_xLow);
    const double y = (std::log10(loss(row)) - m_yLow) / (m_yHigh - m_yLow);
    return {area.left() + x * area.width(), area.bottom() - y * area.height()};
}

int AdviceChart::rowAt(QPointF point) const {
    int nearest = -1;
    double best = kPickRadius * kPickRadius;
    for (const int row : m_shown) {
        const QPointF d = pointOf(row) - point;
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (distance <= best) {
            best = distance;
            nearest = row;
        }
    }
    return nearest;
}

void AdviceChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = plotArea();
    const QFontMetrics metrics = fontMetrics();
    painter.setPen(QPen(palette().mid().color(), 0.0, Qt::DotLine));
    for (int p = int(m_xLow); p <= int(m_xHigh); ++p) {
        const double x = area.left() + (p - m_xLow) / (m_xHigh - m_xLow) * area.width();
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        const QString text = decadeText(p);
        painter.save();
        painter.setPen(palette().text().color());
        painter.drawText(
            QPointF(x - metrics.horizontalAdvance(text) / 2.0, area.bottom() + metrics.height()),
            text);
        painter.restore();
    }
    for (int p = int(m_yLow); p <= int(m_yHigh); ++p) {
        const double y = area.bottom() - (p - m_yLow) / (m_yHigh - m_yLow) * area.height();
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        const QString text = decadeText(p);
        painter.save();
        painter.setPen(palette().text().color());
        painter.drawText(QPointF(area.left() - metrics.horizontalAdvance(text) - 6.0,
                                 y + metrics.ascent() / 2.0),
                         text);
        painter.restore();
    }
    painter.setPen(palette().text().color());
    painter.drawRect(area);
    const QString xTitle = tr("磁芯体积 Ve (cm³)");
    painter.drawText(QPointF(area.center().x() - metrics.horizontalAdvance(xTitle) / 2.0,
                             area.bottom() + 2.2 * metrics.height()),
                     xTitle);
    painter.save();
    painter.translate(metrics.height() * 0.9, area.center().y());
    painter.rotate(-90.0);
    const QString yTitle = tr("总损耗 (W)");
    painter.drawText(QPointF(-metrics.horizontalAdvance(yTitle) / 2.0, 0.0), yTitle);
    painter.restore();
    if (m_shown.empty()) {
        painter.drawText(area, Qt::AlignCenter, tr("没有可显示的组合"));
        return;
    }
    painter.setClipRect(area.adjusted(-4, -4, 4, 4));
    // The infeasible under the feasible.
    painter.setPen(Qt::NoPen);
    for (const bool feasible : {false, true}) {
        for (const int row : m_shown) {
            if (m_advice[row].feasible != feasible) {
                continue;
            }
            const double radius = feasible ? 3.0 : 2.0;
            painter.setBrush(feasible ? verdictColor(m_advice[row].pairVerdict().verdict)
                                      : QColor(170, 170, 170));
            painter.drawEllipse(pointOf(row), radius, radius);
        }
    }
    if (m_front.size() > 1) {
        QPainterPath path(pointOf(m_front.front()));
        for (size_t i = 1; i < m_front.size(); ++i) {
            path.lineTo(pointOf(m_front[i]));
        }
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(30, 90, 200), 1.5));
        painter.drawPath(path);
    }
    if (m_selected >= 0 && m_selected < m_advice.size() && m_advice.catalogue()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(palette().highlight().color(), 2.0));
        painter.drawEllipse(pointOf(m_selected), 6.0, 6.0);
    }
}

bool AdviceChart::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int row = rowAt(help->pos());
        if (row < 0) {
            QToolTip::hideText();
            return true;
        }
        const advice::AdviceRow& pair = m_advice[row];
        const QString verdict = m_advice.text(pair, advice::AdviceColumn::CheckVerdict);
        const QString reason = m_advice.text(pair, advice::AdviceColumn::CheckReason);
        QToolTip::showText(
            help->globalPos(),
            tr("%1 %2\nVe %3 cm³，总损耗 %4 W\n校核 %5%6")
                .arg(m_advice.text(pair, advice::AdviceColumn::Core),
                     m_advice.text(pair, advice::AdviceColumn::Material),
                     QString::number(volume(row), 'g', 4), QString::number(pair.totalLoss, 'g', 6),
                     verdict, reason.isEmpty() ? QString() : u'：' + reason),
            this);
        return true;
    }
    return QWidget::event(event);
}

void AdviceChart::mousePressEvent(QMouseEvent* event) {
    if (const int row = rowAt(event->position()); row >= 0) {
        setSelected(row);
        Q_EMIT rowClicked(row);
    }
}

void AdviceChart::mouseDoubleClickEvent(QMouseEvent* event) {
    if (const int row = rowAt(event->position()); row >= 0) {
        Q_EMIT rowActivated(row);
    }
}

}  // namespace kelvane::gui
