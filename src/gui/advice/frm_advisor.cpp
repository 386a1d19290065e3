#include "gui/advice/frm_advisor.h"

#include "engine/base/language.h"
#include "engine/base/number_text.h"
#include "engine/catalogue/core_family.h"
#include "engine/session/design_session.h"
#include "engine/session/session_report.h"
#include "gui/advice/advice_chart.h"
#include "gui/check/check_page.h"
#include "render/report_pdf.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QSplitter>
#include <QTableView>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace kelvane::gui {

using advice::AdviceColumn;
using advice::AdviceRow;

namespace {

// Catalogues this large show the progress of a run.
constexpr int kProgressCores = 2000;
// The rows whose texts are kept at most.
constexpr int kCachedRows = 20000;
// A pause in typing this long starts a run.
constexpr int kDebounceMs = 120;

// The filter boxes' first item, which filters nothing.
QString allItem() {
    return QCoreApplication::translate("kelvane::gui::FrmAdvisor", "全部");
}

// The check's verdict as a coloured mark.
QPixmap verdictMark(check::Verdict verdict) {
    QPixmap mark(12, 12);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(verdictColor(verdict));
    painter.drawEllipse(QRectF(1.0, 1.0, 10.0, 10.0));
    return mark;
}

}  // namespace

void AdviceModel::setAdvice(OrderedAdvice rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_rowOf.assign(size_t(m_rows.advice.size()), -1);
    for (size_t i = 0; i < m_rows.order.size(); ++i) {
        m_rowOf[size_t(m_rows.order[i])] = int(i);
    }
    m_texts.clear();
    endResetModel();
}

QString AdviceModel::text(int index, AdviceColumn column) const {
    const int source = m_rows.order[size_t(index)];
    const advice::Advice& advice = m_rows.advice;
    if (!advice::isEvaluatedColumn(column)) {
        return advice.text(advice[source], column);
    }
    const auto cached = m_texts.constFind(source);
    if (cached != m_texts.cend()) {
        return cached->value(int(column));
    }
    if (m_texts.size() >= kCachedRows) {
        m_texts.clear();
    }
    return m_texts.insert(source, advice.texts(advice[source]))->value(int(column));
}

int AdviceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.order.size());
}

int AdviceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : advice::kAdviceColumnCount;
}

QVariant AdviceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_rows.order.size()) {
        return {};
    }
    const auto column = AdviceColumn(index.column());
    switch (role) {
        case Qt::DisplayRole:
            // The check's reason is the engine's Chinese caption, which
            // scripts keep; the table shows it in the engineer's language.
            return column == AdviceColumn::CheckReason ? humanText(text(index.row(), column))
                                                       : text(index.row(), column);
        case Qt::TextAlignmentRole:
            return advice::isNumericColumn(column) ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                   : int(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::DecorationRole:
            if (column == AdviceColumn::CheckVerdict) {
                static const QPixmap marks[] = {verdictMark(check::Verdict::Ok),
                                                verdictMark(check::Verdict::Warn),
                                                verdictMark(check::Verdict::Fail)};
                const check::Verdict verdict = row(index.row()).pairVerdict().verdict;
                return marks[verdict == check::Verdict::Fail   ? 2
                             : verdict == check::Verdict::Warn ? 1
                                                               : 0];
            }
            return {};
        case Qt::ToolTipRole:
            // Where the core's Ae, Le and Ve come from.
            if (column == AdviceColumn::Core && m_rows.advice.catalogue()) {
                const advice::AdviceRow& row = m_rows.advice[m_rows.order[size_t(index.row())]];
                return m_rows.advice.catalogue()->cores.value(row.core).origin;
            }
            return {};
        default:
            return {};
    }
}

QVariant AdviceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return humanText(advice::adviceColumnNames().value(section));
    }
    return section + 1;
}

QVariant AdviceFilter::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical && role == Qt::DisplayRole) {
        return section + 1;
    }
    return QSortFilterProxyModel::headerData(section, orientation, role);
}

void AdviceFilter::setFamily(const QString& family) {
    m_rule.family = family;
    invalidateRowsFilter();
}

void AdviceFilter::setMaker(const QString& maker) {
    m_rule.maker = maker;
    invalidateRowsFilter();
}

void AdviceFilter::setFeasibleOnly(bool feasibleOnly) {
    m_rule.feasibleOnly = feasibleOnly;
    invalidateRowsFilter();
}

