#include "engine/catalogue/catalogue_schema.h"

#include "engine/sheet/design_sheet.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QStringList>

#include <utility>

namespace kelvane::catalogue {
namespace {

Column text(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Text};
}

Column number(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Number};
}

// A column as CREATE TABLE and ALTER TABLE … ADD COLUMN name it ("ORIGIN" TEXT).
QString columnDefinition(const Column& column) {
    return quoted(column.name) +
           (column.type == ColumnType::Text ? QStringLiteral(" TEXT") : QStringLiteral(" REAL"));
}

QString columnDefinitions(const QVector<Column>& columns) {
    QStringList definitions;
    for (const Column& column : columns) {
        definitions.append(columnDefinition(column));
    }
    return definitions.join(QStringLiteral(", "));
}

const QVector<Column>& materialColumnsInFieldOrder() {
    static const QVector<Column> columns = {
#define KELVANE_COLUMN(id, name, type) {QStringLiteral(name), ColumnType::type},
        KELVANE_MATERIAL_COLUMNS(KELVANE_COLUMN)
#undef KELVANE_COLUMN
    };
    return columns;
}

}  // namespace

const QVector<Column>& materialColumns() {
    static const QVector<Column> columns = [] {
        QVector<Column> list = materialColumnsInFieldOrder();
        // The table holds the tolerance right after the permeability; in
        // field order it is TxtApp(22).
        list.move(int(sheet::MaterialColumn::Tolerance),
                  int(sheet::MaterialColumn::InitialPermeability) + 1);
        return list;
    }();
    return columns;
}

const QVector<Column>& coreColumns() {
    static const QVector<Column> columns = {
        text("NAME"),    number("A"),       number("B"),          number("C"),  number("D"),
        number("e"),     number("f"),       number("C1"),         number("le"), number("ae"),
        number("ve"),    number("Aw"),      number("W"),          number("AP"), number("price"),
        text("FACTORY"), text("matrialNO"), text("materialname"), number("AL"), number("lW"),
        text("ORIGIN"),
    };
    return columns;
}

QString materialColumnOfField(int index) {
    return materialColumnsInFieldOrder().at(index).name;
}

QString materialColumnName(sheet::MaterialColumn column) {
    return materialColumnOfField(int(column));
}

const QVector<GridColumn>& coreGridColumns() {
    static const QVector<GridColumn> columns = [] {
        QVector<GridColumn> list = {
            {QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "磁芯规格")),
             QStringLiteral("NAME")},
            // How far the row's Ae, le and Ve can be trusted, beside its name.
            {QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "数据来源")),
             QStringLiteral("ORIGIN")},
            {QStringLiteral("A"), QStringLiteral("A")},
            {QStringLiteral("B"), QStringLiteral("B")},
            {QStringLiteral("C"), QStringLiteral("C")},
            {QStringLiteral("D"), QStringLiteral("D")},
            {QStringLiteral("e"), QStringLiteral("e")},
            {QStringLiteral("f"), QStringLiteral("f")},
            {QStringLiteral("C1"), QStringLiteral("C1")},
            {QStringLiteral("le"), QStringLiteral("le")},
            {QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "磁芯中柱面积")),
             QStringLiteral("ae")},
            {QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "体积")), QStringLiteral("ve")},
            {QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "窗口面积")),
             QStringLiteral("Aw")},
            {QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "重量")), QStringLiteral("W")},
            {QStringLiteral("AP"), QStringLiteral("AP")},
            {QStringLiteral("price"), QStringLiteral("price")},
            {QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "生产厂家")),
             QStringLiteral("FACTORY")},
            {QStringLiteral("matrialNO"), QStringLiteral("matrialNO")},
            {QStringLiteral("materialname"), QStringLiteral("materialname")},
            {QStringLiteral("AL"), QStringLiteral("AL")},
        };
        for (int i = 8; i <= 20; ++i) {
            const QString name = QStringLiteral("A%1").arg(i);
            list.append({name, name});
        }
        return list;
    }();
    return columns;
}

std::optional<Column> findColumn(const QVector<Column>& columns, const QString& name) {
    for (const Column& column : columns) {
        if (column.name.compare(name, Qt::CaseInsensitive) == 0) {
            return column;
        }
    }
    return std::nullopt;
}

QString quoted(const QString& identifier) {
    QString escaped = identifier;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

QStringList schemaStatements(const QSqlDatabase& database) {
    QStringList statements;
    for (const auto& [table, columns] : {std::pair{QStringLiteral("materials"), &materialColumns()},
                                         std::pair{QStringLiteral("CORE"), &coreColumns()}}) {
        const QSqlRecord stored = database.record(table);
        if (stored.isEmpty()) {
            statements.append(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                                  .arg(table, columnDefinitions(*columns)));
            continue;
        }
        // A catalogue made before a column was added gets it, empty in
        // every row.
        for (const Column& column : *columns) {
            if (stored.indexOf(column.name) < 0) {
                statements.append(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                      .arg(table, columnDefinition(column)));
            }
        }
    }
    statements.append(QStringLiteral("CREATE INDEX IF NOT EXISTS CORE_AP ON CORE (AP)"));
    return statements;
}

}  // namespace kelvane::catalogue
