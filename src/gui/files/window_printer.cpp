#include "gui/files/window_printer.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QSaveFile>
#include <QWidget>

namespace kelvane::gui {

bool printWindow(QWidget& window, QPagedPaintDevice& printer) {
    const QPixmap image = window.grab();
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(),
                       size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, image);
    return painter.end();
}

bool printWindowToPdf(QWidget& window, const QString& path, QString* error) {
    const auto fail = [error](const QString& reason) {
        if (error != nullptr) {
            *error = reason;
        }
        return false;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(file.errorString());
    }
    bool printed = false;
    {
        QPdfWriter writer(&file);
        writer.setPageOrientation(window.width() > window.height() ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait);
        printed = printWindow(window, writer);
    }
    if (!printed) {
        file.cancelWriting();
        return fail(file.error() != QFileDevice::NoError ? file.errorString()
                                                         : QStringLiteral("无法生成PDF"));
    }
    if (!file.commit()) {
        return fail(file.errorString());
    }
    return true;
}

}  // namespace kelvane::gui
