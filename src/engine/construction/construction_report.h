#pragma once

#include "engine/check/design_check.h"
#include "engine/construction/construction.h"
#include "engine/report/design_report.h"

#include <QCoreApplication>

namespace kelvane::construction {

// The titles of the construction sheet's sections, in order.
inline constexpr char kDiagramTitle[] =
    QT_TRANSLATE_NOOP("kelvane::construction", "8 电气原理图与引脚");
inline constexpr char kWindingTitle[] = QT_TRANSLATE_NOOP("kelvane::construction", "9 绕制说明");
inline constexpr char kSectionTitle[] =
    QT_TRANSLATE_NOOP("kelvane::construction", "10 绕组截面（按比例）");
inline constexpr char kGapTitle[] = QT_TRANSLATE_NOOP("kelvane::construction", "11 气隙");
inline constexpr char kTestTitle[] = QT_TRANSLATE_NOOP("kelvane::construction", "12 电气测试");

// appendConstructionSheet() — the construction sheet as the report's
// second half, from a page of its own: the electrical diagram and the pins,
// the winding order with each step's wire, turns, layers, margins and tape,
// the build across the window to scale, the gap as AL ±5 %, and the
// electrical tests. A design that cannot be wound yet gets a line saying
// why in place of the order, build, gap and tests. `staleNotice` heads the
// sheet when the results are out of date. When `check` fails an item the
// report's banner names it.
void appendConstructionSheet(report::DesignReport& report, const Construction& construction,
                             const check::CheckResult& check, const QString& staleNotice = {});

// The texts the sheet shows for a step's wire ("φ0.30 漆包线",
// "3×φ0.47 漆包线", "φ0.50 三层绝缘线") and for the primary inductance's
// band ("0.533 mH ±10%（0.480～0.586 mH）").
[[nodiscard]] QString wireText(const Winding& winding);
[[nodiscard]] QString inductanceRequirement(const Construction& construction);

}  // namespace kelvane::construction
