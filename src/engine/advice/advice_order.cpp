#include "engine/advice/advice_order.h"

#include "engine/catalogue/core_family.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace kelvane::advice {

namespace {

// The rows in the order of `key`, ties in the order they come in. One
// counting pass puts them into buckets that never decrease as the key
// grows; a bucket that holds different keys is then sorted by key.
template <typename Key, typename Bucket>
std::vector<AdviceRow> sortedByBuckets(const std::vector<AdviceRow>& rows, size_t buckets, Key key,
                                       Bucket bucket) {
    std::vector<size_t> start(buckets + 1, 0);
    for (const AdviceRow& row : rows) {
        ++start[bucket(row) + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<size_t> next(start.begin(), start.end() - 1);
    std::vector<AdviceRow> sorted(rows.size());
    for (const AdviceRow& row : rows) {
        sorted[next[bucket(row)]++] = row;
    }
    const auto byKey = [&key](const AdviceRow& a, const AdviceRow& b) { return key(a) < key(b); };
    for (size_t b = 0; b < buckets; ++b) {
        const auto first = sorted.begin() + std::ptrdiff_t(start[b]);
        const auto last = sorted.begin() + std::ptrdiff_t(start[b + 1]);
        if (last - first > 1 && !std::is_sorted(first, last, byKey)) {
            std::stable_sort(first, last, byKey);
        }
    }
    return sorted;
}

// The rows by a key read from a text with as many decimals as `scale` has
// zeros (+infinity for none), bucketed by the key in units of its last
// decimal. Keys too large for that, or too spread out, are sorted by
// comparison.
template <typename Key>
std::vector<AdviceRow> sortedByDecimalKey(std::vector<AdviceRow> rows, Key key, double scale) {
    constexpr double kExactWhole = 4503599627370496.0;  // 2^52
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    bool whole = true;
    for (const AdviceRow& row : rows) {
        const double k = key(row);
        if (k == std::numeric_limits<double>::infinity()) {
            continue;
        }
        const double scaled = k * scale;
        if (!(std::fabs(scaled) < kExactWhole)) {
            whole = false;
            break;
        }
        low = std::min(low, scaled);
        high = std::max(high, scaled);
    }
    // Keys in units of their last decimal, less the lowest, lie near whole
    // numbers: adding a half and truncating gives each its bucket.
    const double spread = high >= low ? high - low + 1.5 : 0.0;
    if (!whole || spread > std::max(4.0 * double(rows.size()), 65536.0)) {
        std::stable_sort(rows.begin(), rows.end(), [&key](const AdviceRow& a, const AdviceRow& b) {
            return key(a) < key(b);
        });
        return rows;
    }
    const size_t infinite = size_t(spread);
    return sortedByBuckets(rows, infinite + 1, key, [&](const AdviceRow& row) {
        const double k = key(row);
        if (k == std::numeric_limits<double>::infinity()) {
            return infinite;
        }
        // NOLINTNEXTLINE(bugprone-incorrect-roundings): never negative, low being the least key.
        return size_t(k * scale - low + 0.5);
    });
}

std::vector<AdviceRow> sortedRows(std::vector<AdviceRow> rows, AdviceOrder order,
                                  const CatalogueSnapshot& catalogue) {
    switch (order) {
        case AdviceOrder::TemperatureRise:
            return sortedByDecimalKey(
                std::move(rows),
                [](const AdviceRow& row) {
                    return row.hasTemperatureRise ? row.temperatureRise
                                                  : std::numeric_limits<double>::infinity();
                },
                10.0);
        case AdviceOrder::Volume: {
            // The cores ranked by volume, equal volumes alike.
            std::vector<int> byVolume(size_t(catalogue.cores.size()));
            std::iota(byVolume.begin(), byVolume.end(), 0);
            const auto volume = [&catalogue](int c) { return catalogue.cores[c].volume; };
            std::stable_sort(byVolume.begin(), byVolume.end(),
                             [&volume](int a, int b) { return volume(a) < volume(b); });
            std::vector<size_t> rank(byVolume.size());
            size_t ranks = 0;
            for (size_t i = 0; i < byVolume.size(); ++i) {
                if (i > 0 && volume(byVolume[i]) != volume(byVolume[i - 1])) {
                    ++ranks;
                }
                rank[size_t(byVolume[i])] = ranks;
            }
            return sortedByBuckets(
                rows, ranks + 1, [&volume](const AdviceRow& row) { return volume(row.core); },
                [&rank](const AdviceRow& row) { return rank[size_t(row.core)]; });
        }
        case AdviceOrder::TotalLoss:
            break;
    }
    return sortedByDecimalKey(
        std::move(rows), [](const AdviceRow& row) { return row.totalLoss; }, 1000.0);
}

}  // namespace

// The rows in the order of the run's key, ties in catalogue order; with a
// limit, only that many first rows, put in order without sorting the rest.
std::vector<AdviceRow> orderedRows(std::vector<AdviceRow> rows, const AdviceOptions& options,
                                   const CatalogueSnapshot& catalogue) {
    if (options.limit <= 0 || size_t(options.limit) >= rows.size() ||
        options.order == AdviceOrder::Volume) {
        std::vector<AdviceRow> sorted = sortedRows(std::move(rows), options.order, catalogue);
        if (options.limit > 0 && size_t(options.limit) < sorted.size()) {
            sorted.resize(size_t(options.limit));
        }
        return sorted;
    }
    // Rows come in catalogue order: the index breaks ties.
    const auto key = [&options](const AdviceRow& row) {
        if (options.order == AdviceOrder::TemperatureRise) {
            return row.hasTemperatureRise ? row.temperatureRise
                                          : std::numeric_limits<double>::infinity();
        }
        return row.totalLoss;
    };
    std::vector<size_t> index(rows.size());
    std::iota(index.begin(), index.end(), size_t(0));
    const auto before = [&](size_t a, size_t b) {
        const double ka = key(rows[a]);
        const double kb = key(rows[b]);
        return ka < kb || (!(kb < ka) && a < b);
    };
    const auto middle = index.begin() + std::ptrdiff_t(options.limit);
    std::nth_element(index.begin(), middle, index.end(), before);
    std::sort(index.begin(), middle, before);
    std::vector<AdviceRow> first;
    first.reserve(size_t(options.limit));
    for (auto i = index.begin(); i != middle; ++i) {
        first.push_back(rows[*i]);
    }
    return first;
}

bool passes(const Advice& advice, const AdviceRow& row, const AdviceFilter& filter) {
    const std::shared_ptr<const CatalogueSnapshot> catalogue = advice.catalogue();
    if (!catalogue || (filter.feasibleOnly && !row.feasible)) {
        return false;
    }
    const CoreRecord& core = catalogue->cores[row.core];
    if (filter.powerOnly && !catalogue->materials[row.material].power) {
        return false;
    }
    if (!filter.family.isEmpty() && catalogue::coreFamily(core.name) != filter.family) {
        return false;
    }
    if (!filter.maker.isEmpty() && core.factory != filter.maker) {
        return false;
    }
    return !(filter.maximumRise > 0.0) ||
           (row.hasTemperatureRise && row.temperatureRise <= filter.maximumRise);
}

std::vector<int> paretoFront(const Advice& advice, const AdviceFilter& filter) {
    const std::shared_ptr<const CatalogueSnapshot> catalogue = advice.catalogue();
    if (!catalogue) {
        return {};
    }
    std::vector<int> feasible;
    for (int i = 0; i < int(advice.size()); ++i) {
        if (advice[i].feasible && passes(advice, advice[i], filter) &&
            catalogue->cores[advice[i].core].volumeCm3 > 0.0) {
            feasible.push_back(i);
        }
    }
    const auto volume = [&](int i) { return catalogue->cores[advice[i].core].volumeCm3; };
    std::stable_sort(feasible.begin(), feasible.end(), [&](int a, int b) {
        return volume(a) < volume(b) ||
               (volume(a) == volume(b) && advice[a].totalLoss < advice[b].totalLoss);
    });
    // By ascending volume, a row is on the front when it is cooler than
    // every smaller one.
    std::vector<int> front;
    for (const int i : feasible) {
        if (front.empty() || advice[i].totalLoss < advice[front.back()].totalLoss) {
            front.push_back(i);
        }
    }
    return front;
}
}  // namespace kelvane::advice
