#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace kelvane::gui {

// Binds the controls of a window to the engine behind it, keyed on each
// widget's object name, the control name the engine and the scripts know.
// Typing and picks in line edits and combo boxes, clicks on buttons and
// labels, keys and the engineer's focus moves go to the engine's verbs;
// the engine's texts come back into the widgets.
class FieldBinder : public QObject {
    Q_OBJECT

public:
    // The engine's verbs, each given the control name; the ones a window's
    // engine lacks stay empty.
    struct Verbs {
        std::function<void(const QString&, const QString&)> type;
        std::function<void(const QString&, const QString&)> pick;
        std::function<void(const QString&)> click;
        std::function<void(const QString&, int)> keyDown;
        std::function<void(const QString&)> focus;
        // Whether moving into the line edit selects its whole text.
        std::function<bool(const QString&)> selectsAllOnFocus;
    };

    FieldBinder(QWidget& form, Verbs verbs);

    // Binds every widget under the form whose object name `isControl`
    // accepts.
    void bindControls(const std::function<bool(const QString&)>& isControl);
    // Binds one widget by its object name. Line edits, combo boxes, push
    // buttons and labels hear keys and focus; option and check boxes only
    // clicks; other widgets (grids, pictures) are only found by name.
    void bind(QWidget* widget);
    // Makes a widget the engine only writes to (a picture, a caption) found
    // by its control name; it hears nothing.
    void add(QWidget* widget);

    // The widget of a control by its control name, or null.
    [[nodiscard]] QWidget* control(const QString& name) const { return m_controls.value(name); }
    [[nodiscard]] const QHash<QString, QWidget*>& controls() const { return m_controls; }
    // Shows the engine's text of a field in its widget (see mirrorWidgetText).
    void mirrorText(const QString& name, const QString& text) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void hear(QObject* object, const QString& name);

    QWidget& m_form;
    Verbs m_verbs;
    QHash<QString, QWidget*> m_controls;
};

}  // namespace kelvane::gui
