#pragma once

#include <QWidget>

namespace kelvane::design {
class DesignSheet;
}

namespace kelvane::gui {

// The primary current waveform of the design on the results page, drawn by
// the same code as the report's; redrawn whenever a figure or the circuit
// type changes.
class WaveformView : public QWidget {
    Q_OBJECT

public:
    explicit WaveformView(const design::DesignSheet& sheet, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const design::DesignSheet& m_sheet;
};

}  // namespace kelvane::gui
