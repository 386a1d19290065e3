#include "fuzz_checks.h"

#include "engine/base/number_text.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/catalogue/csv_export.h"
#include "engine/catalogue/csv_import.h"
#include "engine/files/design_file.h"
#include "engine/script/engine_target.h"
#include "engine/script/script_runner.h"
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"
#include "fuzz_session.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextStream>
#include <QUuid>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace kelvane::fuzz {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// --- numbers ---------------------------------------------------------------

// What a formatted number may look like: an optional "-", digits, and with
// `decimals` > 0 a point and exactly that many digits; -1 for any count.
bool looksFormatted(const QString& text, int decimals) {
    static const QRegularExpression any(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?(E[+-][0-9]{2,3})?$"));
    if (decimals < 0) {
        return any.match(text).hasMatch();
    }
    const QRegularExpression exact(decimals == 0
                                       ? QStringLiteral("^-?[0-9]+$")
                                       : QStringLiteral("^-?[0-9]+\\.[0-9]{%1}$").arg(decimals));
    return exact.match(text).hasMatch();
}

QString refusedWord(const QString& text) {
    if (text.contains(QStringLiteral("nan"), Qt::CaseInsensitive) ||
        text.contains(QStringLiteral("inf"), Qt::CaseInsensitive)) {
        return QStringLiteral("\"%1\" names a non-number").arg(text);
    }
    // "-0", "-0.00": a minus before nothing but zeros.
    if (text.startsWith(u'-') && !text.contains(QRegularExpression(QStringLiteral("[1-9]")))) {
        return QStringLiteral("\"%1\" is a negative zero").arg(text);
    }
    return {};
}

QString checkFormatted(const std::optional<QString>& first, const std::optional<QString>& second,
                       int decimals, const QString& what) {
    if (!first || !second) {
        return QStringLiteral("%1 gave no text for a finite value").arg(what);
    }
    if (const QString refused = refusedWord(*first); !refused.isEmpty()) {
        return what + QStringLiteral(": ") + refused;
    }
    if (!looksFormatted(*first, decimals)) {
        return QStringLiteral("%1 wrote \"%2\"").arg(what, *first);
    }
    if (!isStrictNumber(*first)) {
        return QStringLiteral("%1 wrote \"%2\", which is no strict number").arg(what, *first);
    }
    if (*first != *second) {
        return QStringLiteral("%1: \"%2\" parsed and formatted again gives \"%3\"")
            .arg(what, *first, *second);
    }
    return {};
}

// --- design files ------------------------------------------------------------

// The 1-based line where the inputs of the check and of the construction
// sheet break their layout from line `next` (0-based) on: one NAME=TEXT a
// line, each name once, up to a blank line, then blank lines only.
int inputsFault(const QStringList& lines, qsizetype next) {
    static const QRegularExpression names(
        QStringLiteral("^(vacmax|rating|bulk|linef|lptestf|lptestv|(start|tap|finish|kind|wire)"
                       "\\((0|[1-9][0-9]{0,3})\\))$"));
    QStringList seen;
    for (; next < lines.size() && !lines[next].trimmed().isEmpty(); ++next) {
        const qsizetype equals = lines[next].indexOf(u'=');
        const QString name = equals > 0 ? lines[next].first(equals) : QString();
        if (!names.match(name).hasMatch() || seen.contains(name)) {
            return int(next + 1);
        }
        seen.append(name);
    }
    for (; next < lines.size(); ++next) {
        if (!lines[next].trimmed().isEmpty()) {
            return int(next + 1);
        }
    }
    return 0;
}

// The 1-based line where a design file breaks its layout, read without the
// reader: 0 for a good file, one past the end for a missing line.
int layoutFault(const QStringList& lines) {
    const qsizetype count = lines.size();
    qsizetype next = 0;
    do {
        const auto fault = [&] { return int(std::min(next, count) + 1); };
        if (next >= count) {
            return fault();
        }
        bool ok = false;
        const int rows = trimBlanks(lines[next]).toInt(&ok);
        if (!ok || rows < 1 || rows > 10000) {
            return fault();
        }
        ++next;
        for (int option = 0; option < 7; ++option, ++next) {
            if (next >= count) {
                return fault();
            }
            const QString truth = lines[next].trimmed().toLower();
            if (truth != u"true" && truth != u"false") {
                return fault();
            }
        }
        if (next >= count) {
            return fault();
        }
        const int check = trimBlanks(lines[next]).toInt(&ok);
        if (!ok || check < 0 || check > 2) {
            return fault();
        }
        ++next;
        next += 12 + qsizetype(rows - 1) * 5 + 13;
        if (next > count) {
            return int(count + 1);
        }
        if (next < count && lines[next] == u"[设计校核]") {
            return inputsFault(lines, next + 1);
        }
    } while (std::any_of(lines.begin() + next, lines.end(),
                         [](const QString& line) { return !line.trimmed().isEmpty(); }));
    return 0;
}

// Whether every byte from 0x80 up is a GBK lead byte (0x81-0xFE) with its
// trail byte (0x40-0x7E, 0x80-0xFE); the decoder alone also takes 0x80 and
// 0xFF.
bool gbkByteStructure(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = uchar(bytes[i]);
        if (byte < 0x80) {
            continue;
        }
        const auto trail = i + 1 < bytes.size() ? uchar(bytes[i + 1]) : uchar(0);
        if (byte == 0x80 || byte == 0xFF || trail < 0x40 || trail == 0x7F || trail == 0xFF) {
            return false;
        }
        ++i;
    }
    return true;
}

