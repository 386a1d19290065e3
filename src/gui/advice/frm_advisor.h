#pragma once

#include "engine/advice/core_adviser.h"

#include <QAbstractTableModel>
#include <QFutureWatcher>
#include <QHash>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <memory>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QTableView;

namespace kelvane::session {
class DesignSession;
}

namespace kelvane::gui {

// The rows of one adviser run, every candidate pair.
class AdviceModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The value a column sorts by (numbers for the numeric columns).
    static constexpr int kSortRole = Qt::UserRole;
    static constexpr int kFeasibleRole = Qt::UserRole + 1;

    explicit AdviceModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setAdvice(advice::Advice advice);
    [[nodiscard]] const advice::AdviceRow& row(int index) const { return m_advice[index]; }
    [[nodiscard]] std::shared_ptr<const advice::CatalogueSnapshot> snapshot() const {
        return m_advice.catalogue();
    }
    [[nodiscard]] QString text(int index, advice::AdviceColumn column) const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    advice::Advice m_advice;
    // The texts of the rows shown lately: a row's texts are written at once.
    mutable QHash<int, QStringList> m_texts;
};

// The filters of the window: core family, maker, feasible only, the
// highest temperature rise.
class AdviceFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit AdviceFilter(QObject* parent = nullptr);
    void setFamily(const QString& family);
    void setMaker(const QString& maker);
    void setFeasibleOnly(bool feasibleOnly);
    // 0: no limit.
    void setMaximumRise(double rise);

protected:
    [[nodiscard]] bool filterAcceptsRow(int sourceRow, const QModelIndex& parent) const override;

private:
    QString m_family;
    QString m_maker;
    bool m_feasibleOnly = true;
    double m_maximumRise = 0.0;
};

// FrmAdvisor: every core with every material for the current design. Runs
// off the GUI thread as the design changes; a newer design cancels an older
// run. A double-click or Enter on a row applies its pair to the design.
class FrmAdvisor : public QWidget {
    Q_OBJECT

public:
    explicit FrmAdvisor(session::DesignSession& engine, QWidget* parent = nullptr);
    ~FrmAdvisor() override;

    [[nodiscard]] QTableView* table() const { return m_table; }
    [[nodiscard]] AdviceFilter* filter() const { return m_filter; }
    // Applies the pair of row `row` of the table as shown (sorted, filtered).
    void applyRow(int row);
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
    void startRun();
    void finishRun();
    void refillMakers();

    session::DesignSession& m_engine;
    AdviceModel* m_model;
    AdviceFilter* m_filter;
    QTableView* m_table;
    QComboBox* m_family;
    QComboBox* m_maker;
    QCheckBox* m_feasibleOnly;
    QDoubleSpinBox* m_maximumRise;
    QProgressBar* m_progress;
    QLabel* m_status;
    QTimer m_debounce;
    QTimer m_progressTimer;
    QFutureWatcher<advice::Advice> m_watcher;
    // The run in progress: its cancel flag, its progress, its catalogue.
    std::shared_ptr<std::atomic<bool>> m_cancel;
    std::shared_ptr<std::atomic<int>> m_coresDone;
    std::shared_ptr<const advice::CatalogueSnapshot> m_running;
    quint64 m_generation = 0;
    quint64 m_runGeneration = 0;
};

}  // namespace kelvane::gui
