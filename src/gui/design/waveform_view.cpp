#include "gui/design/waveform_view.h"

#include "engine/report/waveform.h"
#include "engine/sheet/design_sheet.h"

#include <QPainter>

#include <algorithm>
#include <iterator>
#include <utility>

namespace kelvane::gui {

using sheet::Field;

WaveformView::WaveformView(const sheet::DesignSheet& sheet, QWidget* parent)
    : QWidget(parent), m_sheet(sheet) {
    setObjectName(QStringLiteral("Waveform"));
    setMinimumHeight(160);
    connect(&sheet, &sheet::DesignSheet::textChanged, this, [this](Field field) {
        static const Field kDrawn[] = {Field::Txtts,  Field::Txtton, Field::txtis,
                                       Field::txtip1, Field::txtipk, Field::txtdi};
        if (std::find(std::begin(kDrawn), std::end(kDrawn), field) != std::end(kDrawn)) {
            update();
        }
    });
    connect(&sheet, &sheet::DesignSheet::checkChanged, this, [this] { update(); });
}

void WaveformView::setOverlay(std::optional<render::WaveformOverlay> overlay) {
    m_overlay = std::move(overlay);
    update();
}

void WaveformView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    render::drawWaveform(painter, QRectF(rect()).adjusted(6, 4, -6, -4),
                         report::primaryWaveform(report::waveformTexts(m_sheet)), font(),
                         m_overlay ? &*m_overlay : nullptr);
}

}  // namespace kelvane::gui
