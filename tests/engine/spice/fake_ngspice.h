#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace kelvane::spice::testing {

// A program standing in for ngspice: a shell script of `body` named `name`
// in a folder of its own, run as ngspice is (-b and the deck's path).
class FakeNgspice {
public:
    FakeNgspice(const QString& name, const QString& body) {
        m_path = m_folder.filePath(name);
        QFile script(m_path);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\n%1\n").arg(body).toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    [[nodiscard]] const QString& path() const { return m_path; }

private:
    QTemporaryDir m_folder;
    QString m_path;
};

}  // namespace kelvane::spice::testing
