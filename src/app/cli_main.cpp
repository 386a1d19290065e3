#include "engine/advice/advice_order.h"
#include "engine/base/language.h"
#include "engine/catalogue/csv_export.h"
#include "engine/catalogue/csv_import.h"
#include "engine/construction/construction_json.h"
#include "engine/script/engine_target.h"
#include "engine/script/script_runner.h"
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"
#include "engine/session/session_report.h"
#include "render/report_pdf.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>

namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli run SCRIPT [--catalogue FILE]\n"
    "       kelvane-cli import CATALOGUE [--materials CSV] [--cores CSV]\n"
    "       kelvane-cli report DESIGN.dat -o OUT.pdf [--json OUT.json] [--catalogue FILE]\n"
    "       kelvane-cli advise DESIGN [--catalogue FILE] [--top N] [--all]\n"
    "                   [--sort loss|rise|volume] [--format csv|json] [--pareto]\n"
    "                   [--power-only] [--family CODE] [--maker NAME] [--max-rise C]\n"
    "       kelvane-cli export CATALOGUE [--materials CSV] [--cores CSV]\n"
    "       kelvane-cli check DESIGN [--catalogue FILE] [--format text|json]\n"
    "                   [--vacmax V] [--rating V] [--bulk UF] [--linef HZ]\n"
    "       kelvane-cli spice DESIGN [-o OUT.cir] [--bench] [--coupling K]\n"
    "                   [--catalogue FILE]\n"
    "Every command takes --lang zh|en, the language of the report and of the\n"
    "texts for a person (Chinese by default); snapshots never change with it.\n";

// A CSV field as RFC 4180 writes it: quoted when it holds a comma, a quote
// or a line break, its quotes doubled.
QString csvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r')) {
        return text;
    }
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString csvLine(const QStringList& fields) {
    QStringList cells;
    for (const QString& field : fields) {
        cells.append(csvField(field));
    }
    return cells.join(u',') + QStringLiteral("\r\n");
}

const QString kFeasibleColumn = QStringLiteral("可行");

// The report draws text with fonts, which need the GUI application; without
// a display it draws offscreen.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "report") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
            qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

// The options of every command.
struct Options {
    QCommandLineOption catalogue{QStringLiteral("catalogue"), QStringLiteral("Catalogue file."),
                                 QStringLiteral("FILE")};
    QCommandLineOption materials{QStringLiteral("materials"), QStringLiteral("Materials CSV."),
                                 QStringLiteral("CSV")};
    QCommandLineOption cores{QStringLiteral("cores"), QStringLiteral("Cores CSV."),
                             QStringLiteral("CSV")};
    QCommandLineOption top{QStringLiteral("top"), QStringLiteral("First N rows."),
                           QStringLiteral("N")};
    QCommandLineOption all{QStringLiteral("all"), QStringLiteral("Infeasible pairs too.")};
    QCommandLineOption sort{QStringLiteral("sort"), QStringLiteral("loss, rise or volume."),
                            QStringLiteral("KEY"), QStringLiteral("loss")};
    QCommandLineOption format{QStringLiteral("format"), QStringLiteral("csv or json."),
                              QStringLiteral("FORMAT"), QStringLiteral("csv")};
    QCommandLineOption output{QStringLiteral("o"), QStringLiteral("Output file."),
                              QStringLiteral("FILE")};
    QCommandLineOption json{QStringLiteral("json"), QStringLiteral("Construction data."),
                            QStringLiteral("JSON")};
    // The design check's own inputs, by their names in design scripts.
    QCommandLineOption vacmax{QStringLiteral("vacmax"), QStringLiteral("Highest AC input (V)."),
                              QStringLiteral("V")};
    QCommandLineOption rating{QStringLiteral("rating"), QStringLiteral("Switch rating (V)."),
                              QStringLiteral("V")};
    QCommandLineOption bulk{QStringLiteral("bulk"), QStringLiteral("Bulk capacitance (uF)."),
                            QStringLiteral("UF")};
    QCommandLineOption linef{QStringLiteral("linef"), QStringLiteral("Line frequency (Hz)."),
                             QStringLiteral("HZ")};
    QCommandLineOption pareto{QStringLiteral("pareto"),
                              QStringLiteral("Only the pairs no other beats on volume and loss.")};
    QCommandLineOption powerOnly{QStringLiteral("power-only"),
                                 QStringLiteral("Only materials for power.")};
    QCommandLineOption family{QStringLiteral("family"), QStringLiteral("Core family code."),
                              QStringLiteral("CODE")};
    QCommandLineOption maker{QStringLiteral("maker"), QStringLiteral("Core maker."),
                             QStringLiteral("NAME")};
    QCommandLineOption maxRise{QStringLiteral("max-rise"),
                               QStringLiteral("Highest temperature rise (C)."),
                               QStringLiteral("C")};
    QCommandLineOption bench{QStringLiteral("bench"),
                             QStringLiteral("The converter around the transformer.")};
    QCommandLineOption coupling{QStringLiteral("coupling"),
                                QStringLiteral("Coupling factor between windings."),
                                QStringLiteral("K")};
    QCommandLineOption language{QStringLiteral("lang"), QStringLiteral("zh or en."),
                                QStringLiteral("LANG"), QStringLiteral("zh")};
};

