#include "engine/script/engine_target.h"

#include "engine/script/snapshot.h"
#include "engine/session/design_session.h"

#include <QTime>

namespace kelvane::script {

namespace {

std::optional<QString> wireControl(const QString& control) {
    return session::controlOf(session::Window::WireTools, control);
}

std::optional<QString> aboutControl(const QString& control) {
    return session::controlOf(session::Window::About, control);
}

}  // namespace

void keyDownNamed(session::DesignSession& window, const QString& control, int keyCode) {
    if (const std::optional<QString> wireName = wireControl(control)) {
        window.wireTools().keyDown(*wireName, keyCode);
    } else if (const std::optional<QString> aboutName = aboutControl(control)) {
        window.about().keyDown(*aboutName, keyCode);
    } else if (const std::optional<sheet::Control> design = sheet::controlByName(control)) {
        window.keyDown(*design, keyCode);
    }
}

void focusNamed(session::DesignSession& window, const QString& control) {
    if (const std::optional<QString> wireName = wireControl(control)) {
        window.wireTools().focus(*wireName);
    } else if (const std::optional<QString> aboutName = aboutControl(control)) {
        window.about().focus(*aboutName);
    } else if (const std::optional<sheet::Control> design = sheet::controlByName(control)) {
        window.focus(*design);
    }
}

void clickNamed(session::DesignSession& window, const QString& control) {
    if (const std::optional<QString> wireName = wireControl(control)) {
        window.wireTools().click(*wireName);
    } else if (const std::optional<QString> aboutName = aboutControl(control)) {
        window.about().click(*aboutName);
    } else if (const std::optional<sheet::Control> design = sheet::controlByName(control)) {
        window.click(*design);
    }
}

EngineTarget::EngineTarget(session::DesignSession& window) : m_window(window) {
    // Without windows, OP's end of the program is the engine's alone; a
    // script is never asked about unsaved changes.
    QObject::connect(&window.wireTools(), &wire::WireCalculator::closeProgramRequested, &window,
                     [&window] {
                         window.wireTools().sayFarewell();
                         window.windows().endProgram();
                     });
}

void EngineTarget::type(const QString& control, const QString& text) {
    if (const std::optional<QString> wireName = wireControl(control)) {
        m_window.wireTools().type(*wireName, text);
        return;
    }
    m_window.type(*sheet::fieldByName(control), text);
}

void EngineTarget::pick(const QString& control, const QString& item) {
    if (const std::optional<QString> wireName = wireControl(control)) {
        m_window.wireTools().pick(*wireName, item);
        return;
    }
    m_window.pick(*sheet::fieldByName(control), item);
}

void EngineTarget::key(const QString& control, int keyCode) {
    keyDownNamed(m_window, control, keyCode);
}

void EngineTarget::focus(const QString& control) {
    focusNamed(m_window, control);
}

void EngineTarget::click(const QString& control) {
    clickNamed(m_window, control);
}

void EngineTarget::select(const QString& grid, int row) {
    if (grid == u"MS") {
        m_window.selectOutputRow(row);
    } else {
        m_window.selectRecord(std::get<sheet::RecordGrid>(*sheet::controlByName(grid)), row);
    }
}

void EngineTarget::page(int page) {
    m_window.showPage(page);
}

void EngineTarget::openFile(const QString& path) {
    m_window.openDesign(path);
}

void EngineTarget::saveFile(const QString& path) {
    m_window.saveDesign(path);
}

Result<void> EngineTarget::print(const QString& /*path*/) {
    return Failure{
        QStringLiteral("printing needs the windows: run the script with kelvane --run-script")};
}

void EngineTarget::tick(int count) {
    tickWireTools(m_window, count);
}

void tickWireTools(session::DesignSession& window, int count) {
    // The timer runs while the window is open; a fixed time keeps the clock
    // out of the script's results.
    if (window.windows().isOpen(session::Window::WireTools)) {
        window.wireTools().tick(QTime(12, 0), count);
    }
}

QJsonObject EngineTarget::snapshot() {
    return engineSnapshot(m_window);
}

void EngineTarget::advise() {
    m_window.advise();
}

void EngineTarget::apply(int row) {
    m_window.applyAdvice(row - 1);
}

void EngineTarget::check() {
    m_window.runCheck();
}

void EngineTarget::checkInput(const QString& name, const QString& text) {
    m_window.setCheckInput(name, text);
}

}  // namespace kelvane::script
