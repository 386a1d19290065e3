#include "engine/script/script_runner.h"

#include "engine/base/error.h"
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

namespace kelvane::script {
namespace {

using session::DesignSession;

[[noreturn]] void fail(const QString& reason) {
    throw Error(reason);
}

void requireControl(const QString& name) {
    if (!DesignSession::isControl(name)) {
        fail(QStringLiteral("unknown control \"%1\"").arg(name));
    }
}

const QString kWirePrefix = QStringLiteral("FrmWireTools.");

// The list items of a text field's combo box, as the list holds them once
// its window has loaded; fails for a name that is no text field.
QStringList requireTextField(const QString& name) {
    requireControl(name);
    if (name.startsWith(kWirePrefix)) {
        const QString wireName = name.mid(kWirePrefix.size());
        if (!wire::WireCalculator::isField(wireName)) {
            fail(QStringLiteral("\"%1\" is not a text field").arg(name));
        }
        return wireName == u"CmbWire" ? wire::WireCalculator::materialItems() : QStringList();
    }
    const std::optional<design::Field> field = design::fieldByName(name);
    if (!field) {
        fail(QStringLiteral("\"%1\" is not a text field").arg(name));
    }
    return DesignSession::comboItems(*field);
}

// Whether the engineer can reach the window of `control` (any control of
// FrmFanji for an empty name): not once the program has ended, and not in
// a window that is not open, where a command has no effect, as for a
// disabled control. A command that reaches a window is an act in it.
bool reaches(DesignSession& window, const QString& control = QString()) {
    const QString windowName = DesignSession::windowOf(control);
    if (!window.isWindowOpen(windowName)) {
        return false;
    }
    window.actIn(windowName);
    return true;
}

int requireInteger(const QString& text, const QString& what) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) {
        fail(QStringLiteral("bad %1 \"%2\"").arg(what, text));
    }
    return value;
}

ScriptedPrompter::Answer parseAnswer(const QString& args) {
    using Kind = ScriptedPrompter::Answer::Kind;
    if (args == u"yes") {
        return {Kind::Yes, {}};
    }
    if (args == u"no") {
        return {Kind::No, {}};
    }
    if (args == u"ok") {
        return {Kind::Ok, {}};
    }
    if (args == u"cancel") {
        return {Kind::Cancel, {}};
    }
    if (args == u"text") {
        return {Kind::Text, QString()};
    }
    if (args.startsWith(u"text ")) {
        return {Kind::Text, args.mid(5)};
    }
    fail(QStringLiteral("bad answer \"%1\"").arg(args));
}

// Splits "NAME REST" at the first blank; REST is taken verbatim.
std::pair<QString, QString> splitName(const QString& args) {
    const qsizetype blank = args.indexOf(u' ');
    if (blank < 0) {
        return {args, QString()};
    }
    return {args.left(blank), args.mid(blank + 1)};
}