// One command as given: its operand, its options, where it writes.
struct Command {
    const QCommandLineParser& parser;
    const Options& options;
    QString operand;
    QString catalogue;
    QTextStream& out;
    QTextStream& err;
};

// A design window on the command's catalogue, as the program opens it.
struct Session {
    explicit Session(const Command& command)
        : window(prompter, command.catalogue, QCoreApplication::applicationDirPath()) {
        window.open();
    }
    // Opens the command's design; what the window would have shown in boxes
    // (a missing catalogue, a bad design file) goes to stderr.
    bool openDesign(const Command& command) {
        const bool opened = window.openDesign(command.operand);
        for (const QString& message : prompter.takeMessages()) {
            command.err << kelvane::humanText(message) << '\n';
        }
        return opened;
    }
    kelvane::script::ScriptedPrompter prompter;
    kelvane::session::DesignSession window;
};

int advise(const Command& command) {
    namespace advice = kelvane::advice;
    const QCommandLineParser& parser = command.parser;
    QTextStream& err = command.err;
    advice::AdviceOptions options;
    options.feasibleOnly = !parser.isSet(command.options.all);
    options.powerOnly = parser.isSet(command.options.powerOnly);
    // The window's filters, by the same rule.
    advice::AdviceFilter filter;
    filter.feasibleOnly = options.feasibleOnly;
    filter.powerOnly = options.powerOnly;
    filter.family = parser.value(command.options.family);
    filter.maker = parser.value(command.options.maker);
    if (parser.isSet(command.options.maxRise)) {
        bool ok = false;
        filter.maximumRise = parser.value(command.options.maxRise).toDouble(&ok);
        if (!ok || !(filter.maximumRise > 0.0)) {
            err << "bad --max-rise " << parser.value(command.options.maxRise) << '\n' << kUsage;
            return 2;
        }
    }
    const QString sort = parser.value(command.options.sort);
    if (sort == u"rise") {
        options.order = advice::AdviceOrder::TemperatureRise;
    } else if (sort == u"volume") {
        options.order = advice::AdviceOrder::Volume;
    } else if (sort != u"loss") {
        err << "bad --sort " << sort << '\n' << kUsage;
        return 2;
    }
    const QString format = parser.value(command.options.format);
    if (format != u"csv" && format != u"json") {
        err << "bad --format " << format << '\n' << kUsage;
        return 2;
    }
    int top = -1;
    if (parser.isSet(command.options.top)) {
        bool ok = false;
        top = parser.value(command.options.top).toInt(&ok);
        if (!ok || top < 0) {
            err << "bad --top " << parser.value(command.options.top) << '\n' << kUsage;
            return 2;
        }
    }
    Session session(command);
    const bool opened = session.window.openDesign(command.operand);
    const QStringList messages = session.prompter.takeMessages();
    if (!opened || !session.window.catalogue().database().isOpen()) {
        for (const QString& message : messages) {
            err << kelvane::humanText(message) << '\n';
        }
        return 1;
    }
    const advice::Advice& advised = session.window.advise(options);
    if (!session.window.adviceDesign().complete) {
        for (const QString& message : session.prompter.takeMessages()) {
            err << kelvane::humanText(message) << '\n';
        }
        return 1;
    }
    std::vector<advice::AdviceRow> rows;
    if (parser.isSet(command.options.pareto)) {
        for (const int index : advice::paretoFront(advised, filter)) {
            rows.push_back(advised[index]);
        }
    } else {
        for (const advice::AdviceRow& row : advised) {
            if (advice::passes(advised, row, filter)) {
                rows.push_back(row);
            }
        }
    }
    if (top >= 0 && size_t(top) < rows.size()) {
        rows.resize(size_t(top));
    }
    QStringList header = advice::adviceColumnNames();
    if (!options.feasibleOnly) {
        header.append(kFeasibleColumn);
    }
    if (format == u"json") {
        QJsonArray array;
        for (const advice::AdviceRow& row : rows) {
            QJsonObject object;
            const QStringList texts = advised.texts(row);
            for (int i = 0; i < texts.size(); ++i) {
                object.insert(header[i], texts[i]);
            }
            if (!options.feasibleOnly) {
                object.insert(kFeasibleColumn, row.feasible);
            }
            array.append(object);
        }
        command.out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
        return 0;
    }
    command.out << csvLine(header);
    for (const advice::AdviceRow& row : rows) {
        QStringList fields = advised.texts(row);
        if (!options.feasibleOnly) {
            fields.append(row.feasible ? QStringLiteral("是") : QStringLiteral("否"));
        }
        command.out << csvLine(fields);
    }
    return 0;
}

