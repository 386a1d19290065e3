#pragma once

#include "engine/advice/core_adviser.h"

#include <vector>

namespace kelvane::advice {

// What the adviser window shows of a run, and the command line too.
struct AdviceFilter {
    QString family;  // a core family code; "" for every family
    QString maker;   // "" for every maker
    bool feasibleOnly = true;
    bool powerOnly = false;
    double maximumRise = 0.0;  // 0: no limit
};

// passes() — whether a row of `advice` is shown under `filter`.
[[nodiscard]] bool passes(const Advice& advice, const AdviceRow& row, const AdviceFilter& filter);

// paretoFront() — among the feasible rows `filter` shows, those no other
// beats on both core volume and total loss (smaller and no hotter, or
// cooler and no larger), by index into `advice`, by ascending volume.
[[nodiscard]] std::vector<int> paretoFront(const Advice& advice, const AdviceFilter& filter = {});

// orderedRows() — the rows of a run in the order of its key, ties in
// catalogue order; with a limit only that many first rows, put in order
// without sorting the rest.
[[nodiscard]] std::vector<AdviceRow> orderedRows(std::vector<AdviceRow> rows,
                                                 const AdviceOptions& options,
                                                 const CatalogueSnapshot& catalogue);

}  // namespace kelvane::advice
