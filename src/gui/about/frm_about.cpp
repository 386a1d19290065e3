#include "gui/about/frm_about.h"

#include "engine/about/about_info.h"
#include "engine/about/about_window.h"
#include "engine/base/language.h"
#include "gui/base/field_binder.h"
#include "ui_frm_about.h"

#include <QLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace kelvane::gui {
namespace {

constexpr int kIconSize = 64;

// The application's icon: an E-core transformer with its two windings.
QPixmap applicationIcon(qreal ratio) {
    QPixmap pixmap(QSize(kIconSize, kIconSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x4e, 0x99));
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    // Core: outer frame and centre leg.
    painter.setBrush(QColor(0x9a, 0xa4, 0xb1));
    QPainterPath core;
    core.addRect(QRectF(12, 12, 40, 40));
    core.addRect(QRectF(18, 18, 8, 28));
    core.addRect(QRectF(38, 18, 8, 28));
    core.setFillRule(Qt::OddEvenFill);
    painter.drawPath(core);
    // Windings around the centre leg: primary copper, secondary lighter.
    painter.setBrush(QColor(0xc8, 0x7a, 0x2a));
    painter.drawRect(QRectF(20, 20, 6, 24));
    painter.drawRect(QRectF(38, 20, 6, 24));
    painter.setBrush(QColor(0xe8, 0xb0, 0x5a));
    painter.drawRect(QRectF(20, 33, 6, 11));
    painter.drawRect(QRectF(38, 33, 6, 11));
    return pixmap;
}

}  // namespace

FrmAbout::FrmAbout(about::AboutWindow& window, QWidget* parent)
    : QDialog(parent), m_window(window), m_ui(std::make_unique<Ui::FrmAbout>()) {
    m_ui->setupUi(this);
    setWindowTitle(humanText(about::windowCaption()));
    m_ui->picIcon->setPixmap(applicationIcon(devicePixelRatioF()));
    QFont titleFont = m_ui->lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    m_ui->lblTitle->setFont(titleFont);
    m_ui->lblTitle->setText(humanText(about::applicationTitle()));
    m_ui->lblVersion->setText(humanText(about::versionText()));
    m_ui->lblDescription->setText(humanText(about::descriptionText()));
    m_ui->lblDisclaimer->setText(humanText(about::disclaimerText()));
    m_ui->Label1->setText(humanText(about::footerText()));
    m_ui->LblBrand_1->setText(about::webSite());

    m_binder = new FieldBinder(
        *this, {.type = {},
                .pick = {},
                .click = [this](const QString& name) { m_window.click(name); },
                .keyDown = [this](const QString& name, int code) { m_window.keyDown(name, code); },
                .focus = [this](const QString& name) { m_window.focus(name); },
                .selectsAllOnFocus = {}});
    m_binder->bindControls(&about::AboutWindow::isControl);
    for (QWidget* widget : m_binder->controls()) {
        if (about::AboutWindow::opensWebSite(widget->objectName())) {
            widget->setCursor(Qt::PointingHandCursor);
        }
    }
    connect(&m_window, &about::AboutWindow::closeRequested, this, &QDialog::close);

    // Wide enough for the title on one line, narrow enough for 1366 × 768.
    const int width = std::max(480, m_ui->lblTitle->sizeHint().width() + kIconSize + 64);
    setMinimumWidth(width);
    adjustSize();
    // The wrapped texts (longer in English) need their height at this width,
    // which adjustSize() does not ask the layout for.
    if (layout() != nullptr && layout()->hasHeightForWidth()) {
        setMinimumHeight(layout()->totalHeightForWidth(this->width()));
        adjustSize();
    }
}

FrmAbout::~FrmAbout() = default;

QWidget* FrmAbout::control(const QString& name) const {
    return m_binder->control(name);
}

void FrmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Each opening starts where the engine's loading put the focus.
    if (QWidget* focused = control(m_window.focus())) {
        focused->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace kelvane::gui
