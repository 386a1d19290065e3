#include "script/engine_target.h"

#include "design/design_window.h"
#include "script/snapshot.h"

#include <QTime>

namespace kelvane::script {

namespace {

const QString kWirePrefix = QStringLiteral("FrmWireTools.");

// The wire calculator's name of a prefixed control, or no value.
std::optional<QString> wireControl(const QString& control) {
    if (!control.startsWith(kWirePrefix)) {
        return std::nullopt;
    }
    return control.mid(kWirePrefix.size());
}

}  // namespace

void EngineTarget::type(const QString& control, const QString& text) {
    if (const std::optional<QString> wireName = wireControl(control)) {
        m_window.wireTools().type(*wireName, text);
        return;
    }
    m_window.type(*design::fieldByName(control), text);
}

void EngineTarget::pick(const QString& control, const QString& item) {
    if (const std::optional<QString> wireName = wireControl(control)) {
        m_window.wireTools().pick(*wireName, item);
        return;
    }
    m_window.pick(*design::fieldByName(control), item);
}

void EngineTarget::key(const QString& control, int keyCode) {
    if (const std::optional<QString> wireName = wireControl(control)) {
        m_window.wireTools().keyDown(*wireName, keyCode);
        return;
    }
    m_window.keyDown(control, keyCode);
}

void EngineTarget::focus(const QString& control) {
    if (!wireControl(control)) {
        m_window.focus(control);  // the snapshot's focus is the design window's
    }
}

void EngineTarget::click(const QString& control) {
    if (const std::optional<QString> wireName = wireControl(control)) {
        m_window.wireTools().click(*wireName);
        return;
    }
    m_window.click(control);
}

void EngineTarget::select(const QString& grid, int row) {
    if (grid == u"MS") {
        m_window.selectOutputRow(row);
    } else {
        m_window.selectRecord(grid, row);
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

QString EngineTarget::print(const QString& /*path*/) {
    return QStringLiteral("printing needs the windows: run the script with kelvane --run-script");
}

void EngineTarget::tick(int count) {
    tickWireTools(m_window, count);
}

void tickWireTools(design::DesignWindow& window, int count) {
    // The timer runs from the moment the window loads; a fixed time keeps
    // the clock out of the script's results.
    if (!window.wireTools().isLoaded()) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        window.wireTools().tick(QTime(12, 0));
    }
}

QJsonObject EngineTarget::snapshot() {
    return engineSnapshot(m_window);
}

}  // namespace kelvane::script
