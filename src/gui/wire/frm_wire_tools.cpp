#include "gui/wire/frm_wire_tools.h"

#include "engine/about/about_info.h"
#include "engine/base/key_codes.h"
#include "engine/wire/wire_calculator.h"
#include "gui/base/key_codes.h"
#include "gui/base/widget_text.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace kelvane::gui {
namespace {

constexpr int kTickMs = 1000;

QLabel* caption(const QString& text) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QFormLayout* formOf(QGroupBox* box) {
    auto* form = new QFormLayout(box);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    return form;
}

}  // namespace

FrmWireTools::FrmWireTools(wire::WireCalculator& calculator, QWidget* parent)
    : QMainWindow(parent), m_calculator(calculator) {
    setObjectName(QStringLiteral("FrmWireTools"));
    setWindowTitle(QStringLiteral("导线换算程序"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);

    // The clock: Times New Roman 24 where installed, another serif elsewhere.
    m_clock = new QLabel;
    QFont clockFont(QStringLiteral("Times New Roman"), 24);
    clockFont.setStyleHint(QFont::Serif);
    m_clock->setFont(clockFont);
    const QFontMetrics clockMetrics(clockFont);
    m_clock->setMinimumSize(clockMetrics.horizontalAdvance(QStringLiteral("现在是：00:00:00 PM")),
                            clockMetrics.height() + 4);
    registerControl(QStringLiteral("Lbt"), m_clock);
    m_clock->installEventFilter(this);
    layout->addWidget(m_clock, 0, Qt::AlignLeft);

    auto* groups = new QGridLayout;
    groups->addWidget(buildRoundWire(), 0, 0, 2, 1);
    groups->addWidget(buildLitz(), 0, 1);
    groups->addWidget(buildSkinEffect(), 1, 1);
    groups->addWidget(buildFoil(), 0, 2);
    layout->addLayout(groups);

    auto* footer = new QHBoxLayout;
    const std::pair<const char*, QString> brands[] = {{"LblBrand(0)", QStringLiteral("Kelvane")},
                                                      {"LblBrand(1)", about::webSiteHost()}};
    for (const auto& [name, text] : brands) {
        auto* brand = new QLabel(text);
        brand->setCursor(Qt::PointingHandCursor);
        brand->setStyleSheet(QStringLiteral("color: #1f4e99;"));
        registerControl(QString::fromLatin1(name), brand);
        brand->installEventFilter(this);
        footer->addWidget(brand);
    }
    footer->addStretch();
    QLineEdit* ticks = edit(QStringLiteral("Txt1"), 6);
    ticks->setToolTip(QStringLiteral("计时(秒)"));
    footer->addWidget(ticks);
    layout->addLayout(footer);
    layout->addStretch();
    setCentralWidget(central);
    buildMenus();

    connect(&m_calculator, &wire::WireCalculator::textChanged, this, &FrmWireTools::mirrorText);
    connect(&m_calculator, &wire::WireCalculator::comboItemsChanged, this,
            &FrmWireTools::mirrorComboItems);
    connect(&m_calculator, &wire::WireCalculator::clockCaptionChanged, m_clock, &QLabel::setText);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Tim1"));
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, [this] { m_calculator.tick(); });

    mirrorComboItems(QStringLiteral("CmbWire"));
    for (const QString& name : wire::WireCalculator::fieldNames()) {
        mirrorText(name);
    }
    m_clock->setText(m_calculator.clockCaption());
    if (QWidget* focused = control(m_calculator.focus())) {
        focused->setFocus(Qt::OtherFocusReason);
    }
    resize(sizeHint());
}

QGroupBox* FrmWireTools::buildRoundWire() {
    auto* box = new QGroupBox(QStringLiteral("漆包线"));
    QFormLayout* form = formOf(box);
    addRow(form, QStringLiteral("线材"), combo(QStringLiteral("CmbWire")));
    addRow(form, QStringLiteral("线径mm ф"), edit(QStringLiteral("TxtWireD")));
    addRow(form, QStringLiteral("截面积S(mm2)"), edit(QStringLiteral("TxtWireS")));
    addRow(form, QStringLiteral("导体电阻Ω.M"), edit(QStringLiteral("TxtWireOM")));
    addRow(form, QStringLiteral("长度L(M)"), edit(QStringLiteral("TxtWireLeng")));
    addRow(form, QStringLiteral("电阻R(Ω)"), edit(QStringLiteral("TxtWireDCR")));
    addRow(form, QStringLiteral("重量We(g)"), edit(QStringLiteral("TxtWireWeig")));
    addRow(form, QStringLiteral("AWG"), edit(QStringLiteral("TxtAwg")));
    addRow(form, QStringLiteral("允许电流A"), edit(QStringLiteral("TxtI")));
    addRow(form, QStringLiteral("电流密度A/mm2"), edit(QStringLiteral("TxtJ")));
    return box;
}

QGroupBox* FrmWireTools::buildLitz() {
    auto* box = new QGroupBox(QStringLiteral("Litz线"));
    QFormLayout* form = formOf(box);
    addRow(form, QStringLiteral("线径mm ф"), edit(QStringLiteral("TxtLitzD")));
    addRow(form, QStringLiteral("股数 P"), edit(QStringLiteral("TxtLitzP")));
    addRow(form, QStringLiteral("截面积S(mm2)"), edit(QStringLiteral("TxtLitzS")));
    addRow(form, QStringLiteral("长度L(M)"), edit(QStringLiteral("TxtLitzLeng")));
    addRow(form, QStringLiteral("电阻R(Ω)"), edit(QStringLiteral("TxtLitzDCR")));
    addRow(form, QStringLiteral("重量We(g)"), edit(QStringLiteral("TxtLitzWeig")));
    return box;
}

