#include "gui/check/check_page.h"

#include "engine/session/design_session.h"
#include "gui/check/simulation_panel.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace kelvane::gui {
namespace {

enum Column { kItem, kValue, kClassic, kLimit, kVerdict, kSentence, kColumnCount };

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
    const QStringList& names = session::DesignSession::checkInputNames();
    for (int i = 0; i < names.size(); ++i) {
        auto* label = new QLabel(QString::fromUtf16(check::kCheckSettingTexts[i].caption), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("checkinput.") + names[i]);
        edit->setPlaceholderText(QString::fromUtf16(check::kCheckSettingTexts[i].byDefault));
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

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("CheckSummary"));
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);
    layout->addWidget(m_summary);

    m_table = new QTableWidget(0, kColumnCount);
    m_table->setObjectName(QStringLiteral("CheckTable"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("项目"), QStringLiteral("校核值"),
                                        QStringLiteral("经典方法"), QStringLiteral("限值"),
                                        QStringLiteral("判定"), QStringLiteral("说明")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(true);
    m_table->verticalHeader()->hide();
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

    design::DesignSheet& sheet = m_session.sheet();
    connect(&sheet, &design::DesignSheet::textChanged, this, &CheckPage::scheduleRefresh);
    connect(&sheet, &design::DesignSheet::checkChanged, this, &CheckPage::scheduleRefresh);
    connect(&sheet, &design::DesignSheet::gridChanged, this, &CheckPage::scheduleRefresh);
    connect(&m_session, &session::DesignSession::checkInputsChanged, this, [this] {
        mirrorInputs();
        scheduleRefresh();
    });
    mirrorInputs();
    refreshNow();
}

QLineEdit* CheckPage::input(const QString& name) const {
    const qsizetype index = session::DesignSession::checkInputNames().indexOf(name);
    return index >= 0 ? m_inputs[index] : nullptr;
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
}

void CheckPage::mirrorInputs() {
    const QStringList& names = session::DesignSession::checkInputNames();
    for (int i = 0; i < names.size(); ++i) {
        const QString text = m_session.checkInput(names[i]);
        if (m_inputs[i]->text() != text) {
            const QSignalBlocker blocker(m_inputs[i]);
            m_inputs[i]->setText(text);
        }
    }
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
    m_table->resizeRowsToContents();
    Q_EMIT summaryChanged(result.summaryText, result.summary);
}

}  // namespace kelvane::gui
