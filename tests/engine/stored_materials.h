#pragma once

#include "engine/catalogue/catalogue_schema.h"
#include "engine/catalogue/data_source.h"

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace kelvane::tests {

// How a stored cell is read back: as the material fields show it, or as
// SQLite quotes it (so that a number stored as text, or an empty text
// stored instead of NULL, shows).
enum class CellForm { Shown, Quoted };

// Every stored row of `materials` in the catalogue at `path`, in rowid
// order, the 26 columns in field order.
inline QVector<QStringList> storedMaterials(const QString& path, CellForm form) {
    const QString connection = QStringLiteral("stored-materials");
    QVector<QStringList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QStringList cells;
        for (int index = 0; index <= 25; ++index) {
            const QString column = catalogue::quoted(catalogue::materialColumnOfField(index));
            cells.append(form == CellForm::Quoted ? QStringLiteral("quote(%1)").arg(column)
                                                  : column);
        }
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(
            QStringLiteral("SELECT %1 FROM materials ORDER BY rowid").arg(cells.join(u','))));
        while (query.next()) {
            QStringList row;
            for (int index = 0; index <= 25; ++index) {
                row.append(form == CellForm::Quoted ? query.value(index).toString()
                                                    : catalogue::valueText(query.value(index)));
            }
            rows.append(row);
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}

}  // namespace kelvane::tests
