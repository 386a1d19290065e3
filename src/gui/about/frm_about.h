#pragma once

#include <QDialog>
#include <QHash>

namespace kelvane {
class Prompter;
}

namespace kelvane::gui {

// The About window: icon, title, version, description, notice and a
// button that starts the system's information program. Not modal.
class FrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit FrmAbout(Prompter& prompter, QWidget* parent = nullptr);

    // The widget of a control by its control name (picIcon, lblTitle, ...),
    // or null.
    [[nodiscard]] QWidget* control(const QString& name) const { return m_controls.value(name); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void registerControl(const QString& name, QWidget* widget);

    Prompter& m_prompter;
    QHash<QString, QWidget*> m_controls;
};

}  // namespace kelvane::gui
