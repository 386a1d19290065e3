#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

namespace kelvane::gui {

// While it lives, web addresses that the windows ask the desktop to open
// (brand labels, the About window) are only recorded: a design script or a
// test never starts a browser.
class QuietDesktop : public QObject {
    Q_OBJECT

public:
    QuietDesktop();
    ~QuietDesktop() override;
    QuietDesktop(const QuietDesktop&) = delete;
    QuietDesktop& operator=(const QuietDesktop&) = delete;

    [[nodiscard]] const QList<QUrl>& requested() const { return m_requested; }

public Q_SLOTS:
    void openUrl(const QUrl& url);

private:
    QList<QUrl> m_requested;
};

}  // namespace kelvane::gui
