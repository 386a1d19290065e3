#include "gui/check/check_page.h"

#include "engine/base/language.h"
#include "engine/files/design_file.h"
#include "engine/session/design_session.h"
#include "gui/base/widget_text.h"
#include "gui/check/simulation_panel.h"

#include <QAbstractItemDelegate>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace kelvane::gui {
namespace {

enum Column { kItem, kValue, kClassic, kLimit, kVerdict, kSentence, kColumnCount };

// The pins table: a row for each winding.
enum PinColumn { kWinding, kKind, kStart, kTap, kFinish, kWire, kPinColumnCount };

// The input a column of the pins table sets, by its name's base.
const char16_t* pinInputName(int column) {
    switch (column) {
        case kKind:
            return u"kind";
        case kStart:
            return u"start";
        case kTap:
            return u"tap";
        case kFinish:
            return u"finish";
        case kWire:
            return u"wire";
        default:
            return nullptr;
    }
}

// The column of an input's name base, or −1.
int pinColumnOf(QStringView base) {
    for (int column = kKind; column < kPinColumnCount; ++column) {
        if (const char16_t* name = pinInputName(column); name != nullptr && base == name) {
            return column;
        }
    }
    return -1;
}

const QStringList& kindItems() {
    static const QStringList items{QString::fromUtf8(construction::kSecondaryKind),
                                   QString::fromUtf8(construction::kBiasKind)};
    return items;
}

const QStringList& wireItems() {
    static const QStringList items{QString::fromUtf8(construction::kEnamelledWire),
                                   QString::fromUtf8(construction::kTripleInsulatedWire)};
    return items;
}

// The test signal's fields: name, caption, what an empty one means.
struct TestInput {
    const char16_t* name;
    const char* caption;
    const char16_t* byDefault;
};
constexpr TestInput kTestInputs[] = {
    {u"lptestf", QT_TRANSLATE_NOOP("kelvane::gui::CheckPage", "电感测试频率(kHz)"), u"10"},
    {u"lptestv", QT_TRANSLATE_NOOP("kelvane::gui::CheckPage", "测试电压(V)"), u"0.1"}};

}  // namespace

QColor verdictColor(check::Verdict verdict) {
    switch (verdict) {
        case check::Verdict::Ok:
            return QColor(0x2e, 0x9e, 0x44);
        case check::Verdict::Warn:
            return QColor(0xe0, 0x8e, 0x0b);
        case check::Verdict::Fail:
            return QColor(0xd0, 0x24, 0x24);
        case check::Verdict::Info:
            break;
    }
    return QColor(0x8a, 0x8a, 0x8a);
}