// The design check of a saved design: 0 when no item fails, 1 when one
// does, 2 when the design cannot be checked.
int check(const Command& command) {
    namespace check = kelvane::check;
    const QCommandLineParser& parser = command.parser;
    const QString format = parser.isSet(command.options.format)
                               ? parser.value(command.options.format)
                               : QStringLiteral("text");
    if (format != u"text" && format != u"json") {
        command.err << "bad --format " << format << '\n' << kUsage;
        return 2;
    }
    Session session(command);
    if (!session.openDesign(command)) {
        return 2;
    }
    for (const QCommandLineOption* option : {&command.options.vacmax, &command.options.rating,
                                             &command.options.bulk, &command.options.linef}) {
        if (parser.isSet(*option)) {
            session.window.setCheckInput(option->names().constFirst(), parser.value(*option));
        }
    }
    const check::CheckResult result = session.window.designCheck();
    if (format == u"json") {
        QJsonArray items;
        for (const check::CheckItem& item : result.items) {
            items.append(QJsonObject{{QStringLiteral("id"), item.id},
                                     {QStringLiteral("caption"), item.caption},
                                     {QStringLiteral("value"), item.valueText},
                                     {QStringLiteral("verdict"), check::verdictName(item.verdict)},
                                     {QStringLiteral("limit"), item.limitText},
                                     {QStringLiteral("classic"), item.classicText},
                                     {QStringLiteral("sentence"), item.sentence},
                                     {QStringLiteral("formula"), item.formulaText}});
        }
        const QJsonObject object{{QStringLiteral("summary"), check::verdictName(result.summary)},
                                 {QStringLiteral("summaryText"), result.summaryText},
                                 {QStringLiteral("items"), items}};
        command.out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    } else {
        command.out << result.summaryText << '\n';
        for (const check::CheckItem& item : result.items) {
            command.out << '[' << check::verdictName(item.verdict) << "] " << item.caption << ": "
                        << (item.valueText.isEmpty() ? QStringLiteral("—") : item.valueText);
            if (!item.limitText.isEmpty()) {
                command.out << "  (" << item.limitText << ')';
            }
            if (!item.classicText.isEmpty()) {
                command.out << "  " << QCoreApplication::translate("kelvane::cli", "经典方法")
                            << ' ' << item.classicText;
            }
            command.out << "  " << item.sentence << '\n';
        }
    }
    return result.failCount > 0 ? 1 : 0;
}

// The SPICE netlist of a saved design: 0 when written, 1 when the design
// gives none or the file cannot be written, 2 when the design cannot be read.
int spice(const Command& command) {
    const QCommandLineParser& parser = command.parser;
    kelvane::spice::NetlistOptions options;
    options.bench = parser.isSet(command.options.bench);
    if (parser.isSet(command.options.coupling)) {
        bool ok = false;
        options.coupling = parser.value(command.options.coupling).toDouble(&ok);
        if (!ok || !(*options.coupling > 0.0 && *options.coupling < 1.0)) {
            command.err << "bad --coupling " << parser.value(command.options.coupling) << '\n'
                        << kUsage;
            return 2;
        }
    }
    Session session(command);
    if (!session.openDesign(command)) {
        return 2;
    }
    const kelvane::Result<kelvane::spice::Netlist> netlist = session.window.spiceNetlist(options);
    if (!netlist) {
        command.err << kelvane::humanText(netlist.failure().text) << '\n';
        return 1;
    }
    if (!parser.isSet(command.options.output)) {
        command.out << netlist.value().text;
        return 0;
    }
    const kelvane::Result<void> saved =
        kelvane::spice::saveNetlist(netlist.value(), parser.value(command.options.output));
    if (!saved) {
        command.err << kelvane::humanText(saved.failure().text) << '\n';
        return 1;
    }
    return 0;
}

