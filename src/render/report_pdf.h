#pragma once

#include "engine/base/result.h"
#include "engine/report/design_report.h"

#include <QString>

class QIODevice;

namespace kelvane::render {

// The family of the report's Chinese text; the PDF embeds it.
inline constexpr char kReportFontFamily[] = "Noto Sans CJK SC";

// writeReportPdf() — the report as an A4 PDF: a header with the title, the
// design file's name and the date on every page, the banner in red on the
// first, the sections in order (a section that starts a page on a new
// one), "第 n 页 / 共 m 页" at the foot. Its text copies out as written
// (withPreferredText()). The file is written beside the target and renamed
// over it, so a failed export leaves any earlier file whole. A failure says
// why, naming the file.
Result<void> writeReportPdf(const report::DesignReport& report, const QString& path);

}  // namespace kelvane::render