CheckPage::CheckPage(session::DesignSession& session, QWidget* parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("CheckPage"));
    auto* layout = new QVBoxLayout(this);
    auto* inputs = new QGridLayout;
    const QStringList& names = session::CheckInputs::checkNames();
    for (int i = 0; i < names.size(); ++i) {
        auto* label =
            new QLabel(humanText(QString::fromUtf8(check::kCheckSettingTexts[i].caption)), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("checkinput.") + names[i]);
        edit->setPlaceholderText(
            humanText(QString::fromUtf8(check::kCheckSettingTexts[i].byDefault)));
        edit->setMaximumWidth(120);
        label->setBuddy(edit);
        inputs->addWidget(label, 0, 2 * i);
        inputs->addWidget(edit, 0, 2 * i + 1);
        const QString name = names[i];
        connect(edit, &QLineEdit::textEdited, this,
                [this, name](const QString& text) { m_session.setCheckInput(name, text); });
        m_inputs.append(edit);
    }
    inputs->setColumnStretch(2 * int(names.size()), 1);
    layout->addLayout(inputs);

    auto* pinsBox = new QGroupBox(tr("引脚（规格书）"), this);
    auto* pinsLayout = new QHBoxLayout(pinsBox);
    m_pins = new QTableWidget(0, kPinColumnCount, pinsBox);
    m_pins->setObjectName(QStringLiteral("PinTable"));
    m_pins->setHorizontalHeaderLabels(
        {tr("绕组"), tr("绕组类型"), tr("起始脚"), tr("中间脚"), tr("结束脚"), tr("导线")});
    m_pins->verticalHeader()->hide();
    m_pins->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pins->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    // Only what the engineer commits in a cell is an input; the page's own
    // refills are not. A delegate of its own: the default one is shared by
    // every view.
    m_pins->setItemDelegate(new QStyledItemDelegate(m_pins));
    connect(m_pins->itemDelegate(), &QAbstractItemDelegate::commitData, this,
            [this](QWidget* editor) {
                const auto* line = qobject_cast<QLineEdit*>(editor);
                const QModelIndex index = m_pins->currentIndex();
                if (line != nullptr && index.isValid()) {
                    storeChoice(index.row(), index.column(), line->text());
                }
            });
    pinsLayout->addWidget(m_pins);
    auto* tests = new QGridLayout;
    for (int i = 0; i < int(std::size(kTestInputs)); ++i) {
        const TestInput& input = kTestInputs[i];
        auto* label = new QLabel(tr(input.caption), pinsBox);
        auto* edit = new QLineEdit(pinsBox);
        const QString name = QString::fromUtf16(input.name);
        edit->setObjectName(QStringLiteral("checkinput.") + name);
        edit->setPlaceholderText(QString::fromUtf16(input.byDefault));
        edit->setMaximumWidth(90);
        label->setBuddy(edit);
        tests->addWidget(label, i, 0);
        tests->addWidget(edit, i, 1);
        connect(edit, &QLineEdit::textEdited, this,
                [this, name](const QString& text) { m_session.setCheckInput(name, text); });
        m_testInputs.append(edit);
    }
    tests->setRowStretch(int(std::size(kTestInputs)), 1);
    pinsLayout->addLayout(tests);
    pinsLayout->addStretch(1);
    layout->addWidget(pinsBox);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("CheckSummary"));
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);
    layout->addWidget(m_summary);

    m_table = new QTableWidget(0, kColumnCount);
    m_table->setObjectName(QStringLiteral("CheckTable"));
    m_table->setHorizontalHeaderLabels(
        {tr("项目"), tr("校核值"), tr("经典方法"), tr("限值"), tr("判定"), tr("说明")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(true);
    m_table->verticalHeader()->hide();
    // Rows follow their wrapped sentences whenever the columns move, also
    // when the page was filled while hidden.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kSentence, QHeaderView::Stretch);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_table);
    m_simulation = new SimulationPanel(session, splitter);
    splitter->addWidget(m_simulation);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);
    layout->addWidget(splitter, 1);

    const sheet::DesignSheet& sheet = m_session.sheet();
    connect(&sheet, &sheet::DesignSheet::textChanged, this, &CheckPage::scheduleRefresh);
    connect(&sheet, &sheet::DesignSheet::checkChanged, this, &CheckPage::scheduleRefresh);
    connect(&sheet, &sheet::DesignSheet::gridChanged, this, &CheckPage::scheduleRefresh);
    connect(&m_session, &session::DesignSession::checkInputsChanged, this, [this] {
        mirrorInputs();
        scheduleRefresh();
    });
    mirrorInputs();
    refreshNow();
}

QLineEdit* CheckPage::input(const QString& name) const {
    const qsizetype index = session::CheckInputs::checkNames().indexOf(name);
    return index >= 0 ? m_inputs[index] : nullptr;
}

void CheckPage::enterConstructionInput(const QString& name, const QString& text) {
    for (int i = 0; i < int(std::size(kTestInputs)); ++i) {
        if (name == kTestInputs[i].name) {
            QLineEdit* edit = m_testInputs[i];
            edit->selectAll();
            edit->insert(text);
            return;
        }
    }
    const qsizetype open = name.indexOf(u'(');
    const int column = open > 0 ? pinColumnOf(QStringView(name).first(open)) : -1;
    const int row =
        open > 0 ? pinRowOf(QStringView(name).sliced(open + 1, name.size() - open - 2).toInt())
                 : -1;
    QTableWidgetItem* item = row >= 0 ? m_pins->item(row, column) : nullptr;
    auto* box = row >= 0 ? qobject_cast<QComboBox*>(m_pins->cellWidget(row, column)) : nullptr;
    if (box != nullptr && box->findText(text) >= 0) {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(box->findText(text));
        storeChoice(row, column, text);
    } else if (box == nullptr && item != nullptr && (item->flags() & Qt::ItemIsEditable)) {
        const QSignalBlocker blocker(m_pins);
        item->setText(text);
        storeChoice(row, column, text);
    } else {
        // No cell the engineer could reach: the winding is not there.
        m_session.setCheckInput(name, text);
    }
}

void CheckPage::storeChoice(int row, int column, const QString& text) {
    const char16_t* base = pinInputName(column);
    if (base == nullptr || row < 0 || row >= m_pinRows.size()) {
        return;
    }
    m_session.setCheckInput(files::windingInputName(base, m_pinRows[row]), text.trimmed());
}

int CheckPage::pinRowOf(int windingRow) const {
    return int(m_pinRows.indexOf(windingRow));
}

void CheckPage::scheduleRefresh() {
    // A cascade changes many fields in a row: check once it has settled.
    if (m_refreshPending) {
        return;
    }
    m_refreshPending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_refreshPending) {
            refreshNow();
        }
    });
}

void CheckPage::refreshNow() {
    m_refreshPending = false;
    show(m_session.designCheck());
    showPins(m_session.construction());
}

