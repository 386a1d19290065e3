#include "engine/script/script_runner.h"

#include "engine/base/key_codes.h"
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

namespace kelvane::script {
namespace {

using session::DesignSession;

Result<void> requireControl(const QString& name) {
    if (!DesignSession::isControl(name)) {
        return Failure{QStringLiteral("unknown control \"%1\"").arg(name)};
    }
    return {};
}

// The list items of a text field's combo box, as the list holds them once
// its window has loaded; fails for a name that is no text field.
Result<QStringList> requireTextField(const QString& name) {
    if (Result<void> control = requireControl(name); !control) {
        return control.failure();
    }
    const Failure noTextField{QStringLiteral("\"%1\" is not a text field").arg(name)};
    if (const std::optional<QString> wireName =
            session::controlOf(session::Window::WireTools, name)) {
        if (!wire::WireCalculator::isField(*wireName)) {
            return noTextField;
        }
        return *wireName == u"CmbWire" ? wire::WireCalculator::materialItems() : QStringList();
    }
    const std::optional<sheet::Field> field = sheet::fieldByName(name);
    if (!field) {
        return noTextField;
    }
    return DesignSession::comboItems(*field);
}

// Whether the engineer can reach the window of `control` (any control of
// FrmFanji for an empty name): not once the program has ended, and not in
// a window that is not open, where a command has no effect, as for a
// disabled control. A command that reaches a window is an act in it.
bool reaches(DesignSession& window, const QString& control = QString()) {
    const session::Window reached = session::windowOf(control);
    if (!window.windows().isOpen(reached)) {
        return false;
    }
    window.windows().actIn(reached);
    return true;
}

Result<int> requireInteger(const QString& text, const QString& what) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) {
        return Failure{QStringLiteral("bad %1 \"%2\"").arg(what, text)};
    }
    return value;
}

Result<ScriptedPrompter::Answer> parseAnswer(const QString& args) {
    using Kind = ScriptedPrompter::Answer::Kind;
    if (args == u"yes") {
        return ScriptedPrompter::Answer{Kind::Yes, {}};
    }
    if (args == u"no") {
        return ScriptedPrompter::Answer{Kind::No, {}};
    }
    if (args == u"ok") {
        return ScriptedPrompter::Answer{Kind::Ok, {}};
    }
    if (args == u"cancel") {
        return ScriptedPrompter::Answer{Kind::Cancel, {}};
    }
    if (args == u"text") {
        return ScriptedPrompter::Answer{Kind::Text, QString()};
    }
    if (args.startsWith(u"text ")) {
        return ScriptedPrompter::Answer{Kind::Text, args.mid(5)};
    }
    return Failure{QStringLiteral("bad answer \"%1\"").arg(args)};
}

// Splits "NAME REST" at the first blank; REST is taken verbatim.
std::pair<QString, QString> splitName(const QString& args) {
    const qsizetype blank = args.indexOf(u' ');
    if (blank < 0) {
        return {args, QString()};
    }
    return {args.left(blank), args.mid(blank + 1)};
}

