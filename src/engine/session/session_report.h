#pragma once

#include "engine/advice/advice_order.h"
#include "engine/report/design_report.h"

#include <QDate>
#include <QString>

namespace kelvane::session {

class DesignSession;

// sessionReport() — the design report of what the window shows, with the
// current core's area product from the catalogue (when the current core
// record is the core the design names) and the design file's name without
// its folder; then the design check and the construction sheet, with the
// check's banner when an item fails.
[[nodiscard]] report::DesignReport sessionReport(const DesignSession& session,
                                                 const QString& designFile, const QDate& date);

// adviceReportSection() — the adviser's rows under `filter` for the report
// exported from the adviser window: how many there are, the first `rows`
// of them as the window orders them, the Pareto front, and the chart drawn
// into `chartImage`.
[[nodiscard]] report::ReportSection adviceReportSection(const advice::Advice& advice,
                                                        const std::vector<int>& order,
                                                        const advice::AdviceFilter& filter,
                                                        int rows, const QString& chartImage);

}  // namespace kelvane::session
