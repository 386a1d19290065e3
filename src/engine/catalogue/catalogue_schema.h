#pragma once

#include <QString>
#include <QVector>

#include <optional>

class QSqlDatabase;

namespace kelvane::sheet {
enum class MaterialColumn;
}

namespace kelvane::catalogue {

enum class ColumnType { Text, Number };

struct Column {
    QString name;  // exactly as the catalogue names it, blanks and all
    ColumnType type;
};

// The columns of table `materials`, in the order of the material fields'
// catalogue (Application, Type, InitialPermeability, ...).
[[nodiscard]] const QVector<Column>& materialColumns();
// The columns of table `CORE`; ORIGIN says where a row's effective
// parameters come from (core_family.h).
[[nodiscard]] const QVector<Column>& coreColumns();

// The column that TxtApp(index) shows, for index 0..25.
[[nodiscard]] QString materialColumnOfField(int index);
[[nodiscard]] QString materialColumnName(sheet::MaterialColumn column);

// The columns of the core grid DBGrid2 with their captions, in grid order.
struct GridColumn {
    QString caption;
    QString column;
};
[[nodiscard]] const QVector<GridColumn>& coreGridColumns();

// A column of `columns` by name, matched without regard to case.
[[nodiscard]] std::optional<Column> findColumn(const QVector<Column>& columns, const QString& name);

// An SQL identifier in double quotes ("PL 25kHz 200mT 25c").
[[nodiscard]] QString quoted(const QString& identifier);

// What makes the open catalogue `database` hold both tables with every
// column: CREATE TABLE for a missing table, ALTER TABLE … ADD COLUMN for a
// column an existing one lacks, then the index on CORE.AP.
[[nodiscard]] QStringList schemaStatements(const QSqlDatabase& database);

}  // namespace kelvane::catalogue