int run(const Command& command) {
    Session session(command);
    kelvane::script::EngineTarget target(session.window);
    return kelvane::script::runScript(command.operand, session.window, target, session.prompter,
                                      command.out, command.err);
}

int report(const Command& command) {
    Session session(command);
    if (!session.openDesign(command)) {
        return 1;
    }
    const kelvane::Result<void> written = kelvane::render::writeReportPdf(
        kelvane::session::sessionReport(session.window, command.operand, QDate::currentDate()),
        command.parser.value(command.options.output));
    if (!written) {
        command.err << kelvane::humanText(written.failure().text) << '\n';
        return 1;
    }
    if (!command.parser.isSet(command.options.json)) {
        return 0;
    }
    // The construction sheet as data, written whole or not at all.
    const QString path = command.parser.value(command.options.json);
    QSaveFile file(path);
    const QJsonObject data = kelvane::construction::constructionJson(session.window.construction(),
                                                                     session.window.designCheck());
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(data).toJson(QJsonDocument::Indented)) < 0 || !file.commit()) {
        command.err << kelvane::humanText(
                           QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "无法写入%1：%2"))
                               .arg(path, file.errorString()))
                    << '\n';
        return 1;
    }
    return 0;
}

// Import and export: the catalogue and its two CSV files, then what moved.
using Transfer = kelvane::Result<std::pair<int, int>> (*)(const QString&, const QString&,
                                                          const QString&);

int transfer(const Command& command, Transfer move, const char* done, const char* direction) {
    const kelvane::Result<std::pair<int, int>> moved =
        move(command.operand, command.parser.value(command.options.materials),
             command.parser.value(command.options.cores));
    if (!moved) {
        command.err << kelvane::humanText(moved.failure().text) << '\n';
        return 1;
    }
    const auto [materials, cores] = moved.value();
    command.out << done << ' ' << materials << " materials and " << cores << " cores " << direction
                << ' ' << command.operand << '\n';
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const auto app = makeApplication(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    const Options options;
    parser.addOptions({options.catalogue, options.materials, options.cores,     options.output,
                       options.json,      options.top,       options.all,       options.sort,
                       options.format,    options.pareto,    options.powerOnly, options.family,
                       options.maker,     options.maxRise,   options.vacmax,    options.rating,
                       options.bulk,      options.linef,     options.bench,     options.coupling,
                       options.language});
    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << '\n' << kUsage;
        return 2;
    }
    const std::optional<kelvane::Language> language =
        kelvane::languageNamed(parser.value(options.language));
    if (!language) {
        err << "bad --lang " << parser.value(options.language) << '\n' << kUsage;
        return 2;
    }
    if (!kelvane::useLanguage(*language)) {
        err << "cannot load the translation for --lang " << parser.value(options.language) << '\n';
        return 2;
    }
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2) {
        err << kUsage;
        return 2;
    }
    const Command command{
        parser,
        options,
        args[1],
        parser.isSet(options.catalogue)
            ? parser.value(options.catalogue)
            : QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("97BOBBIN.db")),
        out,
        err};
    const QString& verb = args[0];
    if (verb == u"advise") {
        return advise(command);
    }
    if (verb == u"run") {
        return run(command);
    }
    if (verb == u"check") {
        return check(command);
    }
    if (verb == u"spice") {
        return spice(command);
    }
    if (verb == u"report" && parser.isSet(options.output)) {
        return report(command);
    }
    if (verb == u"import") {
        return transfer(command, kelvane::catalogue::importCatalogue, "imported", "into");
    }
    if (verb == u"export") {
        return transfer(command, kelvane::catalogue::exportCatalogue, "exported", "from");
    }
    err << kUsage;
    return 2;
}
