#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

namespace kelvane::tables {

// A row of a tab-separated case table in tests/data, with its line number.
struct TableRow {
    int line;
    QStringList columns;
    [[nodiscard]] std::string trace() const {
        return QStringLiteral("line %1: %2").arg(line).arg(columns.join(u'\t')).toStdString();
    }
};

// The rows of tests/data/NAME; blank lines and lines starting with # are
// comments. A missing or empty table fails the test.
inline QList<TableRow> tableRows(const char* name) {
    QFile file(QStringLiteral(KELVANE_TEST_DATA "/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    QList<TableRow> rows;
    int line = 0;
    for (const QString& text : QString::fromUtf8(file.readAll()).split(u'\n')) {
        ++line;
        if (!text.isEmpty() && !text.startsWith(u'#')) {
            rows.append({line, text.split(u'\t')});
        }
    }
    EXPECT_FALSE(rows.isEmpty()) << name;
    return rows;
}

// A cell's bytes with its escapes \t \r \n \\ and \xHH (one byte) undone.
inline QByteArray unescapedBytes(const QString& cell) {
    const QByteArray text = cell.toUtf8();
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            bytes += text[i];
        } else if (const char c = text[++i]; c == 'x') {
            bytes += char(text.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            bytes += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        }
    }
    return bytes;
}

}  // namespace kelvane::tables
