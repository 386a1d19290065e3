#include "engine/catalogue/search_rule.h"

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>

namespace kelvane::catalogue {
namespace {

// The in-memory search and the catalogue's LIKE query list the same names,
// for names and searches that probe each part of the rule: the prefix, "*"
// anywhere, the LIKE wildcards and the escape taken as themselves, ASCII
// case, letters outside ASCII, blanks and the empty search.
TEST(SearchRule, InMemoryAndSqlFormsListTheSameNames) {
    const QString connection = QStringLiteral("search_rule_test");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(db.open());
        const QStringList names = {
            QStringLiteral("EE25/13/7"), QStringLiteral("ee25"),     QStringLiteral("EE2"),
            QStringLiteral("EFD25"),     QStringLiteral("E"),        QStringLiteral(""),
            QStringLiteral("PQ26/20"),   QStringLiteral("PQ_26"),    QStringLiteral("PQ%26"),
            QStringLiteral("RM10\\LP"),  QStringLiteral("Äe25"),     QStringLiteral("äe25"),
            QStringLiteral("EE 25"),     QStringLiteral("N87"),      QStringLiteral("n87"),
            QStringLiteral("3C90"),      QStringLiteral("TOR25*15"), QStringLiteral("ETD29/16/10"),
        };
        const QStringList searches = {
            QString(),
            QStringLiteral("E"),
            QStringLiteral("ee"),
            QStringLiteral("EE2"),
            QStringLiteral("E*25"),
            QStringLiteral("*25"),
            QStringLiteral("*"),
            QStringLiteral("**"),
            QStringLiteral("PQ_"),
            QStringLiteral("PQ%"),
            QStringLiteral("RM10\\"),
            QStringLiteral("äe"),
            QStringLiteral("ÄE"),
            QStringLiteral("EE "),
            QStringLiteral("N8"),
            QStringLiteral("TOR25*15"),
            QStringLiteral("E*D*/"),
            QStringLiteral("*/*/"),
        };
        QSqlQuery query(db);
        ASSERT_TRUE(query.prepare(QStringLiteral("SELECT ? LIKE ? ESCAPE '\\'")));
        int listed = 0;
        for (const QString& search : searches) {
            for (const QString& name : names) {
                query.bindValue(0, name);
                query.bindValue(1, prefixPattern(search));
                ASSERT_TRUE(query.exec());
                ASSERT_TRUE(query.next());
                const bool sql = query.value(0).toInt() == 1;
                EXPECT_EQ(matchesPrefixSearch(name, search), sql)
                    << name.toStdString() << " / " << search.toStdString();
                listed += sql ? 1 : 0;
            }
        }
        // Neither everything nor nothing: the table tells the forms apart.
        EXPECT_GT(listed, names.size());
        EXPECT_LT(listed, names.size() * searches.size());
    }
    QSqlDatabase::removeDatabase(connection);
}

}  // namespace
}  // namespace kelvane::catalogue
