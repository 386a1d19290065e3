#include "engine/script/script_runner.h"

#include "engine/script/engine_target.h"
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTextStream>

namespace kelvane::script {
namespace {

struct ScriptRun {
    int status;
    QStringList snapshots;
    QString errors;
};

ScriptRun run(const QString& script) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("test.script"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(script.toUtf8());
    file.close();
    ScriptedPrompter prompter;
    session::DesignSession window(prompter, QStringLiteral(KELVANE_TEST_CATALOGUE), QString());
    window.open();
    EngineTarget target(window);
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = runScript(path, window, target, prompter, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {status, out.split(u'\n', Qt::SkipEmptyParts), err};
}

struct ErrorCase {
    const char* script;
    const char* lineMark;
};

class ScriptErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ScriptErrorTest, StopsWithTheLineNumberAndStatus2) {
    const ScriptRun result = run(QString::fromUtf8(GetParam().script));
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.errors.startsWith(QString::fromLatin1(GetParam().lineMark)))
        << result.errors.toStdString();
    EXPECT_EQ(result.snapshots.size(), 1);  // the dump before the error stays printed
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Errors, ScriptErrorTest, ::testing::Values(
    ErrorCase{"dump\nfrobnicate TxtF\n", "line 2:"},
    ErrorCase{"dump\n\ntype TxtQ 5\n", "line 3:"},
    ErrorCase{"dump\nselect MS 2\n", "line 2:"},          // only one data row
    ErrorCase{"dump\nselect MS 0\n", "line 2:"},          // the header is not a row
    ErrorCase{"dump\npick Combo1 Class Q\n", "line 2:"},  // not an item of the list
    ErrorCase{"dump\npick TxtF 5\n", "line 2:"},          // not a combo box
    ErrorCase{"dump\nclick Command99\n", "line 2:"},
    ErrorCase{"dump\nkey TxtF x\n", "line 2:"},
    ErrorCase{"dump\nanswer maybe\n", "line 2:"},
    ErrorCase{"dump\npage 4\n", "line 2:"},
    ErrorCase{"dump\ncheck now\n", "line 2:"},           // check takes no argument
    ErrorCase{"dump\ncheckinput vacmin 90\n", "line 2:"},  // no input of the check
    ErrorCase{"dump\ncheckinput start(1) 5\ncheckinput pin(1) 5\n", "line 3:"},
    // Checked even where the window is not open and the command would do
    // nothing.
    ErrorCase{"dump\npick FrmWireTools.CmbWire 金线\n", "line 2:"},
    ErrorCase{"dump\ntype frmAbout.cmdOK 1\n", "line 2:"},
    ErrorCase{"dump\nclick frmAbout.cmdCancel\n", "line 2:"},
    ErrorCase{"dump\nclick TOOL\nclick FrmWireTools.OP\nclick Command99\n", "line 4:"}));
// clang-format on

TEST(ScriptRunner, MissingScriptIsAnError) {
    ScriptedPrompter prompter;
    session::DesignSession window(prompter, QStringLiteral(KELVANE_TEST_CATALOGUE), QString());
    EngineTarget target(window);
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    EXPECT_EQ(runScript(QStringLiteral("/nonexistent/x.script"), window, target, prompter,
                        outStream, errStream),
              2);
}

}  // namespace
}  // namespace kelvane::script
