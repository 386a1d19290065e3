#include "engine/catalogue/catalogue_schema.h"

#include <QStringList>

namespace kelvane::catalogue {
namespace {

Column text(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Text};
}

Column number(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Number};
}

QString columnDefinitions(const QVector<Column>& columns) {
    QStringList definitions;
    for (const Column& column : columns) {
        definitions.append(quoted(column.name) + (column.type == ColumnType::Text
                                                      ? QStringLiteral(" TEXT")
                                                      : QStringLiteral(" REAL")));
    }
    return definitions.join(QStringLiteral(", "));
}

}  // namespace

const QVector<Column>& materialColumns() {
    static const QVector<Column> columns = {
        text("Application"),
        text("Type"),
        number("InitialPermeability"),
        number("Tolerance(%)"),
        number("CurieTemperature"),
        number("FluxDensity"),
        number("Remanence"),
        number("Coercivity"),
        number("Resisitivity"),
        number("Density"),
        number("PL 25kHz 200mT 25c"),
        number("PL 25kHz 200mT 60c"),
        number("PL 25kHz 200mT 100c"),
        number("PL 25kHz 200mT 120c"),
        number("PL 100kHz 200mT 25c"),
        number("PL 100kHz 200mT 60c"),
        number("PL 100kHz 200mT 100c"),
        number("PL 100kHz 200mT 120c"),
        number("PL 500kHz 200mT 25c"),
        number("PL 500kHz 200mT 60c"),
        number("PL 500kHz 200mT 100c"),
        number("PL 500kHz 200mT 120c"),
        text("Factory"),
        text("HZBM25"),
        text("HZBM100"),
        text("HZBM500"),
    };
    return columns;
}

const QVector<Column>& coreColumns() {
    static const QVector<Column> columns = {
        text("NAME"),    number("A"),       number("B"),          number("C"),  number("D"),
        number("e"),     number("f"),       number("C1"),         number("le"), number("ae"),
        number("ve"),    number("Aw"),      number("W"),          number("AP"), number("price"),
        text("FACTORY"), text("matrialNO"), text("materialname"), number("AL"), number("lW"),
    };
    return columns;
}

QString materialColumnOfField(int index) {
    // TxtApp(index) -> column; 22 is the tolerance beside Ui, 23..25 the
    // headings of the loss blocks. TxtApp(14) shows the 100 kHz / 60 ℃ loss.
    static const char* const kColumns[26] = {"Application",
                                             "Type",
                                             "InitialPermeability",
                                             "CurieTemperature",
                                             "FluxDensity",
                                             "Remanence",
                                             "Coercivity",
                                             "Resisitivity",
                                             "Density",
                                             "PL 25kHz 200mT 25c",
                                             "PL 25kHz 200mT 60c",
                                             "PL 25kHz 200mT 100c",
                                             "PL 25kHz 200mT 120c",
                                             "PL 100kHz 200mT 25c",
                                             "PL 100kHz 200mT 60c",
                                             "PL 100kHz 200mT 100c",
                                             "PL 100kHz 200mT 120c",
                                             "PL 500kHz 200mT 25c",
                                             "PL 500kHz 200mT 60c",
                                             "PL 500kHz 200mT 100c",
                                             "PL 500kHz 200mT 120c",
                                             "Factory",
                                             "Tolerance(%)",
                                             "HZBM25",
                                             "HZBM100",
                                             "HZBM500"};
    return QString::fromLatin1(kColumns[index]);
}

const QVector<GridColumn>& coreGridColumns() {
    static const QVector<GridColumn> columns = [] {
        QVector<GridColumn> list = {
            {QStringLiteral("磁芯规格"), QStringLiteral("NAME")},
            {QStringLiteral("A"), QStringLiteral("A")},
            {QStringLiteral("B"), QStringLiteral("B")},
            {QStringLiteral("C"), QStringLiteral("C")},
            {QStringLiteral("D"), QStringLiteral("D")},
            {QStringLiteral("e"), QStringLiteral("e")},
            {QStringLiteral("f"), QStringLiteral("f")},
            {QStringLiteral("C1"), QStringLiteral("C1")},
            {QStringLiteral("le"), QStringLiteral("le")},
            {QStringLiteral("磁芯中柱面积"), QStringLiteral("ae")},
            {QStringLiteral("体积"), QStringLiteral("ve")},
            {QStringLiteral("窗口面积"), QStringLiteral("Aw")},
            {QStringLiteral("重量"), QStringLiteral("W")},
            {QStringLiteral("AP"), QStringLiteral("AP")},
            {QStringLiteral("price"), QStringLiteral("price")},
            {QStringLiteral("生产厂家"), QStringLiteral("FACTORY")},
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

QStringList schemaStatements() {
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS materials (%1)")
            .arg(columnDefinitions(materialColumns())),
        QStringLiteral("CREATE TABLE IF NOT EXISTS CORE (%1)")
            .arg(columnDefinitions(coreColumns())),
        QStringLiteral("CREATE INDEX IF NOT EXISTS CORE_AP ON CORE (AP)"),
    };
}

}  // namespace kelvane::catalogue
