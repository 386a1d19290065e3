#pragma once

#include "engine/advice/advice_order.h"

#include <QWidget>

#include <vector>

namespace kelvane::gui {

// Total loss against core volume, one point per pair the adviser's filters
// show, on logarithmic axes: feasible pairs in the colour of their check
// verdict, the others grey, the Pareto front (no other feasible pair both
// smaller and cooler) as a line. Hovering names the pair; a click selects
// it, a double-click applies it.
class AdviceChart : public QWidget {
    Q_OBJECT

public:
    explicit AdviceChart(QWidget* parent = nullptr);

    // The rows to draw, by index into `advice`, and the filter they pass.
    void setRows(advice::Advice advice, std::vector<int> shown, const advice::AdviceFilter& filter);
    void setSelected(int row);
    [[nodiscard]] const std::vector<int>& front() const { return m_front; }
    // The row drawn nearest `point`, within a few pixels; -1 for none.
    [[nodiscard]] int rowAt(QPointF point) const;
    // Where row `row` is drawn.
    [[nodiscard]] QPointF pointOf(int row) const;

    [[nodiscard]] QSize sizeHint() const override { return {420, 360}; }

Q_SIGNALS:
    void rowClicked(int row);
    void rowActivated(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    [[nodiscard]] QRectF plotArea() const;
    [[nodiscard]] double volume(int row) const;
    [[nodiscard]] double loss(int row) const;

    advice::Advice m_advice;
    std::vector<int> m_shown;
    std::vector<int> m_front;
    int m_selected = -1;
    // The axes' ranges as powers of ten.
    double m_xLow = -1.0, m_xHigh = 2.0, m_yLow = -2.0, m_yHigh = 2.0;
};

}  // namespace kelvane::gui
