#pragma once

#include "engine/script/script_runner.h"

namespace kelvane::session {
class DesignSession;
}

namespace kelvane::script {

// N ticks of the wire calculator's timer, when its window is open.
void tickWireTools(session::DesignSession& window, int count);

// The verbs on a control a script names, in the window its name belongs
// to; the runner has checked the name.
void keyDownNamed(session::DesignSession& window, const QString& control, int keyCode);
void focusNamed(session::DesignSession& window, const QString& control);
void clickNamed(session::DesignSession& window, const QString& control);

// Drives the engine directly: the verbs of the design window.
class EngineTarget : public ScriptTarget {
public:
    explicit EngineTarget(session::DesignSession& window);

    void type(const QString& control, const QString& text) override;
    void pick(const QString& control, const QString& item) override;
    void key(const QString& control, int keyCode) override;
    void focus(const QString& control) override;
    void click(const QString& control) override;
    void select(const QString& grid, int row) override;
    void page(int page) override;
    void openFile(const QString& path) override;
    void saveFile(const QString& path) override;
    Result<void> print(const QString& path) override;
    void advise() override;
    void apply(int row) override;
    void check() override;
    void checkInput(const QString& name, const QString& text) override;
    void tick(int count) override;
    QJsonObject snapshot() override;

private:
    session::DesignSession& m_window;
};

}  // namespace kelvane::script
