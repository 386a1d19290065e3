#pragma once

#include "engine/check/design_check.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

#include <optional>

namespace kelvane::session {
class DesignSession;
}

namespace kelvane::script {

// The controls whose enabled state a snapshot reports ("TxtApp" stands for
// all 26 material fields).
[[nodiscard]] QStringList snapshotEnabledControls();

// A design check as the snapshot's "check" shows it: null for none, else
// {"summary": VERDICT, "items": [[ID, VALUE, VERDICT], …]}.
[[nodiscard]] QJsonValue checkJson(const std::optional<check::CheckResult>& result);

// The snapshot of the engine's state (everything but "messages").
[[nodiscard]] QJsonObject engineSnapshot(const session::DesignSession& window);

}  // namespace kelvane::script