void AdviceFilter::setPowerOnly(bool powerOnly) {
    m_rule.powerOnly = powerOnly;
    invalidateRowsFilter();
}

void AdviceFilter::setMaximumRise(double rise) {
    m_rule.maximumRise = rise;
    invalidateRowsFilter();
}

bool AdviceFilter::filterAcceptsRow(int sourceRow, const QModelIndex& parent) const {
    const auto* model = static_cast<const AdviceModel*>(sourceModel());
    if (parent.isValid() || model == nullptr) {
        return false;
    }
    return advice::passes(model->advice(), model->row(sourceRow), m_rule);
}

FrmAdvisor::FrmAdvisor(session::DesignSession& engine, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_engine(engine),
      m_model(new AdviceModel(this)),
      m_filter(new AdviceFilter(this)),
      m_table(new QTableView(this)),
      m_family(new QComboBox(this)),
      m_maker(new QComboBox(this)),
      m_feasibleOnly(new QCheckBox(tr("只看可行"), this)),
      m_powerOnly(new QCheckBox(tr("只看功率材质"), this)),
      m_export(new QPushButton(tr("导出推荐报告…"), this)),
      m_chart(new AdviceChart(this)),
      m_maximumRise(new QDoubleSpinBox(this)),
      m_progress(new QProgressBar(this)),
      m_status(new QLabel(this)) {
    setObjectName(QStringLiteral("FrmAdvisor"));
    setWindowTitle(tr("磁芯推荐"));
    resize(1240, 620);

    m_filter->setSourceModel(m_model);
    m_table->setModel(m_filter);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(int(AdviceColumn::TotalLoss), Qt::AscendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_table->installEventFilter(this);
    connect(m_filter, &AdviceFilter::sortRequested, this, &FrmAdvisor::sortRows);
    connect(m_table, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { applyRow(index.row()); });

    m_family->setObjectName(QStringLiteral("family"));
    m_maker->setObjectName(QStringLiteral("maker"));
    m_family->addItem(allItem());
    m_maker->addItem(allItem());
    m_feasibleOnly->setChecked(true);
    m_powerOnly->setObjectName(QStringLiteral("powerOnly"));
    m_powerOnly->setChecked(true);
    m_filter->setPowerOnly(true);
    m_maximumRise->setRange(0.0, 1000.0);
    m_maximumRise->setDecimals(1);
    m_maximumRise->setSpecialValueText(tr("不限"));
    m_maximumRise->setSuffix(QStringLiteral(" ℃"));
    m_progress->setVisible(false);

    connect(m_family, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        m_filter->setFamily(text == allItem() ? QString() : text);
    });
    connect(m_maker, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        m_filter->setMaker(text == allItem() ? QString() : text);
    });
    connect(m_feasibleOnly, &QCheckBox::toggled, m_filter, &AdviceFilter::setFeasibleOnly);
    connect(m_powerOnly, &QCheckBox::toggled, m_filter, &AdviceFilter::setPowerOnly);
    m_export->setObjectName(QStringLiteral("exportAdvice"));
    connect(m_export, &QPushButton::clicked, this, [this] {
        const QString design = m_engine.document().filePath();
        const QString suggested = design.isEmpty()
                                      ? QString()
                                      : QFileInfo(design).dir().filePath(
                                            QFileInfo(design).completeBaseName() + tr("-推荐.pdf"));
        const QString path = QFileDialog::getSaveFileName(this, tr("导出推荐报告"), suggested,
                                                          QStringLiteral("PDF(*.pdf)"));
        if (path.isEmpty()) {
            return;
        }
        if (const Result<void> written = exportReport(path); !written) {
            QMessageBox::warning(this, tr("导出推荐报告"),
                                 tr("导出失败：") + written.failure().text);
        }
    });
    connect(m_maximumRise, &QDoubleSpinBox::valueChanged, m_filter, &AdviceFilter::setMaximumRise);
    // The chart draws what the table shows.
    connect(m_filter, &QSortFilterProxyModel::rowsInserted, this, &FrmAdvisor::showChart);
    connect(m_filter, &QSortFilterProxyModel::rowsRemoved, this, &FrmAdvisor::showChart);
    connect(m_filter, &QSortFilterProxyModel::modelReset, this, &FrmAdvisor::showChart);
    connect(m_filter, &QSortFilterProxyModel::layoutChanged, this, &FrmAdvisor::showChart);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                const QModelIndex source = m_filter->mapToSource(current);
                m_chart->setSelected(source.isValid() ? m_model->adviceIndex(source.row()) : -1);
            });
    connect(m_chart, &AdviceChart::rowClicked, this, &FrmAdvisor::selectAdviceRow);
    connect(m_chart, &AdviceChart::rowActivated, this, [this](int adviceIndex) {
        selectAdviceRow(adviceIndex);
        if (m_table->currentIndex().isValid()) {
            applyRow(m_table->currentIndex().row());
        }
    });

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(tr("磁芯类型"), this));
    filters->addWidget(m_family);
    filters->addWidget(new QLabel(tr("厂家"), this));
    filters->addWidget(m_maker);
    filters->addWidget(m_feasibleOnly);
    filters->addWidget(m_powerOnly);
    filters->addWidget(new QLabel(tr("最高温升"), this));
    filters->addWidget(m_maximumRise);
    filters->addStretch();
    filters->addWidget(m_progress);
    filters->addWidget(m_export);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_table);
    splitter->addWidget(m_chart);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({800, 440});
    layout->addWidget(splitter, 1);
    layout->addWidget(m_status);

    m_debounce.setSingleShot(true);
    m_debounce.setInterval(kDebounceMs);
    connect(&m_debounce, &QTimer::timeout, this, &FrmAdvisor::startRun);
    m_progressTimer.setInterval(50);
    connect(&m_progressTimer, &QTimer::timeout, this, [this] {
        if (m_coresDone) {
            m_progress->setValue(m_coresDone->load(std::memory_order_relaxed));
        }
    });
    connect(&m_watcher, &QFutureWatcher<OrderedAdvice>::finished, this, &FrmAdvisor::finishRun);

    const sheet::DesignSheet& sheet = m_engine.sheet();
    connect(&sheet, &sheet::DesignSheet::textChanged, this, &FrmAdvisor::scheduleRun);
    connect(&sheet, &sheet::DesignSheet::checkChanged, this, &FrmAdvisor::scheduleRun);
    connect(&sheet, &sheet::DesignSheet::gridChanged, this, &FrmAdvisor::scheduleRun);
}

