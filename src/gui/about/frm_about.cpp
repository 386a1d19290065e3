#include "gui/about/frm_about.h"

#include "engine/about/about_info.h"
#include "engine/about/about_window.h"
#include "engine/base/key_codes.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

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

QLabel* wrappedLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

FrmAbout::FrmAbout(about::AboutWindow& window, QWidget* parent)
    : QDialog(parent), m_window(window) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(about::windowCaption());
    setModal(false);

    auto* icon = new QLabel;
    icon->setPixmap(applicationIcon(devicePixelRatioF()));
    icon->setFixedSize(kIconSize, kIconSize);
    registerControl(QStringLiteral("picIcon"), icon);

    auto* title = new QLabel(about::applicationTitle());
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    title->setFont(titleFont);
    registerControl(QStringLiteral("lblTitle"), title);

    auto* version = new QLabel(about::versionText());
    registerControl(QStringLiteral("lblVersion"), version);

    QLabel* description = wrappedLabel(about::descriptionText());
    registerControl(QStringLiteral("lblDescription"), description);

    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    QLabel* disclaimer = wrappedLabel(about::disclaimerText());
    registerControl(QStringLiteral("lblDisclaimer"), disclaimer);

    auto* footer = new QLabel(about::footerText());
    footer->setStyleSheet(QStringLiteral("color: #1f4e99;"));
    registerControl(QStringLiteral("Label1"), footer);

    // The brand: the maker's mark and its web address.
    const std::pair<const char*, QString> brands[] = {{"LblBrand(0)", QStringLiteral("Kelvane")},
                                                      {"LblBrand(1)", about::webSite()}};
    auto* brandRow = new QHBoxLayout;
    brandRow->setSpacing(16);
    for (const auto& [name, text] : brands) {
        auto* brand = new QLabel(text);
        brand->setStyleSheet(QStringLiteral("color: #1f4e99;"));
        registerControl(QString::fromLatin1(name), brand);
        brandRow->addWidget(brand);
    }
    brandRow->addStretch();
    QFont markFont = control(QStringLiteral("LblBrand(0)"))->font();
    markFont.setBold(true);
    control(QStringLiteral("LblBrand(0)"))->setFont(markFont);

    auto* ok = new QPushButton(QStringLiteral("确定"));
    ok->setDefault(true);
    registerControl(QStringLiteral("cmdOK"), ok);

    auto* systemInformation = new QPushButton(QStringLiteral("系统信息(&S)..."));
    registerControl(QStringLiteral("cmdSysInfo"), systemInformation);

    for (QPushButton* button : {ok, systemInformation}) {
        const QString name = button->objectName();
        connect(button, &QPushButton::clicked, this, [this, name] { m_window.click(name); });
    }
    connect(&m_window, &about::AboutWindow::closeRequested, this, &QDialog::close);
    for (QWidget* widget : std::as_const(m_controls)) {
        widget->installEventFilter(this);
        if (about::AboutWindow::opensWebSite(widget->objectName())) {
            widget->setCursor(Qt::PointingHandCursor);
        }
    }

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(title, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(description, 2, 1);
    layout->addWidget(line, 3, 0, 1, 2);
    auto* bottom = new QHBoxLayout;
    auto* notes = new QVBoxLayout;
    notes->addWidget(disclaimer);
    notes->addWidget(footer);
    notes->addLayout(brandRow);
    notes->addStretch();
    bottom->addLayout(notes, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(systemInformation);
    buttons->addStretch();
    bottom->addLayout(buttons);
    layout->addLayout(bottom, 4, 0, 1, 2);
    layout->setColumnStretch(1, 1);

    // Wide enough for the title on one line, narrow enough for 1366 × 768.
    const int width = std::max(480, title->sizeHint().width() + kIconSize + 64);
    setMinimumWidth(width);
    adjustSize();
}

void FrmAbout::registerControl(const QString& name, QWidget* widget) {
    widget->setObjectName(name);
    widget->setProperty("kelvaneControl", name);
    m_controls.insert(name, widget);
}

bool FrmAbout::eventFilter(QObject* watched, QEvent* event) {
    const QString name = watched->property("kelvaneControl").toString();
    if (name.isEmpty()) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::KeyPress: {
            // Enter presses the button that has the focus, by the engine's
            // rule rather than the dialog's default button.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                m_window.keyDown(name, kEnterKey);
                return true;
            }
            if (key->key() < 256) {
                m_window.keyDown(name, key->key());
            }
            break;
        }
        case QEvent::FocusIn: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                reason == Qt::BacktabFocusReason) {
                m_window.focus(name);
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            if (qobject_cast<QLabel*>(watched) != nullptr) {
                m_window.click(name);
            }
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Each opening starts where the engine's loading put the focus.
    if (QWidget* focused = control(m_window.focus())) {
        focused->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace kelvane::gui