// Runs one line of a script; fails, having done nothing, on a script error.
Result<void> runLine(const QString& command, const QString& args, DesignSession& window,
                     ScriptTarget& target, ScriptedPrompter& prompter, QTextStream& out,
                     QTextStream& err, int lineNumber) {
    if (command == u"type" || command == u"pick") {
        const auto [name, text] = splitName(args);
        const Result<QStringList> items = requireTextField(name);
        if (!items) {
            return items.failure();
        }
        if (command == u"pick") {
            if (items.value().isEmpty()) {
                return Failure{QStringLiteral("\"%1\" is not a combo box").arg(name)};
            }
            if (!items.value().contains(text)) {
                return Failure{QStringLiteral("\"%1\" is not an item of %2").arg(text, name)};
            }
            if (reaches(window, name)) {
                target.pick(name, text);
            }
        } else if (reaches(window, name)) {
            target.type(name, text);
        }
    } else if (command == u"enter") {
        if (Result<void> control = requireControl(args); !control) {
            return control;
        }
        if (reaches(window, args)) {
            target.key(args, kEnterKey);
        }
    } else if (command == u"key") {
        const auto [name, code] = splitName(args);
        if (Result<void> control = requireControl(name); !control) {
            return control;
        }
        const Result<int> keyCode = requireInteger(code, QStringLiteral("key code"));
        if (!keyCode) {
            return keyCode.failure();
        }
        if (reaches(window, name)) {
            target.key(name, keyCode.value());
        }
    } else if (command == u"focus") {
        if (Result<void> control = requireControl(args); !control) {
            return control;
        }
        if (reaches(window, args)) {
            target.focus(args);
        }
    } else if (command == u"click") {
        if (Result<void> control = requireControl(args); !control) {
            return control;
        }
        if (reaches(window, args)) {
            target.click(args);
        }
    } else if (command == u"select") {
        const auto [name, row] = splitName(args);
        if (name != u"MS" && name != u"DBGrid1" && name != u"DBGrid2") {
            return Failure{QStringLiteral("\"%1\" is not a selectable grid").arg(name)};
        }
        const Result<int> readRow = requireInteger(row, QStringLiteral("row"));
        if (!readRow) {
            return readRow.failure();
        }
        const int rowNumber = readRow.value();
        const int rows = name == u"MS"        ? window.sheet().grid(sheet::Table::MS).rowCount() - 1
                         : name == u"DBGrid1" ? window.catalogue().materials().count()
                                              : window.catalogue().cores().count();
        if (rowNumber < 1 || rowNumber > rows) {
            return Failure{QStringLiteral("bad row %1 of %2").arg(rowNumber).arg(name)};
        }
        if (reaches(window)) {
            target.select(name, rowNumber);
        }
    } else if (command == u"advise") {
        if (!args.isEmpty()) {
            return Failure{QStringLiteral("advise takes no argument")};
        }
        // The adviser reads the design without acting in a window.
        if (!window.windows().hasEnded()) {
            target.advise();
        }
    } else if (command == u"apply") {
        const Result<int> readRow = requireInteger(args, QStringLiteral("row"));
        if (!readRow) {
            return readRow.failure();
        }
        const int rowNumber = readRow.value();
        if (rowNumber < 1 || rowNumber > window.advice().size()) {
            return Failure{QStringLiteral("bad row %1 of the advice").arg(rowNumber)};
        }
        if (reaches(window)) {
            target.apply(rowNumber);
        }
    } else if (command == u"check") {
        if (!args.isEmpty()) {
            return Failure{QStringLiteral("check takes no argument")};
        }
        // The check reads the design without acting in a window.
        if (!window.windows().hasEnded()) {
            target.check();
        }
    } else if (command == u"checkinput") {
        const auto [name, text] = splitName(args);
        if (!session::CheckInputs::isName(name)) {
            return Failure{QStringLiteral("\"%1\" is no input of the design check").arg(name)};
        }
        if (reaches(window)) {
            target.checkInput(name, text);
        }
    } else if (command == u"answer") {
        const Result<ScriptedPrompter::Answer> answer = parseAnswer(args);
        if (!answer) {
            return answer.failure();
        }
        if (!window.windows().hasEnded()) {
            prompter.queue(answer.value());
        }
    } else if (command == u"page") {
        const Result<int> page = requireInteger(args, QStringLiteral("page"));
        if (!page) {
            return page.failure();
        }
        if (page.value() < 0 || page.value() > 3) {
            return Failure{QStringLiteral("bad page %1").arg(page.value())};
        }
        if (reaches(window)) {
            target.page(page.value());
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
            return {};
        }
        if (const Result<void> printed = target.print(args); !printed) {
            err << QStringLiteral("line %1: nothing printed: %2")
                       .arg(lineNumber)
                       .arg(printed.failure().text)
                << '\n';
        }
    } else if (command == u"tick") {
        const Result<int> count = requireInteger(args, QStringLiteral("tick count"));
        if (!count) {
            return count.failure();
        }
        if (count.value() < 0) {
            return Failure{QStringLiteral("bad tick count %1").arg(count.value())};
        }
        if (!window.windows().hasEnded()) {
            target.tick(count.value());  // ticks are no act of the engineer
        }
    } else if (command == u"dump") {
        QJsonObject snapshot = target.snapshot();
        snapshot.insert(QStringLiteral("messages"),
                        QJsonArray::fromStringList(prompter.takeMessages()));
        out << QString::fromUtf8(snapshotLine(snapshot)) << '\n';
        out.flush();
    } else {
        return Failure{QStringLiteral("unknown command \"%1\"").arg(command)};
    }
    return {};
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
        const Result<void> ran =
            runLine(command, args, window, target, prompter, out, err, int(i + 1));
        if (!ran) {
            out.flush();
            err << QStringLiteral("line %1: %2").arg(i + 1).arg(ran.failure().text) << '\n';
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
