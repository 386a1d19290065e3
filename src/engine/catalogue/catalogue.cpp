#include "engine/catalogue/catalogue.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

namespace kelvane::catalogue {

Catalogue::Catalogue()
    : m_connection(QUuid::createUuid().toString()),
      m_materials(QStringLiteral("materials")),
      m_cores(QStringLiteral("CORE")) {}

Catalogue::~Catalogue() {
    m_materials.setDatabase(QSqlDatabase());
    m_cores.setDatabase(QSqlDatabase());
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QSqlDatabase Catalogue::database() const {
    if (!QSqlDatabase::contains(m_connection)) {
        return {};
    }
    return QSqlDatabase::database(m_connection, false);
}

Result<void> Catalogue::open(const QString& path) {
    m_path = path;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    // mode=rw: a missing file is an error rather than a new empty catalogue.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    const QString uriPath = QFileInfo(path).absoluteFilePath();
    db.setDatabaseName(QStringLiteral("file:%1?mode=rw")
                           .arg(QString::fromLatin1(QUrl::toPercentEncoding(uriPath, "/"))));
    if (!db.open()) {
        return Failure{db.lastError().text()};
    }
    // Opening is lazy: the first statement shows a file that is no database.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        const QString text = probe.lastError().text();
        db.close();
        return Failure{text};
    }
    m_materials.setDatabase(db);
    m_cores.setDatabase(db);
    QStringList missing;
    for (const QString& table : {QStringLiteral("materials"), QStringLiteral("CORE")}) {
        if (!db.tables().contains(table, Qt::CaseInsensitive)) {
            missing.append(QStringLiteral("no such table: %1").arg(table));
        }
    }
    if (!missing.isEmpty()) {
        return Failure{missing.join(u'\n')};
    }
    return {};
}

}  // namespace kelvane::catalogue
