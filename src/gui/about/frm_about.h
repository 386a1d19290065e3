#pragma once

#include <QDialog>

#include <memory>

namespace kelvane::about {
class AboutWindow;
}

namespace Ui {
class FrmAbout;
}

namespace kelvane::gui {

class FieldBinder;

// The About window bound to the engine's AboutWindow: icon, title, version,
// description, notice, the brand labels and a button that starts the
// system's information program. Not modal. Widgets forward the engineer's
// clicks, keys and focus to the engine's verbs; cmdOK's unloading closes
// the window.
class FrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit FrmAbout(about::AboutWindow& window, QWidget* parent = nullptr);
    ~FrmAbout() override;

    // The widget of a control by its control name (picIcon, lblTitle, ...),
    // or null.
    [[nodiscard]] QWidget* control(const QString& name) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    about::AboutWindow& m_window;
    std::unique_ptr<Ui::FrmAbout> m_ui;
    FieldBinder* m_binder = nullptr;
};

}  // namespace kelvane::gui
