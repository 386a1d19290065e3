#include "gui/wire/frm_wire_tools.h"

#include "engine/about/about_info.h"
#include "engine/base/language.h"
#include "engine/wire/wire_calculator.h"
#include "gui/base/field_binder.h"
#include "gui/base/widget_text.h"
#include "ui_frm_wire_tools.h"

#include <QAction>
#include <QComboBox>
#include <QHideEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QTimer>

namespace kelvane::gui {
namespace {

constexpr int kTickMs = 1000;
// A field's width in digits where its form gives none (property "digits").
constexpr int kDefaultDigits = 10;

}  // namespace

FrmWireTools::FrmWireTools(wire::WireCalculator& calculator, QWidget* parent)
    : QMainWindow(parent), m_calculator(calculator), m_ui(std::make_unique<Ui::FrmWireTools>()) {
    m_ui->setupUi(this);
    m_ui->LblBrand_1->setText(about::webSiteHost());

    // The clock: Times New Roman 24 where installed, another serif elsewhere.
    QFont clockFont(QStringLiteral("Times New Roman"), 24);
    clockFont.setStyleHint(QFont::Serif);
    m_ui->Lbt->setFont(clockFont);
    const QFontMetrics clockMetrics(clockFont);
    m_ui->Lbt->setMinimumSize(clockMetrics.horizontalAdvance(tr("现在是：00:00:00 PM")),
                              clockMetrics.height() + 4);

    m_binder = new FieldBinder(
        *this,
        {.type = [this](const QString& name,
                        const QString& text) { m_calculator.type(name, text); },
         .pick = [this](const QString& name,
                        const QString& text) { m_calculator.pick(name, text); },
         .click = [this](const QString& name) { m_calculator.click(name); },
         .keyDown = [this](const QString& name, int code) { m_calculator.keyDown(name, code); },
         .focus = [this](const QString& name) { m_calculator.focus(name); },
         .selectsAllOnFocus = {}});
    m_binder->bindControls(&wire::WireCalculator::isControl);
    for (const QString& name : wire::WireCalculator::fieldNames()) {
        if (auto* lineEdit = qobject_cast<QLineEdit*>(control(name))) {
            const QVariant digits = lineEdit->property("digits");
            lineEdit->setFixedWidth(lineEdit->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                                        (digits.isValid() ? digits.toInt() : kDefaultDigits) +
                                    12);
        }
    }
    buildMenus();

    connect(&m_calculator, &wire::WireCalculator::textChanged, this,
            [this](const QString& name) { m_binder->mirrorText(name, m_calculator.text(name)); });
    connect(&m_calculator, &wire::WireCalculator::comboItemsChanged, this,
            &FrmWireTools::mirrorComboItems);
    connect(&m_calculator, &wire::WireCalculator::clockCaptionChanged, m_ui->Lbt,
            [this](const QString& caption) { m_ui->Lbt->setText(humanText(caption)); });

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Tim1"));
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, [this] { m_calculator.tick(); });

    mirrorComboItems(QStringLiteral("CmbWire"));
    for (const QString& name : wire::WireCalculator::fieldNames()) {
        m_binder->mirrorText(name, m_calculator.text(name));
    }
    m_ui->Lbt->setText(humanText(m_calculator.clockCaption()));
    if (QWidget* focused = control(m_calculator.focus())) {
        focused->setFocus(Qt::OtherFocusReason);
    }
    resize(sizeHint());
}

FrmWireTools::~FrmWireTools() = default;

QWidget* FrmWireTools::control(const QString& name) const {
    return m_binder->control(name);
}

void FrmWireTools::buildMenus() {
    const std::pair<const char*, const char*> items[] = {
        {"P", QT_TR_NOOP("打印")}, {"OP", QT_TR_NOOP("关闭")}, {"Ab", QT_TR_NOOP("关于")}};
    for (const auto& [name, text] : items) {
        QAction* action = menuBar()->addAction(tr(text));
        const QString control = QString::fromLatin1(name);
        action->setObjectName(control);
        connect(action, &QAction::triggered, this,
                [this, control] { m_calculator.click(control); });
    }
}

void FrmWireTools::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    m_calculator.load();  // the first opening only
    if (!m_scripted) {
        m_timer->start();
    }
}

void FrmWireTools::hideEvent(QHideEvent* event) {
    // Minimising hides the window too, but the clock goes on, as it would
    // for a window that is still open.
    if (!event->spontaneous()) {
        m_timer->stop();
    }
    QMainWindow::hideEvent(event);
}

void FrmWireTools::mirrorComboItems(const QString& name) {
    auto* box = qobject_cast<QComboBox*>(control(name));
    if (box == nullptr) {
        return;
    }
    const QSignalBlocker blocker(box);
    box->clear();
    addComboItems(box, m_calculator.comboItems(name));
    mirrorWidgetText(box, m_calculator.text(name));
}

}  // namespace kelvane::gui
