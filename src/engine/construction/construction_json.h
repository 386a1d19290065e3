#pragma once

#include "engine/check/design_check.h"
#include "engine/construction/construction.h"

#include <QJsonObject>

namespace kelvane::construction {

// constructionJson() — the construction sheet as data, for
// `kelvane-cli report --json`: the windings with their wire and pins, the
// winding order with turns, layers, margins and the tape after each step,
// the build against the window, the gap as AL, the electrical tests and
// the check's verdict. Lengths in mm (four decimals), inductance in mH and
// µH, resistance in Ω; a value the design does not give is null. The
// members are described in the README.
[[nodiscard]] QJsonObject constructionJson(const Construction& construction,
                                           const check::CheckResult& check);

}  // namespace kelvane::construction
