#include "fuzz_session.h"

#include "engine/catalogue/csv_import.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kelvane::fuzz {
namespace {

// Scratch files live in memory where the machine offers it: each input
// writes several, and a disk makes the fuzzers slow.
QString scratchRoot() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable()) {
        return shm.filePath() + QStringLiteral("/kelvane-fuzz-XXXXXX");
    }
    return QDir::tempPath() + QStringLiteral("/kelvane-fuzz-XXXXXX");
}

}  // namespace

FuzzSession& FuzzSession::instance() {
    static FuzzSession session;
    return session;
}

FuzzSession::FuzzSession() : m_home(scratchRoot()) {
    const QString csv = QStringLiteral(KELVANE_FUZZ_CATALOGUE_CSV);
    m_catalogue = m_home.filePath(QStringLiteral("catalogue.db"));
    m_scratch = m_home.filePath(QStringLiteral("scratch"));
    const Result<std::pair<int, int>> imported = catalogue::importCatalogue(
        m_catalogue, csv + QStringLiteral("/materials.csv"), csv + QStringLiteral("/cores.csv"));
    if (!imported) {
        qFatal("cannot build the fuzz catalogue: %s", qPrintable(imported.failure().text));
    }
    QDir().mkpath(m_scratch);
}

QString FuzzSession::path(const QString& name) const {
    return m_scratch + u'/' + name;
}

void FuzzSession::clear() {
    QDir scratch(m_scratch);
    scratch.removeRecursively();
    QDir().mkpath(m_scratch);
}

QString FuzzSession::freshCatalogue() {
    const QString copy = path(QStringLiteral("catalogue.db"));
    QFile::remove(copy);
    if (!QFile::copy(m_catalogue, copy)) {
        qFatal("cannot copy the fuzz catalogue");
    }
    return copy;
}

QString FuzzSession::write(const QString& name, const QByteArray& bytes) {
    const QString file = path(name);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size()) {
        qFatal("cannot write the scratch file %s", qPrintable(file));
    }
    return file;
}

}  // namespace kelvane::fuzz
