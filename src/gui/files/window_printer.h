#pragma once

#include "engine/base/result.h"

#include <QString>

class QPagedPaintDevice;
class QWidget;

namespace kelvane::gui {

// Prints the image of a window as shown on the screen, scaled to fit the
// page with its proportions kept, on one page. Fails with "打印机不可用"
// when the printer could not be painted on or the job could not be
// finished.
Result<void> printWindow(QWidget& window, QPagedPaintDevice& printer);

// The same print into a PDF file. The file is written beside `path` and put
// in its place only once the print succeeded: a failed print leaves an
// existing file as it was and fails with the reason.
Result<void> printWindowToPdf(QWidget& window, const QString& path);

}  // namespace kelvane::gui
