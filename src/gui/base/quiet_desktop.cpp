#include "gui/base/quiet_desktop.h"

#include <QDesktopServices>

namespace kelvane::gui {
namespace {

const char* const kSchemes[] = {"http", "https", "mailto"};

}  // namespace

QuietDesktop::QuietDesktop() {
    for (const char* scheme : kSchemes) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
    }
}

QuietDesktop::~QuietDesktop() {
    for (const char* scheme : kSchemes) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
}

void QuietDesktop::openUrl(const QUrl& url) {
    m_requested.append(url);
}

}  // namespace kelvane::gui
