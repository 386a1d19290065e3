#pragma once

#include "engine/advice/advice_order.h"
#include "engine/base/result.h"

#include <QAbstractTableModel>
#include <QFutureWatcher>
#include <QHash>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace kelvane::session {
class DesignSession;
}

namespace kelvane::gui {

// The rows of one adviser run in an order of the table's choice.
struct OrderedAdvice {
    advice::Advice advice;
    std::vector<int> order;  // indexes into advice, in the table's order
};

// The rows of one adviser run, every candidate pair.
class AdviceModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit AdviceModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setAdvice(OrderedAdvice rows);
    [[nodiscard]] const advice::Advice& advice() const { return m_rows.advice; }
    [[nodiscard]] const advice::AdviceRow& row(int index) const {
        return m_rows.advice[m_rows.order[size_t(index)]];
    }
    // The index into the advice of a row, and the row of an index.
    [[nodiscard]] int adviceIndex(int index) const { return m_rows.order[size_t(index)]; }
    [[nodiscard]] const std::vector<int>& order() const { return m_rows.order; }
    [[nodiscard]] int rowOfAdvice(int adviceIndex) const { return m_rowOf[size_t(adviceIndex)]; }
    [[nodiscard]] std::shared_ptr<const advice::CatalogueSnapshot> snapshot() const {
        return m_rows.advice.catalogue();
    }
    [[nodiscard]] QString text(int index, advice::AdviceColumn column) const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    OrderedAdvice m_rows;
    std::vector<int> m_rowOf;
    // The texts of the rows shown lately, by index into the advice: a row's
    // texts are written at once.
    mutable QHash<int, QStringList> m_texts;
};

// The filters of the window: core family, maker, feasible only, power
// materials only, the highest temperature rise, by the engine's rule.
// Sorting is asked of the window, which orders the rows off the GUI
// thread; the filter keeps the model's order.
class AdviceFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit AdviceFilter(QObject* parent = nullptr) : QSortFilterProxyModel(parent) {}
    void sort(int column, Qt::SortOrder order) override { Q_EMIT sortRequested(column, order); }
    // Rows are numbered as shown, whatever the filters hide.
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    void setFamily(const QString& family);
    void setMaker(const QString& maker);
    void setFeasibleOnly(bool feasibleOnly);
    void setPowerOnly(bool powerOnly);
    // 0: no limit.
    void setMaximumRise(double rise);
    [[nodiscard]] const advice::AdviceFilter& rule() const { return m_rule; }

Q_SIGNALS:
    void sortRequested(int column, Qt::SortOrder order);

protected:
    [[nodiscard]] bool filterAcceptsRow(int sourceRow, const QModelIndex& parent) const override;

private:
    advice::AdviceFilter m_rule;
};

class AdviceChart;

// FrmAdvisor: every core with every material for the current design. Runs
// off the GUI thread as the design changes; a newer design cancels an older
// run. A double-click or Enter on a row applies its pair to the design.
class FrmAdvisor : public QWidget {
    Q_OBJECT

public:
    explicit FrmAdvisor(session::DesignSession& engine, QWidget* parent = nullptr);
    ~FrmAdvisor() override;

    [[nodiscard]] QTableView* table() const { return m_table; }
    [[nodiscard]] AdviceChart* chart() const { return m_chart; }
    [[nodiscard]] AdviceFilter* filter() const { return m_filter; }
    // Applies the pair of row `row` of the table as shown (sorted, filtered).
    void applyRow(int row);
    // Writes the design report with the adviser's section: the first rows
    // the window shows, the front and the chart.
    Result<void> exportReport(const QString& path);
    // Whether a run is going on.
    [[nodiscard]] bool isRunning() const { return m_watcher.isRunning(); }

Q_SIGNALS:
    // A run finished and its rows are shown.
    void rowsShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void scheduleRun();
    void sortRows(int column, Qt::SortOrder order);
    void startRun();
    void finishRun();
    void refillMakers();
    // The rows the filters show, by index into the advice, in the table's order.
    [[nodiscard]] std::vector<int> shownRows() const;
    void showChart();
    void selectAdviceRow(int adviceIndex);

    session::DesignSession& m_engine;
    AdviceModel* m_model;
    AdviceFilter* m_filter;
    QTableView* m_table;
    QComboBox* m_family;
    QComboBox* m_maker;
    QCheckBox* m_feasibleOnly;
    QCheckBox* m_powerOnly;
    QPushButton* m_export;
    AdviceChart* m_chart;
    QDoubleSpinBox* m_maximumRise;
    QProgressBar* m_progress;
    QLabel* m_status;
    QTimer m_debounce;
    QTimer m_progressTimer;
    QFutureWatcher<OrderedAdvice> m_watcher;
    // The run in progress: its cancel flag, its progress.
    std::shared_ptr<std::atomic<bool>> m_cancel;
    std::shared_ptr<std::atomic<int>> m_coresDone;
    // Every change of the design or of the order is a new generation; the
    // rows shown belong to the latest when the two match.
    quint64 m_generation = 0;
    quint64 m_runGeneration = 0;
    // The design's own generations: a new order alone needs no new run.
    quint64 m_designGeneration = 1;
    quint64 m_runDesignGeneration = 0;
    // Whether the design of the latest run could be advised on.
    bool m_runComplete = true;
    quint64 m_shownDesignGeneration = 0;
    advice::AdviceColumn m_sortColumn = advice::AdviceColumn::TotalLoss;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

}  // namespace kelvane::gui
