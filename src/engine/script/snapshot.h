#pragma once

#include <QJsonObject>
#include <QStringList>

namespace kelvane::design {
class DesignWindow;
}

namespace kelvane::script {

// The controls whose enabled state a snapshot reports ("TxtApp" stands for
// all 26 material fields).
[[nodiscard]] QStringList snapshotEnabledControls();

// The snapshot of the engine's state (everything but "messages").
[[nodiscard]] QJsonObject engineSnapshot(const design::DesignWindow& window);

}  // namespace kelvane::script
