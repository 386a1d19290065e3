#pragma once

#include "render/waveform_painter.h"

#include <QWidget>

#include <optional>

namespace kelvane::sheet {
class DesignSheet;
}

namespace kelvane::gui {

// The primary current waveform of the design on the results page, drawn by
// the same code as the report's; redrawn whenever a figure or the circuit
// type changes. The check's page draws a simulated current over it.
class WaveformView : public QWidget {
    Q_OBJECT

public:
    explicit WaveformView(const sheet::DesignSheet& sheet, QWidget* parent = nullptr);

    // A current drawn over the design's, or none.
    void setOverlay(std::optional<render::WaveformOverlay> overlay);
    [[nodiscard]] const std::optional<render::WaveformOverlay>& overlay() const {
        return m_overlay;
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const sheet::DesignSheet& m_sheet;
    std::optional<render::WaveformOverlay> m_overlay;
};

}  // namespace kelvane::gui
