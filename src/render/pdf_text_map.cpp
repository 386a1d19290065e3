#include "render/pdf_text_map.h"

#include <QRawFont>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <utility>
#include <vector>

namespace kelvane::render {

namespace {

// The look-alikes: the CJK radicals, symbols and extension A, which the
// font may draw with the glyph of a unified ideograph (⻚ and 页, 㬵 and
// 胶) or of a full-width form (〜 and ～).
constexpr char16_t kFirstLookAlike = 0x2E80;
constexpr char16_t kLastLookAlike = 0x4DBF;
// What the report writes, in this order of preference.
constexpr std::pair<char16_t, char16_t> kPreferred[] = {{0x4E00, 0x9FFF}, {0xFF01, 0xFF5E}};
// A bfchar block holds at most 100 entries.
constexpr int kEntriesPerBlock = 100;

QString codePoints(char16_t first, char16_t last) {
    QString text;
    for (char32_t c = first; c <= last; ++c) {
        text.append(QChar(char16_t(c)));
    }
    return text;
}

// One entry of a ToUnicode map: a character code and the UTF-16 it stands
// for, in hexadecimal.
struct Entry {
    uint code;
    QByteArray unicode;
};

// The tokens of a CMap body: <hex>, [, ] and words.
QList<QByteArray> tokens(const QByteArray& body) {
    QList<QByteArray> list;
    qsizetype i = 0;
    while (i < body.size()) {
        const char c = body[i];
        if (c == '<') {
            const qsizetype close = body.indexOf('>', i);
            if (close < 0) {
                return {};
            }
            list.append(body.mid(i, close - i + 1));
            i = close + 1;
        } else if (c == '[' || c == ']') {
            list.append(QByteArray(1, c));
            ++i;
        } else if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
            ++i;
        } else {
            qsizetype end = i;
            while (end < body.size() && !QByteArray(" \n\r\t<[]").contains(body[end])) {
                ++end;
            }
            list.append(body.mid(i, end - i));
            i = end;
        }
    }
    return list;
}

uint hexValue(const QByteArray& token, bool* ok) {
    return token.mid(1, token.size() - 2).toUInt(ok, 16);
}

QByteArray hex4(uint value) {
    return QByteArray::number(value, 16).toUpper().rightJustified(4, '0');
}

// The entries of a CMap body, ranges spread out; false when it is not the
// form QPdfWriter writes.
bool readEntries(const QByteArray& body, std::vector<Entry>& entries) {
    const QList<QByteArray> list = tokens(body);
    bool ranges = false;
    bool ok = true;
    for (qsizetype i = 0; i < list.size() && ok;) {
        const QByteArray& token = list[i];
        if (token == "beginbfrange" || token == "beginbfchar") {
            ranges = token == "beginbfrange";
            ++i;
        } else if (!token.startsWith('<')) {
            ++i;  // the counts and the end words
        } else if (!ranges) {
            if (i + 1 >= list.size() || !list[i + 1].startsWith('<')) {
                return false;
            }
            entries.push_back({hexValue(token, &ok), list[i + 1].mid(1, list[i + 1].size() - 2)});
            i += 2;
        } else {
            if (i + 2 >= list.size()) {
                return false;
            }
            bool hiOk = false;
            const uint lo = hexValue(token, &ok);
            const uint hi = hexValue(list[i + 1], &hiOk);
            ok = ok && hiOk && hi >= lo && hi - lo < 0x10000;
            if (list[i + 2] == "[") {
                qsizetype j = i + 3;
                for (uint code = lo; ok && code <= hi; ++code, ++j) {
                    ok = j < list.size() && list[j].startsWith('<');
                    if (ok) {
                        entries.push_back({code, list[j].mid(1, list[j].size() - 2)});
                    }
                }
                ok = ok && j < list.size() && list[j] == "]";
                i = j + 1;
            } else {
                // Consecutive codes to consecutive characters.
                const QByteArray first = list[i + 2].mid(1, list[i + 2].size() - 2);
                bool firstOk = false;
                const uint start = first.toUInt(&firstOk, 16);
                ok = ok && firstOk && (first.size() == 4 || hi == lo);
                for (uint code = lo; ok && code <= hi; ++code) {
                    entries.push_back({code, hi == lo ? first : hex4(start + code - lo)});
                }
                i += 3;
            }
        }
    }
    return ok;
}

// The CMap with its radicals replaced; `cmap` itself when it has none or
// cannot be read.
QByteArray rewriteCMap(const QByteArray& cmap, const QHash<char16_t, char16_t>& preferred) {
    qsizetype begin = cmap.indexOf("beginbfrange");
    const qsizetype beginChar = cmap.indexOf("beginbfchar");
    if (begin < 0 || (beginChar >= 0 && beginChar < begin)) {
        begin = beginChar;
    }
    const qsizetype end = cmap.indexOf("endcmap");
    if (begin < 0 || end < begin) {
        return cmap;
    }
    begin = cmap.lastIndexOf('\n', begin) + 1;
    std::vector<Entry> entries;
    if (!readEntries(cmap.mid(begin, end - begin), entries)) {
        return cmap;
    }
    bool changed = false;
    for (Entry& entry : entries) {
        bool ok = false;
        const uint unicode = entry.unicode.toUInt(&ok, 16);
        if (ok && entry.unicode.size() == 4 && unicode >= kFirstLookAlike &&
            unicode <= kLastLookAlike) {
            if (const auto found = preferred.constFind(char16_t(unicode));
                found != preferred.constEnd()) {
                entry.unicode = hex4(found.value());
                changed = true;
            }
        }
    }
    if (!changed) {
        return cmap;
    }
    QByteArray rewritten = cmap.left(begin);
    for (size_t first = 0; first < entries.size(); first += kEntriesPerBlock) {
        const size_t last = std::min(entries.size(), first + kEntriesPerBlock);
        rewritten += QByteArray::number(qulonglong(last - first)) + " beginbfchar\n";
        for (size_t k = first; k < last; ++k) {
            rewritten += '<' + hex4(entries[k].code) + "> <" + entries[k].unicode + ">\n";
        }
        rewritten += "endbfchar\n";
    }
    return rewritten + cmap.mid(end);
}

// The in-use objects of the cross-reference table: number and offset.
struct XrefTable {
    qsizetype offset = 0;      // of "xref"
    qsizetype entriesEnd = 0;  // after the last entry's line
    QList<QByteArray> lines;   // the entries as written
};

bool readXref(const QByteArray& pdf, XrefTable& table) {
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (startxref < 0) {
        return false;
    }
    bool ok = false;
    table.offset = pdf.mid(startxref + 9).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok || !pdf.mid(table.offset).startsWith("xref")) {
        return false;
    }
    qsizetype at = pdf.indexOf('\n', table.offset) + 1;
    const qsizetype headerEnd = pdf.indexOf('\n', at);
    const QList<QByteArray> header = pdf.mid(at, headerEnd - at).trimmed().split(' ');
    const int count = header.value(1).toInt(&ok);
    if (header.size() != 2 || header[0] != "0" || !ok) {
        return false;
    }
    at = headerEnd + 1;
    for (int i = 0; i < count; ++i) {
        const qsizetype lineEnd = pdf.indexOf('\n', at);
        if (lineEnd < 0) {
            return false;
        }
        table.lines.append(pdf.mid(at, lineEnd - at));
        at = lineEnd + 1;
    }
    table.entriesEnd = at;
    return true;
}

}  // namespace

