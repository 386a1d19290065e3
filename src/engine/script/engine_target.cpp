#include "script/engine_target.h"

#include "design/design_window.h"
#include "script/snapshot.h"

namespace kelvane::script {

void EngineTarget::type(const QString& control, const QString& text) {
    m_window.type(*design::fieldByName(control), text);
}

void EngineTarget::pick(const QString& control, const QString& item) {
    m_window.pick(*design::fieldByName(control), item);
}

void EngineTarget::key(const QString& control, int keyCode) {
    m_window.keyDown(control, keyCode);
}

void EngineTarget::focus(const QString& control) {
    m_window.focus(control);
}

void EngineTarget::click(const QString& control) {
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

void EngineTarget::tick(int /*count*/) {}

QJsonObject EngineTarget::snapshot() {
    return engineSnapshot(m_window);
}

}  // namespace kelvane::script
