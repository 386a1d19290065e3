#include "engine/advice/core_adviser.h"
#include "engine/catalogue/csv_export.h"
#include "engine/catalogue/csv_import.h"
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
#include <QTextStream>

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>

namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli run SCRIPT [--catalogue FILE]\n"
    "       kelvane-cli import CATALOGUE [--materials CSV] [--cores CSV]\n"
    "       kelvane-cli report DESIGN.dat -o OUT.pdf [--catalogue FILE]\n"
    "       kelvane-cli advise DESIGN [--catalogue FILE] [--top N] [--all]\n"
    "                   [--sort loss|rise|volume] [--format csv|json]\n"
    "       kelvane-cli export CATALOGUE [--materials CSV] [--cores CSV]\n";

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

}  // namespace

int main(int argc, char* argv[]) {
    const auto app = makeApplication(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    const QCommandLineOption catalogueOption(
        QStringLiteral("catalogue"), QStringLiteral("Catalogue file."), QStringLiteral("FILE"));
    const QCommandLineOption materialsOption(
        QStringLiteral("materials"), QStringLiteral("Materials CSV."), QStringLiteral("CSV"));
    const QCommandLineOption coresOption(QStringLiteral("cores"), QStringLiteral("Cores CSV."),
                                         QStringLiteral("CSV"));
    const QCommandLineOption topOption(QStringLiteral("top"), QStringLiteral("First N rows."),
                                       QStringLiteral("N"));
    const QCommandLineOption allOption(QStringLiteral("all"),
                                       QStringLiteral("Infeasible pairs too."));
    const QCommandLineOption sortOption(QStringLiteral("sort"),
                                        QStringLiteral("loss, rise or volume."),
                                        QStringLiteral("KEY"), QStringLiteral("loss"));
    const QCommandLineOption formatOption(QStringLiteral("format"), QStringLiteral("csv or json."),
                                          QStringLiteral("FORMAT"), QStringLiteral("csv"));
    const QCommandLineOption outputOption(QStringLiteral("o"), QStringLiteral("Report PDF."),
                                          QStringLiteral("PDF"));
    parser.addOptions({catalogueOption, materialsOption, coresOption, outputOption, topOption,
                       allOption, sortOption, formatOption});
    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << '\n' << kUsage;
        return 2;
    }
    const QStringList args = parser.positionalArguments();
    const QString catalogue =
        parser.isSet(catalogueOption)
            ? parser.value(catalogueOption)
            : QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("97BOBBIN.db"));
    if (args.size() == 2 && args[0] == u"advise") {
        namespace advice = kelvane::advice;
        advice::AdviceOptions options;
        options.feasibleOnly = !parser.isSet(allOption);
        const QString sort = parser.value(sortOption);
        if (sort == u"rise") {
            options.order = advice::AdviceOrder::TemperatureRise;
        } else if (sort == u"volume") {
            options.order = advice::AdviceOrder::Volume;
        } else if (sort != u"loss") {
            err << "bad --sort " << sort << '\n' << kUsage;
            return 2;
        }
        const QString format = parser.value(formatOption);
        if (format != u"csv" && format != u"json") {
            err << "bad --format " << format << '\n' << kUsage;
            return 2;
        }
        int top = -1;
        if (parser.isSet(topOption)) {
            bool ok = false;
            top = parser.value(topOption).toInt(&ok);
            if (!ok || top < 0) {
                err << "bad --top " << parser.value(topOption) << '\n' << kUsage;
                return 2;
            }
        }
        kelvane::script::ScriptedPrompter prompter;
        kelvane::session::DesignSession window(prompter, catalogue,
                                               QCoreApplication::applicationDirPath());
        window.open();
        const bool opened = window.openDesign(args[1]);
        const QStringList messages = prompter.takeMessages();
        if (!opened || !window.catalogue().database().isOpen()) {
            for (const QString& message : messages) {
                err << message << '\n';
            }
            return 1;
        }
        const advice::Advice& advised = window.advise(options);
        const qsizetype shown =
            top >= 0 ? std::min<qsizetype>(top, advised.size()) : advised.size();
        const std::span<const advice::AdviceRow> rows(advised.begin(), size_t(shown));
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
            out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
            return 0;
        }
        out << csvLine(header);
        for (const advice::AdviceRow& row : rows) {
            QStringList fields = advised.texts(row);
            if (!options.feasibleOnly) {
                fields.append(row.feasible ? QStringLiteral("是") : QStringLiteral("否"));
            }
            out << csvLine(fields);
        }
        return 0;
    }
    if (args.size() == 2 && args[0] == u"run") {
        kelvane::script::ScriptedPrompter prompter;
        kelvane::session::DesignSession window(prompter, catalogue,
                                               QCoreApplication::applicationDirPath());
        window.open();
        kelvane::script::EngineTarget target(window);
        return kelvane::script::runScript(args[1], window, target, prompter, out, err);
    }
    if (args.size() == 2 && args[0] == u"report" && parser.isSet(outputOption)) {
        kelvane::script::ScriptedPrompter prompter;
        kelvane::session::DesignSession window(prompter, catalogue,
                                               QCoreApplication::applicationDirPath());
        window.open();
        const bool opened = window.openDesign(args[1]);
        // What the window would have shown in boxes: a missing catalogue, a
        // bad design file.
        for (const QString& message : prompter.takeMessages()) {
            err << message << '\n';
        }
        if (!opened) {
            return 1;
        }
        const kelvane::Result<void> written = kelvane::render::writeReportPdf(
            kelvane::session::sessionReport(window, args[1], QDate::currentDate()),
            parser.value(outputOption));
        if (!written) {
            err << written.failure().text << '\n';
            return 1;
        }
        return 0;
    }
    if (args.size() == 2 && args[0] == u"import") {
        const kelvane::Result<std::pair<int, int>> imported = kelvane::catalogue::importCatalogue(
            args[1], parser.value(materialsOption), parser.value(coresOption));
        if (!imported) {
            err << imported.failure().text << '\n';
            return 1;
        }
        const auto [materials, cores] = imported.value();
        out << "imported " << materials << " materials and " << cores << " cores into " << args[1]
            << '\n';
        return 0;
    }
    if (args.size() == 2 && args[0] == u"export") {
        const kelvane::Result<std::pair<int, int>> exported = kelvane::catalogue::exportCatalogue(
            args[1], parser.value(materialsOption), parser.value(coresOption));
        if (!exported) {
            err << exported.failure().text << '\n';
            return 1;
        }
        const auto [materials, cores] = exported.value();
        out << "exported " << materials << " materials and " << cores << " cores from " << args[1]
            << '\n';
        return 0;
    }
    err << kUsage;
    return 2;
}
