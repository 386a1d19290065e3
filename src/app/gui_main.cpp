#include "engine/base/language.h"
#include "engine/script/script_runner.h"
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"
#include "gui/base/language_setting.h"
#include "gui/base/message_box_prompter.h"
#include "gui/base/quiet_desktop.h"
#include "gui/design/frm_fanji.h"
#include "gui/script/widget_target.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kelvane"));
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kelvane"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption runScript(QStringLiteral("run-script"),
                                       QStringLiteral("Run a design script through the windows."),
                                       QStringLiteral("SCRIPT"));
    parser.addOption(runScript);
    const QCommandLineOption grab(QStringLiteral("grab"),
                                  QStringLiteral("After the script, save the window as a PNG."),
                                  QStringLiteral("PNG"));
    parser.addOption(grab);
    const QCommandLineOption catalogueOption(
        QStringLiteral("catalogue"), QStringLiteral("Catalogue file."), QStringLiteral("FILE"));
    parser.addOption(catalogueOption);
    const QCommandLineOption languageOption(QStringLiteral("lang"),
                                            QStringLiteral("Language: zh (default) or en."),
                                            QStringLiteral("LANG"));
    parser.addOption(languageOption);
    parser.process(app);
    // --lang, else the engineer's choice in the Help menu; a script is
    // Chinese unless told, whatever was chosen in the windows. The system's
    // locale never decides: the windows are Chinese until English is chosen.
    kelvane::Language language = kelvane::Language::Chinese;
    if (parser.isSet(languageOption)) {
        const std::optional<kelvane::Language> named =
            kelvane::languageNamed(parser.value(languageOption));
        if (!named) {
            QTextStream(stderr) << "bad --lang " << parser.value(languageOption) << " (zh or en)\n";
            return 2;
        }
        language = *named;
    } else if (!parser.isSet(runScript)) {
        language = kelvane::gui::savedLanguage();
    }
    if (!kelvane::useLanguage(language)) {
        QTextStream(stderr) << "cannot load the translation for --lang "
                            << kelvane::languageName(language) << '\n';
        return 2;
    }
    const QString programDirectory = QCoreApplication::applicationDirPath();
    const QString catalogue = parser.isSet(catalogueOption)
                                  ? parser.value(catalogueOption)
                                  : QDir(programDirectory).filePath(QStringLiteral("97BOBBIN.db"));

    if (parser.isSet(runScript)) {
        // A script never waits on a dialog nor starts a browser: its boxes
        // are answered from its answer lines, its file dialogs by its open,
        // save and print lines, and web addresses go nowhere.
        const kelvane::gui::QuietDesktop desktop;
        kelvane::script::ScriptedPrompter prompter;
        kelvane::session::DesignSession engine(prompter, catalogue, programDirectory);
        kelvane::gui::FrmFanji window(engine);
        window.setScripted(true);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        window.openDesignWindow();
        kelvane::gui::WidgetTarget target(window);
        QTextStream out(stdout);
        QTextStream err(stderr);
        const int status =
            kelvane::script::runScript(parser.value(runScript), engine, target, prompter, out, err);
        if (parser.isSet(grab)) {
            // What waits for the event loop (the check's page) is drawn first.
            QCoreApplication::processEvents();
            // The design window into PNG, each other open window beside it
            // as PNG-NAME.png.
            const QString path = parser.value(grab);
            bool saved = window.grab().save(path);
            for (QWidget* other : QApplication::topLevelWidgets()) {
                if (other != &window && other->isVisible() && !other->objectName().isEmpty()) {
                    const QString otherPath = QFileInfo(path).path() + u'/' +
                                              QFileInfo(path).completeBaseName() + u'-' +
                                              other->objectName() + QStringLiteral(".png");
                    saved = other->grab().save(otherPath) && saved;
                }
            }
            if (!saved) {
                err << "cannot save " << path << '\n';
                return 2;
            }
        }
        return status;
    }

    // Qt's own dialogs (files, printer) and its system messages speak the
    // windows' language (English is Qt's own). Scripts keep Qt's texts as
    // kelvane-cli has them.
    QTranslator qtTranslator;
    if (language == kelvane::Language::Chinese &&
        qtTranslator.load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }

    kelvane::gui::MessageBoxPrompter prompter;
    kelvane::session::DesignSession engine(prompter, catalogue, programDirectory);
    kelvane::gui::FrmFanji window(engine);
    prompter.setParent(&window);
    window.show();
    window.centre();
    window.openDesignWindow();
    return QApplication::exec();
}
