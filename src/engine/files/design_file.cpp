#include "engine/files/design_file.h"

#include "engine/base/number_text.h"
#include "engine/sheet/design_sheet.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <iterator>
#include <utility>

namespace kelvane::files {

using sheet::Check;
using sheet::Field;

namespace {

constexpr int kMaxTableRows = 10000;

Failure formatFailure(int line) {
    return {
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "文件格式错误（第%1行）")).arg(line),
        line};
}

// Reads lines one by one, counting them for the error report.
class LineReader {
public:
    explicit LineReader(QStringList lines) : m_lines(std::move(lines)) {}

    [[nodiscard]] bool atEnd() const { return m_next >= m_lines.size(); }
    [[nodiscard]] bool onlyBlankLinesLeft() const {
        for (qsizetype i = m_next; i < m_lines.size(); ++i) {
            if (!m_lines[i].trimmed().isEmpty()) {
                return false;
            }
        }
        return true;
    }
    // The next line without taking it; empty at the end.
    [[nodiscard]] QString peek() const { return atEnd() ? QString() : m_lines[m_next]; }
    // Takes the next line into `line`; false at the end of the lines.
    [[nodiscard]] bool next(QString& line) {
        if (atEnd()) {
            return false;
        }
        line = m_lines[m_next++];
        return true;
    }
    // The failure at the line just read, and at the line that is missing.
    [[nodiscard]] Failure badLine() const { return formatFailure(int(m_next)); }
    [[nodiscard]] Failure missingLine() const { return formatFailure(int(m_next) + 1); }

private:
    QStringList m_lines;
    qsizetype m_next = 0;
};

// The 1-based line of the first byte that does not belong to a GBK
// character, or 0: ASCII bytes stand alone, every other character is a lead
// byte 0x81-0xFE followed by a trail byte 0x40-0x7E or 0x80-0xFE.
int firstNonGbkLine(const QByteArray& bytes) {
    int line = 1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = uchar(bytes[i]);
        if (byte < 0x80) {
            if (byte == '\n') {
                ++line;
            }
            continue;
        }
        const auto trail = i + 1 < bytes.size() ? uchar(bytes[i + 1]) : uchar(0);
        const bool lead = byte >= 0x81 && byte <= 0xFE;
        if (!lead || !((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFE))) {
            return line;
        }
        ++i;
    }
    return 0;
}

bool parseWholeNumber(const QString& text, int low, int high, int& value) {
    const QString trimmed = trimBlanks(text);
    bool ok = false;
    value = trimmed.toInt(&ok);
    return ok && value >= low && value <= high;
}

// Appends the next `count` lines to `lines`; false when the file ends first.
bool readLines(LineReader& reader, int count, QStringList& lines) {
    QString line;
    for (int i = 0; i < count; ++i) {
        if (!reader.next(line)) {
            return false;
        }
        lines.append(line);
    }
    return true;
}

Result<DesignRecord> readRecord(LineReader& reader) {
    DesignRecord record;
    if (!reader.next(record.counter)) {
        return reader.missingLine();
    }
    if (!parseWholeNumber(record.counter, 1, kMaxTableRows, record.tableRows)) {
        return reader.badLine();
    }
    QString line;
    for (bool& option : record.options) {
        if (!reader.next(line)) {
            return reader.missingLine();
        }
        const QString text = line.trimmed();
        if (text.compare(u"True", Qt::CaseInsensitive) == 0) {
            option = true;
        } else if (text.compare(u"False", Qt::CaseInsensitive) == 0) {
            option = false;
        } else {
            return reader.badLine();
        }
    }
    if (!reader.next(line)) {
        return reader.missingLine();
    }
    if (!parseWholeNumber(line, 0, 2, record.check)) {
        return reader.badLine();
    }
    if (!readLines(reader, int(std::size(kFileFields)), record.fields)) {
        return reader.missingLine();
    }
    for (int row = 1; row < record.tableRows; ++row) {
        QStringList cells;
        if (!readLines(reader, sheet::kOutputColumnCount, cells)) {
            return reader.missingLine();
        }
        record.outputs.append(cells);
    }
    if (!readLines(reader, int(std::size(kFileClosing)), record.closing)) {
        return reader.missingLine();
    }
    return record;
}

// The check's and the construction inputs after the marker, up to the end
// or a blank line, into `record`.
Result<void> readCheckInputs(LineReader& reader, DesignRecord& record) {
    QStringList inputs(kCheckInputCount);
    QList<bool> seen(kCheckInputCount, false);
    QString line;
    while (!reader.onlyBlankLinesLeft() && reader.next(line) && !line.trimmed().isEmpty()) {
        const qsizetype equals = line.indexOf(u'=');
        const QString name = equals > 0 ? line.first(equals) : QString();
        const QString text = line.mid(equals + 1);
        int index = -1;
        for (int i = 0; i < kCheckInputCount; ++i) {
            if (name == kCheckInputNames[i]) {
                index = i;
            }
        }
        if (index >= 0 && !seen[index]) {
            seen[index] = true;
            inputs[index] = text;
        } else if (index < 0 && isConstructionInputName(name) &&
                   !record.constructionInputs.contains(name)) {
            record.constructionInputs.insert(name, text);
        } else {
            return reader.badLine();
        }
    }
    record.checkInputs = inputs;
    return {};
}

