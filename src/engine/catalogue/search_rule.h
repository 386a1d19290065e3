#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace kelvane::catalogue {

// The prefix search of the core and material boxes, in its two forms: the
// LIKE pattern the catalogue's query runs, and the same test in memory for
// the adviser's snapshot. "*" stands for any characters, the search ends
// with any characters; "%", "_" and "\" are themselves; ASCII letters match
// either case and no other letter does, as SQLite's LIKE.

// prefixPattern() — the LIKE pattern of `search`, with ESCAPE '\'.
[[nodiscard]] QString prefixPattern(const QString& search);

// One search, split once, tested against many values.
class PrefixSearch {
public:
    // `search` already trimmed.
    explicit PrefixSearch(const QString& search) : m_parts(search.split(u'*')) {}
    // Whether `value` is listed by the search.
    [[nodiscard]] bool matches(QStringView value) const;

private:
    QStringList m_parts;
};

// matchesPrefixSearch() — whether `value` is listed by the search for
// `search` (already trimmed).
[[nodiscard]] bool matchesPrefixSearch(QStringView value, const QString& search);

}  // namespace kelvane::catalogue
