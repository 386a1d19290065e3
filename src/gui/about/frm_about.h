#pragma once

#include <QDialog>
#include <QHash>

namespace kelvane::about {
class AboutWindow;
}

namespace kelvane::gui {

// The About window bound to the engine's AboutWindow: icon, title, version,
// description, notice, the brand labels and a button that starts the
// system's information program. Not modal. Widgets forward the engineer's
// clicks, keys and focus to the engine's verbs; cmdOK's unloading closes
// the window.
class FrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit FrmAbout(about::AboutWindow& window, QWidget* parent = nullptr);

    // The widget of a control by its control name (picIcon, lblTitle, ...),
    // or null.
    [[nodiscard]] QWidget* control(const QString& name) const { return m_controls.value(name); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void registerControl(const QString& name, QWidget* widget);

    about::AboutWindow& m_window;
    QHash<QString, QWidget*> m_controls;
};

}  // namespace kelvane::gui
