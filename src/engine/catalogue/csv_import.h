#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace kelvane::catalogue {

// One field of a CSV record and whether it was written in quotes.
struct CsvField {
    QString text;
    bool quoted = false;
};

// parseCsvFields() — the records of a comma-separated text: fields may be quoted
// with '"' (a doubled quote inside is one quote), records end with LF or
// CR LF, a leading UTF-8 byte-order mark is dropped. Throws kelvane::Error
// naming the line of an unterminated quote.
[[nodiscard]] QVector<QVector<CsvField>> parseCsvFields(const QString& text);

// parseCsv() — the same records as texts alone.
[[nodiscard]] QVector<QStringList> parseCsv(const QString& text);

// importCatalogue() — fills the catalogue file at `databasePath` (created
// when missing) from CSV files with a header row: the rows of each table
// given are replaced. Header names must be columns of the table (matched
// without regard to case; columns left out stay empty); number columns take
// "." decimals, an empty cell is an empty value, and a quoted cell of a
// text column is that text even when empty or blank. Everything happens in one
// transaction: on any error (reported as kelvane::Error with the file and
// line) the catalogue is left as it was. An empty path skips that table.
// Returns the number of rows imported per table, materials first.
std::pair<int, int> importCatalogue(const QString& databasePath, const QString& materialsCsv,
                                    const QString& coresCsv);

}  // namespace kelvane::catalogue
