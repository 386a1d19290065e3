#pragma once

#include <QString>
#include <QTemporaryDir>

namespace kelvane::fuzz {

// What the checks share within one process: a scratch folder, emptied
// before each input, and a small catalogue imported once from the test CSVs.
class FuzzSession {
public:
    static FuzzSession& instance();

    // A file of the scratch folder.
    [[nodiscard]] QString path(const QString& name) const;
    // Removes every scratch file.
    void clear();
    // A fresh copy of the catalogue in the scratch folder, for an input that
    // may change it.
    [[nodiscard]] QString freshCatalogue();
    // Writes `bytes` to the scratch file `name` and returns its path.
    QString write(const QString& name, const QByteArray& bytes);

private:
    FuzzSession();

    QTemporaryDir m_home;
    QString m_catalogue;
    QString m_scratch;
};

}  // namespace kelvane::fuzz