QGroupBox* FrmWireTools::buildFoil() {
    auto* box = new QGroupBox(QStringLiteral("Foil"));
    QFormLayout* form = formOf(box);
    addRow(form, QStringLiteral("厚度(mm)"), edit(QStringLiteral("TxtFoilTh")));
    addRow(form, QStringLiteral("宽度(mm)"), edit(QStringLiteral("TxtFoilWd")));
    addRow(form, QStringLiteral("截面积S(mm2)"), edit(QStringLiteral("TxtFoilS")));
    addRow(form, QStringLiteral("长度L(M)"), edit(QStringLiteral("TxtFoilLeng")));
    addRow(form, QStringLiteral("电阻R(Ω)"), edit(QStringLiteral("TxtFoilDCR")));
    addRow(form, QStringLiteral("重量We(g)"), edit(QStringLiteral("TxtFoilWeig")));
    return box;
}

QGroupBox* FrmWireTools::buildSkinEffect() {
    auto* box = new QGroupBox(QStringLiteral("趋表效应"));
    QFormLayout* form = formOf(box);
    addRow(form, QStringLiteral("频率KHz"), edit(QStringLiteral("TxtF")));
    addRow(form, QStringLiteral("趋表深度mm"), edit(QStringLiteral("TxtHfT")));
    addRow(form, QStringLiteral("最大线径及厚度"), edit(QStringLiteral("TxtHftMax")));
    // The ratio and, beside it, the AC resistance of the round wire it gives.
    auto* ratio = new QWidget;
    auto* ratioLayout = new QHBoxLayout(ratio);
    ratioLayout->setContentsMargins(0, 0, 0, 0);
    QLineEdit* acResistance = edit(QStringLiteral("TxtR"));
    acResistance->setToolTip(QStringLiteral("漆包线的交流电阻"));
    ratioLayout->addWidget(edit(QStringLiteral("TxtRac"), 5));
    ratioLayout->addWidget(acResistance);
    ratioLayout->addWidget(new QLabel(QStringLiteral("Ω")));
    addRow(form, QStringLiteral("Rac"), ratio);
    return box;
}

void FrmWireTools::buildMenus() {
    const std::pair<const char*, const char*> items[] = {
        {"P", "打印"}, {"OP", "关闭"}, {"Ab", "关于"}};
    for (const auto& [name, text] : items) {
        QAction* action = menuBar()->addAction(QString::fromUtf8(text));
        const QString control = QString::fromLatin1(name);
        action->setObjectName(control);
        connect(action, &QAction::triggered, this,
                [this, control] { m_calculator.click(control); });
    }
}

QLineEdit* FrmWireTools::edit(const QString& name, int widthChars) {
    auto* lineEdit = new QLineEdit;
    registerControl(name, lineEdit);
    lineEdit->setFixedWidth(
        lineEdit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * widthChars + 12);
    lineEdit->installEventFilter(this);
    connect(lineEdit, &QLineEdit::textEdited, this,
            [this, name](const QString& text) { m_calculator.type(name, text); });
    return lineEdit;
}

QComboBox* FrmWireTools::combo(const QString& name) {
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // As wide as the longest material, "铜包铝线 15A 15H".
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(15);
    registerControl(name, box);
    box->lineEdit()->installEventFilter(this);
    box->lineEdit()->setProperty("kelvaneControl", name);
    connect(box->lineEdit(), &QLineEdit::textEdited, this,
            [this, name](const QString& text) { m_calculator.type(name, text); });
    connect(box, &QComboBox::activated, this,
            [this, name, box](int index) { m_calculator.pick(name, box->itemText(index)); });
    return box;
}

void FrmWireTools::addRow(QFormLayout* form, const QString& text, QWidget* field) {
    form->addRow(caption(text), field);
}

void FrmWireTools::registerControl(const QString& name, QWidget* widget) {
    widget->setObjectName(name);
    widget->setProperty("kelvaneControl", name);
    m_controls.insert(name, widget);
}

bool FrmWireTools::eventFilter(QObject* watched, QEvent* event) {
    const QString name = watched->property("kelvaneControl").toString();
    if (name.isEmpty()) {
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        if (const std::optional<int> code = designKeyCode(*static_cast<QKeyEvent*>(event))) {
            m_calculator.keyDown(name, *code);
            if (*code == kEnterKey) {
                return true;  // Enter is the window's, not the line edit's
            }
        }
    } else if (event->type() == QEvent::FocusIn) {
        // Only the engineer's moves, as in the design window.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
            reason == Qt::BacktabFocusReason) {
            m_calculator.focus(name);
        }
    } else if (event->type() == QEvent::MouseButtonRelease &&
               qobject_cast<QLabel*>(watched) != nullptr) {
        m_calculator.click(name);
    }
    return QMainWindow::eventFilter(watched, event);
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

void FrmWireTools::mirrorText(const QString& name) {
    mirrorWidgetText(control(name), m_calculator.text(name));
}

void FrmWireTools::mirrorComboItems(const QString& name) {
    auto* box = qobject_cast<QComboBox*>(control(name));
    if (box == nullptr) {
        return;
    }
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(m_calculator.comboItems(name));
    box->setEditText(m_calculator.text(name));
}

}  // namespace kelvane::gui