FrmAdvisor::~FrmAdvisor() {
    if (m_cancel) {
        m_cancel->store(true);
    }
    m_watcher.waitForFinished();
}

void FrmAdvisor::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    scheduleRun();
}

bool FrmAdvisor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_table->currentIndex().isValid()) {
            applyRow(m_table->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmAdvisor::applyRow(int row) {
    const QModelIndex source = m_filter->mapToSource(m_filter->index(row, 0));
    if (!source.isValid() || !m_model->snapshot()) {
        return;
    }
    // The snapshot stays alive across the cascade, whatever it schedules.
    const std::shared_ptr<const advice::CatalogueSnapshot> snapshot = m_model->snapshot();
    const AdviceRow pair = m_model->row(source.row());
    m_engine.windows().actIn(session::Window::Design);
    m_engine.applyAdvice(pair, *snapshot);
}

void FrmAdvisor::scheduleRun() {
    ++m_generation;
    ++m_designGeneration;
    if (isVisible()) {
        m_debounce.start();
    }
}

void FrmAdvisor::sortRows(int column, Qt::SortOrder order) {
    m_sortColumn = AdviceColumn(column);
    m_sortOrder = order;
    ++m_generation;
    if (isVisible()) {
        startRun();
    }
}

void FrmAdvisor::startRun() {
    if (m_watcher.isRunning()) {
        // The older run stops soon; finishing it starts this one.
        m_cancel->store(true);
        return;
    }
    m_runGeneration = m_generation;
    m_runDesignGeneration = m_designGeneration;
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_coresDone = std::make_shared<std::atomic<int>>(0);
    const AdviceColumn column = m_sortColumn;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    if (m_shownDesignGeneration == m_designGeneration) {
        // The same rows in another order.
        m_status->setText(tr("排序中…"));
        m_watcher.setFuture(
            QtConcurrent::run([rows = m_model->advice(), column, descending, cancel = m_cancel] {
                return OrderedAdvice{rows, rows.orderBy(column, descending, cancel.get())};
            }));
        return;
    }
    // The design is read here, on the GUI thread; the run sees only copies.
    const std::shared_ptr<const advice::CatalogueSnapshot> snapshot = m_engine.catalogueSnapshot();
    const advice::AdviceDesign design = m_engine.adviceDesign();
    m_runComplete = design.complete;
    const bool showProgress = snapshot->cores.size() >= kProgressCores;
    m_progress->setRange(0, int(snapshot->cores.size()));
    m_progress->setValue(0);
    m_progress->setVisible(showProgress);
    if (showProgress) {
        m_progressTimer.start();
    }
    m_status->setText(tr("计算中…"));
    m_watcher.setFuture(QtConcurrent::run([design, snapshot, column, descending, cancel = m_cancel,
                                           done = m_coresDone] {
        advice::AdviceOptions all;
        all.feasibleOnly = false;
        all.threads = 2;
        const advice::Advice rows = advice::advise(design, snapshot, all, cancel.get(), done.get());
        return OrderedAdvice{rows, rows.orderBy(column, descending, cancel.get())};
    }));
}

void FrmAdvisor::finishRun() {
    m_progressTimer.stop();
    m_progress->setVisible(false);
    if (m_runGeneration != m_generation) {
        startRun();
        return;
    }
    OrderedAdvice rows = m_watcher.result();
    m_shownDesignGeneration = m_runDesignGeneration;
    int feasible = 0;
    for (const AdviceRow& row : rows.advice) {
        feasible += row.feasible ? 1 : 0;
    }
    m_status->setText(m_runComplete
                          ? tr("%1 个组合，其中 %2 个可行").arg(rows.advice.size()).arg(feasible)
                          : advice::incompleteDesignMessage());
    m_model->setAdvice(std::move(rows));
    refillMakers();
    Q_EMIT rowsShown();
}

Result<void> FrmAdvisor::exportReport(const QString& path) {
    // The chart at a size that reads on A4, drawn apart from the window's.
    QTemporaryDir directory;
    const QString chartImage = directory.filePath(QStringLiteral("chart.png"));
    AdviceChart chart;
    chart.resize(900, 560);
    chart.setRows(m_model->advice(), shownRows(), m_filter->rule());
    if (!directory.isValid() || !chart.grab().save(chartImage)) {
        return Failure{tr("无法绘制推荐图表")};
    }
    report::DesignReport report =
        session::sessionReport(m_engine, m_engine.document().filePath(), QDate::currentDate());
    report.sections.append(session::adviceReportSection(m_model->advice(), m_model->order(),
                                                        m_filter->rule(), 20, chartImage));
    return render::writeReportPdf(report, path);
}

std::vector<int> FrmAdvisor::shownRows() const {
    std::vector<int> shown;
    shown.reserve(size_t(m_filter->rowCount()));
    for (int row = 0; row < m_filter->rowCount(); ++row) {
        shown.push_back(m_model->adviceIndex(m_filter->mapToSource(m_filter->index(row, 0)).row()));
    }
    return shown;
}

void FrmAdvisor::showChart() {
    m_chart->setRows(m_model->advice(), shownRows(), m_filter->rule());
    const QModelIndex current = m_filter->mapToSource(m_table->currentIndex());
    if (current.isValid()) {
        m_chart->setSelected(m_model->adviceIndex(current.row()));
    }
}

void FrmAdvisor::selectAdviceRow(int adviceIndex) {
    const QModelIndex shown =
        m_filter->mapFromSource(m_model->index(m_model->rowOfAdvice(adviceIndex), 0));
    if (shown.isValid()) {
        m_table->setCurrentIndex(shown);
        m_table->scrollTo(shown);
    }
}

void FrmAdvisor::refillMakers() {
    const std::shared_ptr<const advice::CatalogueSnapshot> shown = m_model->snapshot();
    if (!shown) {
        return;
    }
    const advice::CatalogueSnapshot& snapshot = *shown;
    QStringList families;
    QStringList makers;
    QSet<QString> seenFamilies;
    QSet<QString> seenMakers;
    for (const advice::CoreRecord& core : snapshot.cores) {
        const QString family = catalogue::coreFamily(core.name);
        if (!family.isEmpty() && !seenFamilies.contains(family)) {
            seenFamilies.insert(family);
            families.append(family);
        }
        if (!core.factory.isEmpty() && !seenMakers.contains(core.factory)) {
            seenMakers.insert(core.factory);
            makers.append(core.factory);
        }
    }
    families.sort();
    makers.sort();
    for (auto [box, items] : {std::pair{m_family, families}, std::pair{m_maker, makers}}) {
        const QString current = box->currentText();
        const QSignalBlocker blocker(box);
        box->clear();
        box->addItem(allItem());
        box->addItems(items);
        box->setCurrentIndex(std::max(0, box->findText(current)));
    }
}

}  // namespace kelvane::gui
