#pragma once

#include "engine/base/result.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace kelvane::catalogue {

// One record of a CSV text and the line it starts on (1-based); quoted[i]
// tells whether fields[i] was written in quotes.
struct CsvRecord {
    int line = 1;
    QStringList fields;
    QVector<bool> quoted;
};

// parseCsv() — the records of a comma-separated text: fields may be quoted
// with '"' (a doubled quote inside is one quote), records end with LF or
// CR LF, a leading UTF-8 byte-order mark is dropped. Fails with
// "FILE:LINE: unterminated quote", FILE being `fileName`.
Result<QVector<CsvRecord>> parseCsv(const QString& text, const QString& fileName);

// importCatalogue() — fills the catalogue file at `databasePath` (created
// when missing) from CSV files with a header row: the rows of each table
// given are replaced. The files are UTF-8 text. Header names must be columns
// of the table, each named once (matched without regard to case; columns
// left out stay empty); number columns take "." decimals, and a number
// beyond the double range is refused. An empty cell is an empty value, but
// a quoted cell of a text column is that text even when empty or blank.
// Everything happens in one transaction: on any error the catalogue is left
// as it was. A failure reads "FILE:LINE: reason" and names the line, or
// "FILE: reason" when no line is at fault (a file that cannot be read, a
// database failure). An empty path skips that table. Returns the number of
// rows imported per table, materials first.
Result<std::pair<int, int>> importCatalogue(const QString& databasePath,
                                            const QString& materialsCsv, const QString& coresCsv);

}  // namespace kelvane::catalogue
