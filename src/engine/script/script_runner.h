#pragma once

#include "engine/base/result.h"

#include <QJsonObject>
#include <QString>

class QTextStream;

namespace kelvane::session {
class DesignSession;
}

namespace kelvane::script {

class ScriptedPrompter;

// What a design script drives: the engine itself (kelvane-cli) or the real
// widgets of the windows (kelvane --run-script). Control names are checked
// by the runner before a call.
class ScriptTarget {
public:
    virtual ~ScriptTarget() = default;
    virtual void type(const QString& control, const QString& text) = 0;
    virtual void pick(const QString& control, const QString& item) = 0;
    // Key-down with the key code, the focus first put in the control.
    virtual void key(const QString& control, int keyCode) = 0;
    virtual void focus(const QString& control) = 0;
    virtual void click(const QString& control) = 0;
    // Row 1 is the first output or record.
    virtual void select(const QString& grid, int row) = 0;
    virtual void page(int page) = 0;
    // The file menu with its dialog answered by `path` (empty: cancelled).
    virtual void openFile(const QString& path) = 0;
    virtual void saveFile(const QString& path) = 0;
    // PR printing to a PDF file; fails with the reason when nothing was
    // printed (the runner reports it on standard error and goes on).
    virtual Result<void> print(const QString& path) = 0;
    // The core adviser with its defaults, and the application of row `row`
    // (1-based) of its latest run, as a double-click on that row does.
    virtual void advise() = 0;
    virtual void apply(int row) = 0;
    // The design check on the design as it stands, and one of its own
    // inputs typed on its page (an empty text: the default).
    virtual void check() = 0;
    virtual void checkInput(const QString& name, const QString& text) = 0;
    // Ticks of the wire calculator's one-second timer.
    virtual void tick(int count) = 0;
    // The snapshot without "messages", which the runner adds.
    virtual QJsonObject snapshot() = 0;
};

// Runs the script at `path` against `target`: one snapshot line on `out` per
// `dump`. A command aimed at a window that is not open, and every command
// but `dump` once the program has ended, is checked and then has no effect;
// any other command aimed at a window is an act in it
// (DesignSession::actIn). A script error stops the run with "line N: reason"
// on `err`. Returns the exit status: 0, or 2 after a script error.
int runScript(const QString& path, session::DesignSession& window, ScriptTarget& target,
              ScriptedPrompter& prompter, QTextStream& out, QTextStream& err);

// One snapshot object as the single line that `dump` prints (no newline).
[[nodiscard]] QByteArray snapshotLine(const QJsonObject& snapshot);

}  // namespace kelvane::script
