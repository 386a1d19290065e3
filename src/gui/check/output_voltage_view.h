#pragma once

#include "engine/spice/bench_comparison.h"

#include <QWidget>

#include <vector>

namespace kelvane::gui {

// Each output of a simulated bench as a scale around its design value: the
// check's marks as bands (合格 within ±5 %, 警告 within ±10 %), the design
// value, the check's uo(r) below the scale and the simulated voltage above
// it in the colour of its verdict.
class OutputVoltageView : public QWidget {
    Q_OBJECT

public:
    explicit OutputVoltageView(QWidget* parent = nullptr);

    void setOutputs(std::vector<spice::OutputComparison> outputs);
    [[nodiscard]] const std::vector<spice::OutputComparison>& outputs() const { return m_outputs; }
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<spice::OutputComparison> m_outputs;
};

}  // namespace kelvane::gui