QHash<char16_t, char16_t> preferredCharacters(const QRawFont& font) {
    QHash<char16_t, char16_t> map;
    if (!font.isValid()) {
        return map;
    }
    QHash<quint32, char16_t> byGlyph;
    for (const auto& [first, last] : kPreferred) {
        const QList<quint32> glyphs = font.glyphIndexesForString(codePoints(first, last));
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            if (glyphs[i] != 0 && !byGlyph.contains(glyphs[i])) {
                byGlyph.insert(glyphs[i], char16_t(first + i));
            }
        }
    }
    const QList<quint32> lookAlikes =
        font.glyphIndexesForString(codePoints(kFirstLookAlike, kLastLookAlike));
    for (qsizetype i = 0; i < lookAlikes.size(); ++i) {
        if (const auto found = byGlyph.constFind(lookAlikes[i]); found != byGlyph.constEnd()) {
            map.insert(char16_t(kFirstLookAlike + i), found.value());
        }
    }
    return map;
}

QByteArray withPreferredText(const QByteArray& pdf, const QHash<char16_t, char16_t>& preferred) {
    XrefTable table;
    if (preferred.isEmpty() || !readXref(pdf, table)) {
        return pdf;
    }
    struct Object {
        qsizetype offset;
        int entry;
    };
    std::vector<Object> objects;
    for (int i = 0; i < table.lines.size(); ++i) {
        const QList<QByteArray> fields = table.lines[i].trimmed().split(' ');
        bool ok = false;
        const qsizetype offset = fields.value(0).toLongLong(&ok);
        if (fields.size() == 3 && fields[2] == "n" && ok && offset < table.offset) {
            objects.push_back({offset, i});
        }
    }
    if (objects.empty()) {
        return pdf;
    }
    std::sort(objects.begin(), objects.end(),
              [](const Object& a, const Object& b) { return a.offset < b.offset; });
    static const QRegularExpression length(QStringLiteral("/Length (\\d+)"));
    QByteArray out = pdf.left(objects.front().offset);
    QList<QByteArray> lines = table.lines;
    bool changed = false;
    for (size_t k = 0; k < objects.size(); ++k) {
        const qsizetype end = k + 1 < objects.size() ? objects[k + 1].offset : table.offset;
        QByteArray object = pdf.mid(objects[k].offset, end - objects[k].offset);
        const qsizetype stream = object.indexOf("stream\n");
        if (stream >= 0 && object.indexOf("/CIDInit /ProcSet findresource begin") > stream) {
            const QRegularExpressionMatch match =
                length.match(QString::fromLatin1(object.left(stream)));
            const qsizetype size = match.hasMatch() ? match.captured(1).toLongLong() : -1;
            const qsizetype contentStart = stream + 7;
            if (size >= 0 && contentStart + size <= object.size()) {
                const QByteArray cmap = object.mid(contentStart, size);
                const QByteArray rewritten = rewriteCMap(cmap, preferred);
                if (rewritten != cmap) {
                    QByteArray header = object.left(stream);
                    header.replace(match.capturedStart(1), match.capturedLength(1),
                                   QByteArray::number(rewritten.size()));
                    object = header + "stream\n" + rewritten + object.mid(contentStart + size);
                    changed = true;
                }
            }
        }
        QByteArray& line = lines[objects[k].entry];
        line.replace(0, 10, QByteArray::number(out.size()).rightJustified(10, '0'));
        out += object;
    }
    if (!changed) {
        return pdf;
    }
    const qsizetype xref = out.size();
    const qsizetype headerEnd = pdf.indexOf('\n', pdf.indexOf('\n', table.offset) + 1) + 1;
    out += pdf.mid(table.offset, headerEnd - table.offset);
    for (const QByteArray& line : lines) {
        out += line + '\n';
    }
    QByteArray tail = pdf.mid(table.entriesEnd);
    const qsizetype startxref = tail.lastIndexOf("startxref");
    const qsizetype number = tail.indexOf('\n', startxref) + 1;
    qsizetype numberEnd = number;
    while (numberEnd < tail.size() && tail[numberEnd] >= '0' && tail[numberEnd] <= '9') {
        ++numberEnd;
    }
    tail.replace(number, numberEnd - number, QByteArray::number(xref));
    return out + tail;
}

}  // namespace kelvane::render
