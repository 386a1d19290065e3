#pragma once

#include "engine/base/result.h"
#include "engine/catalogue/data_source.h"

#include <QSqlDatabase>
#include <QString>

namespace kelvane::catalogue {

// The catalogue file and its two data sources: Data1 on `materials`, Data2
// on `CORE`. The file is opened for reading and writing but never created:
// a missing file is an error, reported in the database's own words.
class Catalogue {
public:
    Catalogue();
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // Opens the file; on failure the data sources stay empty and the
    // failure has the database's text. A file without both tables opens,
    // but fails with a line "no such table: NAME" for each one missing.
    Result<void> open(const QString& path);
    [[nodiscard]] const QString& path() const { return m_path; }
    // The open connection (an invalid one before a successful open).
    [[nodiscard]] QSqlDatabase database() const;

    [[nodiscard]] DataSource& materials() { return m_materials; }
    [[nodiscard]] const DataSource& materials() const { return m_materials; }
    [[nodiscard]] DataSource& cores() { return m_cores; }
    [[nodiscard]] const DataSource& cores() const { return m_cores; }

private:
    QString m_connection;
    QString m_path;
    DataSource m_materials;
    DataSource m_cores;
};

}  // namespace kelvane::catalogue
