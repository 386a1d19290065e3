#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace kelvane::gui {

// Prints the image of a window as shown on the screen, scaled to fit the
// page with its proportions kept, on one page.
void printWindow(QWidget& window, QPrinter& printer);

// The same print into a PDF file; false with `error` set when the file
// cannot be written.
bool printWindowToPdf(QWidget& window, const QString& path, QString* error);

}  // namespace kelvane::gui
