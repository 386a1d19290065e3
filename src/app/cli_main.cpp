#include "base/error.h"
#include "catalogue/csv_export.h"
#include "catalogue/csv_import.h"
#include "design/design_window.h"
#include "script/engine_target.h"
#include "script/script_runner.h"
#include "script/scripted_prompter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli run SCRIPT [--catalogue FILE]\n"
    "       kelvane-cli import CATALOGUE [--materials CSV] [--cores CSV]\n"
    "       kelvane-cli export CATALOGUE [--materials CSV] [--cores CSV]\n";

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    const QCommandLineOption catalogueOption(
        QStringLiteral("catalogue"), QStringLiteral("Catalogue file."), QStringLiteral("FILE"));
    const QCommandLineOption materialsOption(
        QStringLiteral("materials"), QStringLiteral("Materials CSV."), QStringLiteral("CSV"));
    const QCommandLineOption coresOption(QStringLiteral("cores"), QStringLiteral("Cores CSV."),
                                         QStringLiteral("CSV"));
    parser.addOptions({catalogueOption, materialsOption, coresOption});
    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << '\n' << kUsage;
        return 2;
    }
    const QStringList args = parser.positionalArguments();
    if (args.size() == 2 && args[0] == u"run") {
        const QString catalogue = parser.isSet(catalogueOption)
                                      ? parser.value(catalogueOption)
                                      : QDir(QCoreApplication::applicationDirPath())
                                            .filePath(QStringLiteral("97BOBBIN.db"));
        kelvane::script::ScriptedPrompter prompter;
        kelvane::design::DesignWindow window(prompter, catalogue,
                                             QCoreApplication::applicationDirPath());
        window.open();
        kelvane::script::EngineTarget target(window);
        return kelvane::script::runScript(args[1], window, target, prompter, out, err);
    }
    if (args.size() == 2 && args[0] == u"import") {
        try {
            const auto [materials, cores] = kelvane::catalogue::importCatalogue(
                args[1], parser.value(materialsOption), parser.value(coresOption));
            out << "imported " << materials << " materials and " << cores << " cores into "
                << args[1] << '\n';
            return 0;
        } catch (const kelvane::Error& error) {
            err << error.text() << '\n';
            return 1;
        }
    }
    if (args.size() == 2 && args[0] == u"export") {
        try {
            const auto [materials, cores] = kelvane::catalogue::exportCatalogue(
                args[1], parser.value(materialsOption), parser.value(coresOption));
            out << "exported " << materials << " materials and " << cores << " cores from "
                << args[1] << '\n';
            return 0;
        } catch (const kelvane::Error& error) {
            err << error.text() << '\n';
            return 1;
        }
    }
    err << kUsage;
    return 2;
}