void CheckPage::mirrorInputs() {
    const QStringList& names = session::CheckInputs::checkNames();
    const auto mirror = [](QLineEdit* edit, const QString& text) {
        if (edit->text() != text) {
            const QSignalBlocker blocker(edit);
            edit->setText(text);
        }
    };
    for (int i = 0; i < names.size(); ++i) {
        mirror(m_inputs[i], m_session.checkInputs().value(names[i]));
    }
    for (int i = 0; i < int(std::size(kTestInputs)); ++i) {
        mirror(m_testInputs[i],
               m_session.checkInputs().value(QString::fromUtf16(kTestInputs[i].name)));
    }
}

void CheckPage::showPins(const construction::Construction& construction) {
    const QSignalBlocker blocker(m_pins);
    const int rows = int(construction.windings.size());
    m_pins->setRowCount(rows);
    m_pinRows.clear();
    const auto cell = [this](int row, int column) {
        QTableWidgetItem* item = m_pins->item(row, column);
        if (item == nullptr) {
            item = new QTableWidgetItem;
            m_pins->setItem(row, column, item);
        }
        return item;
    };
    const auto box = [this](int row, int column, const QStringList& items) {
        auto* combo = qobject_cast<QComboBox*>(m_pins->cellWidget(row, column));
        if (combo == nullptr) {
            combo = new QComboBox;
            addComboItems(combo, items);
            connect(combo, &QComboBox::activated, this, [this, row, column, combo](int index) {
                storeChoice(row, column, comboItemText(combo, index));
            });
            m_pins->setCellWidget(row, column, combo);
        }
        return combo;
    };
    for (int row = 0; row < rows; ++row) {
        const construction::Winding& w = construction.windings[size_t(row)];
        m_pinRows.append(w.row);
        QTableWidgetItem* name = cell(row, kWinding);
        name->setText(w.name);
        name->setFlags(Qt::ItemIsEnabled);
        if (w.kind == construction::WindingKind::Primary) {
            m_pins->removeCellWidget(row, kKind);
            QTableWidgetItem* kind = cell(row, kKind);
            kind->setText(humanText(construction::kindCaption(w.kind)));
            kind->setFlags(Qt::ItemIsEnabled);
        } else {
            QComboBox* kind = box(row, kKind, kindItems());
            const QSignalBlocker kindBlocker(kind);
            kind->setCurrentIndex(w.kind == construction::WindingKind::Bias ? 1 : 0);
        }
        const QString pins[] = {w.startPin, w.hasTap ? w.tapPin : QStringLiteral("—"), w.finishPin};
        for (int column = kStart; column <= kFinish; ++column) {
            QTableWidgetItem* item = cell(row, column);
            item->setText(pins[column - kStart]);
            const bool typed = !m_session.checkInputs()
                                    .value(files::windingInputName(pinInputName(column), w.row))
                                    .isEmpty();
            const bool editable = column != kTap || w.hasTap;
            item->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                    : Qt::ItemIsEnabled);
            item->setForeground(typed ? palette().text() : palette().placeholderText());
        }
        QComboBox* wire = box(row, kWire, wireItems());
        const QSignalBlocker wireBlocker(wire);
        wire->setCurrentIndex(w.tripleInsulated ? 1 : 0);
    }
    // Every column and up to seven windings in sight, then a scroll bar.
    m_pins->resizeColumnsToContents();
    m_pins->resizeRowsToContents();
    int width = 2 * m_pins->frameWidth() + m_pins->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < kPinColumnCount; ++column) {
        width += m_pins->columnWidth(column);
    }
    int height = m_pins->horizontalHeader()->sizeHint().height() + 2 * m_pins->frameWidth();
    for (int row = 0; row < std::min(rows, 7); ++row) {
        height += m_pins->rowHeight(row);
    }
    m_pins->setFixedSize(width, height);
}

void CheckPage::show(const check::CheckResult& result) {
    m_summary->setText(result.summaryText);
    m_summary->setStyleSheet(QStringLiteral("color: %1;").arg(verdictColor(result.summary).name()));
    m_table->setRowCount(int(result.items.size()));
    for (int row = 0; row < int(result.items.size()); ++row) {
        const check::CheckItem& item = result.items[size_t(row)];
        const QString cells[kColumnCount] = {item.caption,
                                             item.valueText,
                                             item.classicText,
                                             item.limitText,
                                             check::verdictCaption(item.verdict),
                                             item.sentence};
        for (int column = 0; column < kColumnCount; ++column) {
            QTableWidgetItem* cell = m_table->item(row, column);
            if (cell == nullptr) {
                cell = new QTableWidgetItem;
                m_table->setItem(row, column, cell);
            }
            cell->setText(cells[column]);
            cell->setToolTip(item.formulaText);
        }
        QTableWidgetItem* mark = m_table->item(row, kVerdict);
        mark->setBackground(verdictColor(item.verdict));
        mark->setForeground(Qt::white);
        mark->setTextAlignment(Qt::AlignCenter);
    }
    Q_EMIT summaryChanged(result.summaryText, result.summary);
}

}  // namespace kelvane::gui