bool isRowNumber(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 4 || (digits.size() > 1 && digits.front() == u'0')) {
        return false;
    }
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return digits.toInt() < kMaxTableRows;
}

}  // namespace

bool isConstructionInputName(QStringView name) {
    for (const char16_t* test : kTestInputNames) {
        if (name == test) {
            return true;
        }
    }
    const qsizetype open = name.indexOf(u'(');
    if (open <= 0 || !name.endsWith(u')')) {
        return false;
    }
    const QStringView base = name.first(open);
    for (const char16_t* winding : kWindingInputNames) {
        if (base == winding) {
            return isRowNumber(name.sliced(open + 1, name.size() - open - 2));
        }
    }
    return false;
}

QString windingInputName(const char16_t* name, int row) {
    return QString::fromUtf16(name) + u'(' + QString::number(row) + u')';
}

QStringList designFileLines(const sheet::DesignSheet& sheet, const QStringList& checkInputs,
                            const QMap<QString, QString>& constructionInputs) {
    QStringList lines;
    lines.append(sheet.text(Field::txtno));
    for (Check option : kFileOptions) {
        lines.append(sheet.isChecked(option) ? QStringLiteral("True") : QStringLiteral("False"));
    }
    // The place of the sign, the number, one blank.
    lines.append(u' ' + QString::number(sheet.checkValue(Check::Check1)) + u' ');
    for (Field field : kFileFields) {
        lines.append(sheet.text(field));
    }
    const sheet::Grid& outputs = sheet.grid(sheet::Table::MS);
    const int rows = int(parseNumber(sheet.text(Field::txtno)));
    for (int row = 1; row < rows; ++row) {
        for (int column = 0; column < sheet::kOutputColumnCount; ++column) {
            lines.append(outputs.cell(row, column));
        }
    }
    for (Field field : kFileClosing) {
        lines.append(sheet.text(field));
    }
    QStringList kept;
    for (int i = 0; i < kCheckInputCount && i < checkInputs.size(); ++i) {
        if (!trimBlanks(checkInputs[i]).isEmpty()) {
            kept.append(QString::fromUtf16(kCheckInputNames[i]) + u'=' + checkInputs[i]);
        }
    }
    for (auto input = constructionInputs.begin(); input != constructionInputs.end(); ++input) {
        if (!trimBlanks(input.value()).isEmpty()) {
            kept.append(input.key() + u'=' + input.value());
        }
    }
    if (!kept.isEmpty()) {
        lines.append(QString::fromUtf16(kCheckInputsMarker));
        lines.append(kept);
    }
    return lines;
}

Result<QByteArray> encodeDesignFile(const QStringList& lines) {
    QStringEncoder encoder("GBK");
    QStringDecoder decoder("GBK");
    QByteArray bytes;
    for (const QString& line : lines) {
        const QByteArray encoded = encoder.encode(line);
        // The encoder substitutes what GBK cannot hold without a word; the
        // round trip shows it. The euro sign's single byte 0x80 is no GBK
        // either: opening would refuse the file.
        if (QString(decoder.decode(encoded)) != line || firstNonGbkLine(encoded) != 0) {
            return Failure{
                QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "“%1”中有GBK无法保存的字符"))
                    .arg(line)};
        }
        bytes += encoded;
        bytes += "\r\n";
    }
    if (!encoder.isValid() || encoder.hasError()) {
        return Failure{QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "GBK编码不可用"))};
    }
    return bytes;
}

Result<QVector<DesignRecord>> parseDesignFile(const QByteArray& bytes) {
    if (const int line = firstNonGbkLine(bytes); line > 0) {
        return formatFailure(line);
    }
    QStringDecoder decoder("GBK");
    QString text = decoder.decode(bytes);
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();  // the line end of the last line
    }
    LineReader reader(lines);
    QVector<DesignRecord> records;
    do {
        Result<DesignRecord> record = readRecord(reader);
        if (!record) {
            return record.failure();
        }
        records.append(std::move(record).value());
        if (reader.peek() == QStringView(kCheckInputsMarker)) {
            QString marker;
            (void)reader.next(marker);
            if (const Result<void> read = readCheckInputs(reader, records.last()); !read) {
                return read.failure();
            }
            if (!reader.onlyBlankLinesLeft()) {
                QString line;
                while (reader.next(line) && line.trimmed().isEmpty()) {
                }
                return reader.badLine();
            }
        }
    } while (!reader.onlyBlankLinesLeft());
    return records;
}

Result<void> writeDesignFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.commit()) {
        return Failure{file.errorString()};
    }
    return {};
}

Result<QByteArray> readDesignFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Failure{file.errorString()};
    }
    return file.readAll();
}

}  // namespace kelvane::files
