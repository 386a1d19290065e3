#include "files/window_printer.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QWidget>

namespace kelvane::gui {

void printWindow(QWidget& window, QPrinter& printer) {
    const QPixmap image = window.grab();
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(),
                       size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, image);
}

bool printWindowToPdf(QWidget& window, const QString& path, QString* error) {
    {
        // Find out first whether the file can be written at all: the PDF
        // engine reports no reason of its own.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) {
            if (error != nullptr) {
                *error = probe.errorString();
            }
            return false;
        }
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(window.width() > window.height() ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
    printWindow(window, printer);
    return true;
}

}  // namespace kelvane::gui