// The lines of a file whose bytes are GBK through and through; none for
// other bytes, which the reader refuses for their encoding alone.
std::optional<QStringList> gbkLines(const QByteArray& bytes) {
    if (!gbkByteStructure(bytes)) {
        return std::nullopt;
    }
    QStringDecoder decoder("GBK");
    const QString text = decoder.decode(bytes);
    if (decoder.hasError() || QStringEncoder("GBK").encode(text) != bytes) {
        return std::nullopt;
    }
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// --- design scripts ----------------------------------------------------------

// The engine's verbs, with the file dialogs answered inside the scratch
// folder (a script names any path) and the timer's ticks bounded.
class ScratchTarget : public script::ScriptTarget {
public:
    explicit ScratchTarget(script::EngineTarget& engine) : m_engine(engine) {}

    void type(const QString& control, const QString& text) override {
        m_engine.type(control, text);
    }
    void pick(const QString& control, const QString& item) override {
        m_engine.pick(control, item);
    }
    void key(const QString& control, int keyCode) override { m_engine.key(control, keyCode); }
    void focus(const QString& control) override { m_engine.focus(control); }
    void click(const QString& control) override { m_engine.click(control); }
    void select(const QString& grid, int row) override { m_engine.select(grid, row); }
    void page(int page) override { m_engine.page(page); }
    void openFile(const QString& path) override { m_engine.openFile(scratchPath(path)); }
    void saveFile(const QString& path) override { m_engine.saveFile(scratchPath(path)); }
    Result<void> print(const QString& path) override { return m_engine.print(scratchPath(path)); }
    void tick(int count) override { m_engine.tick(std::min(count, 20)); }
    QJsonObject snapshot() override { return m_engine.snapshot(); }
    void advise() override { m_engine.advise(); }
    void apply(int row) override { m_engine.apply(row); }
    void check() override { m_engine.check(); }
    void checkInput(const QString& name, const QString& text) override {
        m_engine.checkInput(name, text);
    }

private:
    static QString scratchPath(const QString& path) {
        if (path.isEmpty()) {
            return path;
        }
        QString name = QFileInfo(path).fileName();
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.]")), QStringLiteral("_"));
        return FuzzSession::instance().path(QStringLiteral("f_") + name);
    }

    script::EngineTarget& m_engine;
};

// --- catalogues --------------------------------------------------------------

// Every row of a table in catalogue order, each value with its type.
QVector<QVariantList> tableRows(const QString& databasePath, const QString& table) {
    QVector<QVariantList> rows;
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(databasePath);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table))) {
                while (query.next()) {
                    QVariantList row;
                    for (int c = 0; c < query.record().count(); ++c) {
                        row.append(query.value(c));
                    }
                    rows.append(row);
                }
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}

bool sameValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull()) {
        return a.isNull() && b.isNull();
    }
    if (a.typeId() != b.typeId()) {
        return false;
    }
    if (a.typeId() == QMetaType::Double) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    return a == b;
}

