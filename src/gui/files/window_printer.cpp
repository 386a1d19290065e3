#include "gui/files/window_printer.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QSaveFile>
#include <QWidget>

namespace kelvane::gui {

Result<void> printWindow(QWidget& window, QPagedPaintDevice& printer) {
    const Failure unavailable{
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "打印机不可用"))};
    const QPixmap image = window.grab();
    QPainter painter;
    if (!painter.begin(&printer)) {
        return unavailable;
    }
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(),
                       size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, image);
    if (!painter.end()) {
        return unavailable;
    }
    return {};
}

Result<void> printWindowToPdf(QWidget& window, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Failure{file.errorString()};
    }
    bool printed = false;
    {
        QPdfWriter writer(&file);
        writer.setPageOrientation(window.width() > window.height() ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait);
        printed = printWindow(window, writer).ok();
    }
    if (!printed) {
        file.cancelWriting();
        return Failure{file.error() != QFileDevice::NoError
                           ? file.errorString()
                           : QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "无法生成PDF"))};
    }
    if (!file.commit()) {
        return Failure{file.errorString()};
    }
    return {};
}

}  // namespace kelvane::gui
