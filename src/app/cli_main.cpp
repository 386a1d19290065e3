#include "design/design_window.h"
#include "script/engine_target.h"
#include "script/script_runner.h"
#include "script/scripted_prompter.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

int usage(QTextStream& err) {
    err << "usage: kelvane-cli run SCRIPT\n";
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 2 || args[0] != u"run") {
        return usage(err);
    }
    kelvane::script::ScriptedPrompter prompter;
    kelvane::design::DesignWindow window(prompter);
    window.open();
    kelvane::script::EngineTarget target(window);
    return kelvane::script::runScript(args[1], window, target, prompter, out, err);
}
