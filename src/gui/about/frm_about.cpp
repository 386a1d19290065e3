#include "about/frm_about.h"

#include "about/about_info.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

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

QLabel* wrappedLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

FrmAbout::FrmAbout(Prompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
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

    for (QLabel* linked : {icon, title, disclaimer, footer}) {
        linked->setCursor(Qt::PointingHandCursor);
        linked->installEventFilter(this);
    }

    auto* ok = new QPushButton(QStringLiteral("确定"));
    ok->setDefault(true);
    registerControl(QStringLiteral("cmdOK"), ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* systemInformation = new QPushButton(QStringLiteral("系统信息(&S)..."));
    systemInformation->setAutoDefault(false);
    registerControl(QStringLiteral("cmdSysInfo"), systemInformation);
    connect(systemInformation, &QPushButton::clicked, this, [this] {
        about::startSystemInformation(m_prompter, about::systemInformationProgram());
    });

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
    if (event->type() == QEvent::MouseButtonRelease) {
        QDesktopServices::openUrl(QUrl(about::webSite()));
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kelvane::gui
