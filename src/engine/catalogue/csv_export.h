#pragma once

#include "engine/base/result.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <utility>

namespace kelvane::catalogue {

// csvNumber() — a number as the importer reads it back to the same double:
// the shortest exact digits in plain decimal form, "." as separator, never
// an exponent; zero is "0". No text for a non-finite number.
[[nodiscard]] std::optional<QString> csvNumber(double value);

// csvRecord() — one CSV line (no line end) of catalogue values: an empty
// value (null) is an empty field, a text is always quoted so that an empty
// or blank text stays a text, a number is written with csvNumber(). Fails
// for a number that is not finite.
Result<QString> csvRecord(const QVariantList& values);

// exportCatalogue() — writes the tables of the catalogue file at
// `databasePath` as CSV files (UTF-8, CR LF) that importCatalogue() reads
// back to the same rows: a header row with every column in table order
// (those the catalogue has), then the rows in catalogue order. An empty path skips that table.
// Fails for a missing catalogue, a failed write or a value that has no CSV form. Returns the rows
// written per table, materials first.
Result<std::pair<int, int>> exportCatalogue(const QString& databasePath,
                                            const QString& materialsCsv, const QString& coresCsv);

}  // namespace kelvane::catalogue