QString describe(const QVariantList& row) {
    QStringList cells;
    for (const QVariant& value : row) {
        cells.append(value.isNull()
                         ? QStringLiteral("NULL")
                         : QStringLiteral("%1:%2").arg(value.typeName(), value.toString()));
    }
    return cells.join(QStringLiteral(" | "));
}

QString compareTables(const QString& first, const QString& second, const QString& table) {
    const QVector<QVariantList> a = tableRows(first, table);
    const QVector<QVariantList> b = tableRows(second, table);
    if (a.size() != b.size()) {
        return QStringLiteral("%1: %2 rows became %3").arg(table).arg(a.size()).arg(b.size());
    }
    for (qsizetype r = 0; r < a.size(); ++r) {
        bool same = a[r].size() == b[r].size();
        for (qsizetype c = 0; same && c < a[r].size(); ++c) {
            same = sameValue(a[r][c], b[r][c]);
        }
        if (!same) {
            return QStringLiteral("%1 row %2: [%3] became [%4]")
                .arg(table)
                .arg(r + 1)
                .arg(describe(a[r]), describe(b[r]));
        }
    }
    return {};
}

}  // namespace

QString checkNumberText(const QByteArray& input) {
    const QString text = QString::fromUtf8(input);
    const double value = parseNumber(text);
    const bool strict = isStrictNumber(text);
    if (strictNumberOr0(text) != (strict ? value : 0.0) && !std::isnan(value)) {
        return QStringLiteral("strictNumberOr0 disagrees with parseNumber");
    }
    // The decimals of the fixed form come from the input's length, so that
    // every count is tried.
    const int decimals = int(input.size() % 12);
    const QString textFixed = formatTextFixed(text, decimals);
    if (!strict && textFixed != text) {
        return QStringLiteral("formatTextFixed changed \"%1\", which is no number").arg(text);
    }
    if (!std::isfinite(value)) {
        if (formatPlain(value) || formatFixed(value, decimals)) {
            return QStringLiteral("a non-finite value was formatted");
        }
        return {};
    }
    const std::optional<QString> plain = formatPlain(value);
    QString failure = checkFormatted(plain, plain ? formatPlain(parseNumber(*plain)) : std::nullopt,
                                     -1, QStringLiteral("formatPlain"));
    if (!failure.isEmpty()) {
        return failure;
    }
    const std::optional<QString> fixed = formatFixed(value, decimals);
    failure =
        checkFormatted(fixed, fixed ? formatFixed(parseNumber(*fixed), decimals) : std::nullopt,
                       decimals, QStringLiteral("formatFixed(%1)").arg(decimals));
    if (!failure.isEmpty()) {
        return failure;
    }
    if (strict && textFixed != *fixed) {
        return QStringLiteral("formatTextFixed(\"%1\") gave \"%2\", formatFixed \"%3\"")
            .arg(text, textFixed, *fixed);
    }
    // Fifteen significant digits: the plain text lies within a relative 1E-14
    // of the value, the fixed text within half its last decimal besides.
    const double relative = std::max(std::fabs(value) * 1e-14, 5e-324);
    if (std::fabs(parseNumber(*plain) - value) > relative) {
        return QStringLiteral("formatPlain wrote \"%1\" for %2").arg(*plain).arg(value, 0, 'g', 17);
    }
    if (std::fabs(parseNumber(*fixed) - value) >
        0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + relative) {
        return QStringLiteral("formatFixed(%1) wrote \"%2\" for %3")
            .arg(decimals)
            .arg(*fixed)
            .arg(value, 0, 'g', 17);
    }
    // A plain decimal text reads as the C locale reads it, to the last bit.
    static const QRegularExpression plainDecimal(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    if (plainDecimal.match(text).hasMatch()) {
        bool ok = false;
        const double expected = QLocale::c().toDouble(text, &ok);
        if (ok && expected != value) {
            return QStringLiteral("\"%1\" read as %2, not %3")
                .arg(text)
                .arg(value, 0, 'g', 17)
                .arg(expected, 0, 'g', 17);
        }
    }
    return {};
}

QString checkDesignFile(const QByteArray& input) {
    const Result<QVector<files::DesignRecord>> parsed = files::parseDesignFile(input);
    const QVector<files::DesignRecord>* records = parsed ? &parsed.value() : nullptr;
    if (const std::optional<QStringList> lines = gbkLines(input)) {
        const int expected = layoutFault(*lines);
        const int actual = records ? 0 : parsed.failure().line;
        if (actual != expected) {
            return QStringLiteral("the reader says line %1 is at fault, the layout says %2")
                .arg(actual)
                .arg(expected);
        }
    }
    if (records == nullptr) {
        // The line at fault, or the first line missing.
        const int line = parsed.failure().line;
        const qsizetype lines =
            input.count('\n') + (input.isEmpty() || input.endsWith('\n') ? 0 : 1);
        if (line < 1 || line > lines + 1) {
            return QStringLiteral("refused at line %1 of a %2-line file").arg(line).arg(lines);
        }
        return {};
    }
    if (records->isEmpty()) {
        return QStringLiteral("a file was accepted with no record");
    }
    for (const files::DesignRecord& record : *records) {
        if (record.fields.size() != 12 || record.closing.size() != 13 ||
            record.outputs.size() != record.tableRows - 1) {
            return QStringLiteral("a record was accepted with missing lines");
        }
    }
    // Opening replays the lines through the fields' handling, so the first
    // save may differ from the input (an empty core name finds the first
    // core). What opening made is a fixed point: saved, opened and saved
    // again, it keeps its bytes.
    FuzzSession& session = FuzzSession::instance();
    session.clear();
    const QString catalogue = session.freshCatalogue();
    QString path = session.write(QStringLiteral("in.dat"), input);
    QByteArray saved[2];
    for (int cycle = 0; cycle < 3; ++cycle) {
        script::ScriptedPrompter prompter;
        session::DesignSession window(prompter, catalogue, QString());
        window.open();
        if (!window.openDesign(path)) {
            return cycle == 0
                       ? QStringLiteral("the reader accepted a file that the window did not open")
                       : QStringLiteral("a saved design did not open: %1")
                             .arg(prompter.takeMessages().join(u' '));
        }
        path = session.path(QStringLiteral("saved%1.dat").arg(cycle));
        if (!window.saveDesign(path)) {
            if (cycle == 0) {
                return {};  // a text that GBK cannot hold
            }
            return QStringLiteral("a reopened design did not save");
        }
        if (cycle > 0) {
            saved[cycle - 1] = readAll(path);
        }
    }
    if (saved[0] != saved[1]) {
        return QStringLiteral("opened and saved again, the file changed:\n%1\n---\n%2")
            .arg(QString::fromLatin1(saved[0].toPercentEncoding(" \r\n")),
                 QString::fromLatin1(saved[1].toPercentEncoding(" \r\n")));
    }
    return {};
}

QString checkCsvImport(const QByteArray& input) {
    if (input.isEmpty()) {
        return {};
    }
    const bool cores = (input[0] & 1) != 0;
    FuzzSession& session = FuzzSession::instance();
    session.clear();
    const QString csv = session.write(QStringLiteral("in.csv"), input.mid(1));
    const QString first = session.path(QStringLiteral("first.db"));
    if (!catalogue::importCatalogue(first, cores ? QString() : csv, cores ? csv : QString())) {
        return {};  // refused with a reason
    }
    const QString materials1 = session.path(QStringLiteral("materials1.csv"));
    const QString cores1 = session.path(QStringLiteral("cores1.csv"));
    const QString materials2 = session.path(QStringLiteral("materials2.csv"));
    const QString cores2 = session.path(QStringLiteral("cores2.csv"));
    const QString second = session.path(QStringLiteral("second.db"));
    if (const auto exported = catalogue::exportCatalogue(first, materials1, cores1); !exported) {
        return QStringLiteral("an imported catalogue did not export: ") + exported.failure().text;
    }
    if (const auto imported = catalogue::importCatalogue(second, materials1, cores1); !imported) {
        return QStringLiteral("an exported catalogue did not import: ") + imported.failure().text;
    }
    for (const QString& table : {QStringLiteral("materials"), QStringLiteral("CORE")}) {
        if (QString failure = compareTables(first, second, table); !failure.isEmpty()) {
            return failure;
        }
    }
    if (const auto exported = catalogue::exportCatalogue(second, materials2, cores2); !exported) {
        return QStringLiteral("a reimported catalogue did not export: ") + exported.failure().text;
    }
    if (readAll(materials1) != readAll(materials2) || readAll(cores1) != readAll(cores2)) {
        return QStringLiteral("exported twice, the CSV changed");
    }
    return {};
}

namespace {

struct ScriptRun {
    int status = 0;
    QString out;
    QString err;
};

// Runs a script on a fresh window, catalogue and scratch folder.
ScriptRun runOnEngine(const QByteArray& script) {
    FuzzSession& session = FuzzSession::instance();
    session.clear();
    const QString catalogue = session.freshCatalogue();
    const QString path = session.write(QStringLiteral("input.script"), script);
    ScriptRun run;
    script::ScriptedPrompter prompter;
    session::DesignSession window(prompter, catalogue, QString());
    window.open();
    script::EngineTarget engine(window);
    ScratchTarget target(engine);
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = script::runScript(path, window, target, prompter, out, err);
    out.flush();
    err.flush();
    return run;
}

// The same script as a person might keep it: a comment and a blank line on
// top, every line indented and ended with CR LF.
QByteArray keptAsAPersonMight(const QByteArray& script) {
    QByteArray kept = "# the same script\r\n\r\n";
    const QList<QByteArray> lines = script.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        kept += "  " + lines[i];
        if (i + 1 < lines.size()) {
            kept += lines[i].endsWith('\r') ? "\n" : "\r\n";
        }
    }
    return kept;
}

// Standard error with every "line N" moved down by `shift` lines.
QString shifted(const QString& err, int shift) {
    static const QRegularExpression lineNumber(QStringLiteral("^line ([0-9]+):"),
                                               QRegularExpression::MultilineOption);
    QString moved;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : lineNumber.globalMatch(err)) {
        moved += err.mid(from, match.capturedStart(1) - from);
        moved += QString::number(match.captured(1).toLongLong() + shift);
        from = match.capturedEnd(1);
    }
    return moved + err.mid(from);
}

}  // namespace

