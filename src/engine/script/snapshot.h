#pragma once

#include <QJsonObject>
#include <QStringList>

namespace kelvane::session {
class DesignSession;
}

namespace kelvane::script {

// The controls whose enabled state a snapshot reports ("TxtApp" stands for
// all 26 material fields).
[[nodiscard]] QStringList snapshotEnabledControls();

// The snapshot of the engine's state (everything but "messages").
[[nodiscard]] QJsonObject engineSnapshot(const session::DesignSession& window);

}  // namespace kelvane::script