void runLine(const QString& command, const QString& args, DesignSession& window,
             ScriptTarget& target, ScriptedPrompter& prompter, QTextStream& out, QTextStream& err,
             int lineNumber) {
    if (command == u"type" || command == u"pick") {
        const auto [name, text] = splitName(args);
        const QStringList items = requireTextField(name);
        if (command == u"pick") {
            if (items.isEmpty()) {
                fail(QStringLiteral("\"%1\" is not a combo box").arg(name));
            }
            if (!items.contains(text)) {
                fail(QStringLiteral("\"%1\" is not an item of %2").arg(text, name));
            }
            if (reaches(window, name)) {
                target.pick(name, text);
            }
        } else if (reaches(window, name)) {
            target.type(name, text);
        }
    } else if (command == u"enter") {
        requireControl(args);
        if (reaches(window, args)) {
            target.key(args, 13);
        }
    } else if (command == u"key") {
        const auto [name, code] = splitName(args);
        requireControl(name);
        const int keyCode = requireInteger(code, QStringLiteral("key code"));
        if (reaches(window, name)) {
            target.key(name, keyCode);
        }
    } else if (command == u"focus") {
        requireControl(args);
        if (reaches(window, args)) {
            target.focus(args);
        }
    } else if (command == u"click") {
        requireControl(args);
        if (reaches(window, args)) {
            target.click(args);
        }
    } else if (command == u"select") {
        const auto [name, row] = splitName(args);
        if (name != u"MS" && name != u"DBGrid1" && name != u"DBGrid2") {
            fail(QStringLiteral("\"%1\" is not a selectable grid").arg(name));
        }
        const int rowNumber = requireInteger(row, QStringLiteral("row"));
        const int rows = name == u"MS" ? window.sheet().grid(design::Table::MS).rowCount() - 1
                         : name == u"DBGrid1" ? window.catalogue().materials().count()
                                              : window.catalogue().cores().count();
        if (rowNumber < 1 || rowNumber > rows) {
            fail(QStringLiteral("bad row %1 of %2").arg(rowNumber).arg(name));
        }
        if (reaches(window)) {
            target.select(name, rowNumber);
        }
    } else if (command == u"advise") {
        if (!args.isEmpty()) {
            fail(QStringLiteral("advise takes no argument"));
        }
        // The adviser reads the design without acting in a window.
        if (!window.hasEnded()) {
            target.advise();
        }
    } else if (command == u"apply") {
        const int rowNumber = requireInteger(args, QStringLiteral("row"));
        if (rowNumber < 1 || rowNumber > window.advice().size()) {
            fail(QStringLiteral("bad row %1 of the advice").arg(rowNumber));
        }
        if (reaches(window)) {
            target.apply(rowNumber);
        }
    } else if (command == u"answer") {
        const ScriptedPrompter::Answer answer = parseAnswer(args);
        if (!window.hasEnded()) {
            prompter.queue(answer);
        }
    } else if (command == u"page") {
        const int page = requireInteger(args, QStringLiteral("page"));
        if (page < 0 || page > 2) {
            fail(QStringLiteral("bad page %1").arg(page));
        }
        if (reaches(window)) {
            target.page(page);
        }
    } else if (command == u"open") {
        if (reaches(window)) {
            target.openFile(args);
        }
    } else if (command == u"save") {
        if (reaches(window)) {
            target.saveFile(args);
        }
    } else if (command == u"print") {
        if (!reaches(window)) {
            return;
        }
        if (const QString reason = target.print(args); !reason.isEmpty()) {
            err << QStringLiteral("line %1: nothing printed: %2").arg(lineNumber).arg(reason)
                << '\n';
        }
    } else if (command == u"tick") {
        const int count = requireInteger(args, QStringLiteral("tick count"));
        if (count < 0) {
            fail(QStringLiteral("bad tick count %1").arg(count));
        }
        if (!window.hasEnded()) {
            target.tick(count);  // ticks are no act of the engineer
        }
    } else if (command == u"dump") {
        QJsonObject snapshot = target.snapshot();
        snapshot.insert(QStringLiteral("messages"),
                        QJsonArray::fromStringList(prompter.takeMessages()));
        out << QString::fromUtf8(snapshotLine(snapshot)) << '\n';
        out.flush();
    } else {
        fail(QStringLiteral("unknown command \"%1\"").arg(command));
    }
}

}  // namespace

int runScript(const QString& path, DesignSession& window, ScriptTarget& target,
              ScriptedPrompter& prompter, QTextStream& out, QTextStream& err) {
    // A script starts no programs: the system information is unavailable,
    // whatever the machine has, so the run's results never depend on it.
    window.about().setProgramLookup([] { return std::optional<QString>(); });
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << QStringLiteral("cannot read script %1: %2").arg(path, file.errorString()) << '\n';
        return 2;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#')) {
            continue;
        }
        // Leading blanks are not part of the command; the text after the
        // command's blank is taken verbatim.
        const QString body = line.mid(line.indexOf(trimmed.at(0)));
        const auto [command, args] = splitName(body);
        try {
            runLine(command, args, window, target, prompter, out, err, int(i + 1));
        } catch (const Error& error) {
            out.flush();
            err << QStringLiteral("line %1: %2").arg(i + 1).arg(error.text()) << '\n';
            err.flush();
            return 2;
        }
    }
    return 0;
}

QByteArray snapshotLine(const QJsonObject& snapshot) {
    return QJsonDocument(snapshot).toJson(QJsonDocument::Compact);
}

}  // namespace kelvane::script