QString checkDesignScript(const QByteArray& input) {
    const qsizetype lineCount = QString::fromUtf8(input).split(u'\n').size();
    const ScriptRun run = runOnEngine(input);
    const int status = run.status;
    const QString& outText = run.out;
    const QString& errText = run.err;
    if (status != 0 && status != 2) {
        return QStringLiteral("exit status %1").arg(status);
    }
    static const QRegularExpression report(QStringLiteral("^line ([0-9]+): ."));
    QStringList errLines = errText.split(u'\n');
    if (errLines.last().isEmpty()) {
        errLines.removeLast();
    }
    for (const QString& line : errLines) {
        const QRegularExpressionMatch match = report.match(line);
        if (!match.hasMatch() || match.captured(1).toLongLong() < 1 ||
            match.captured(1).toLongLong() > lineCount) {
            return QStringLiteral("standard error \"%1\" names no line of the script").arg(line);
        }
    }
    if (status == 2 && errLines.isEmpty()) {
        return QStringLiteral("exit status 2 without a reason");
    }
    QStringList outLines = outText.split(u'\n');
    if (!outLines.last().isEmpty()) {
        return QStringLiteral("standard output does not end with a line end");
    }
    outLines.removeLast();
    for (const QString& line : outLines) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8(), &error);
        if (error.error != QJsonParseError::NoError || !document.isObject() ||
            !document.object().contains(QStringLiteral("messages"))) {
            return QStringLiteral("a dump is no snapshot: %1").arg(line);
        }
    }
    // Comments, blank lines, indents and CR LF line ends change nothing but
    // the line numbers.
    const ScriptRun kept = runOnEngine(keptAsAPersonMight(input));
    if (kept.status != status || kept.out != outText || kept.err != shifted(errText, 2)) {
        return QStringLiteral(
                   "kept with a comment, indents and CR LF, the script ran "
                   "differently:\n%1%2---\n%3%4")
            .arg(outText, errText, kept.out, kept.err);
    }
    return {};
}

QStringList checkNames() {
    return {QStringLiteral("design_file"), QStringLiteral("number_text"),
            QStringLiteral("csv_import"), QStringLiteral("design_script"),
            QStringLiteral("check_input")};
}

Check checkNamed(const QString& name) {
    if (name == u"design_file") {
        return checkDesignFile;
    }
    if (name == u"number_text") {
        return checkNumberText;
    }
    if (name == u"csv_import") {
        return checkCsvImport;
    }
    if (name == u"design_script") {
        return checkDesignScript;
    }
    if (name == u"check_input") {
        return checkCheckInput;
    }
    return nullptr;
}

}  // namespace kelvane::fuzz
