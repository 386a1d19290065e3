#include "gui/base/field_binder.h"

#include "engine/base/key_codes.h"
#include "gui/base/key_codes.h"
#include "gui/base/widget_text.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace kelvane::gui {
namespace {

// Set on every bound widget (and a combo box's line edit): the control name
// the focus belongs to.
const char* const kControlProperty = "kelvaneControl";
// Given in a form: a control name that is no identifier ("TxtApp(0)"),
// which a form's object name must be.
const char* const kFormNameProperty = "controlName";

// The focus moves that are the engineer's: the focus that Qt moves on its
// own (a page hidden, the window activated) is not the engine's.
bool isEngineersMove(Qt::FocusReason reason) {
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason;
}

QString controlName(const QWidget* widget) {
    const QString name = widget->property(kFormNameProperty).toString();
    return name.isEmpty() ? widget->objectName() : name;
}

}  // namespace

FieldBinder::FieldBinder(QWidget& form, Verbs verbs)
    : QObject(&form), m_form(form), m_verbs(std::move(verbs)) {}

void FieldBinder::bindControls(const std::function<bool(const QString&)>& isControl) {
    for (QWidget* widget : m_form.findChildren<QWidget*>()) {
        if (isControl(controlName(widget))) {
            bind(widget);
        }
    }
}

void FieldBinder::add(QWidget* widget) {
    const QString name = controlName(widget);
    widget->setObjectName(name);
    widget->setProperty(kControlProperty, name);
    m_controls.insert(name, widget);
}

void FieldBinder::bind(QWidget* widget) {
    add(widget);
    const QString name = widget->objectName();
    if (auto* box = qobject_cast<QComboBox*>(widget)) {
        hear(box, name);
        QLineEdit* lineEdit = box->lineEdit();
        hear(lineEdit, name);
        connect(lineEdit, &QLineEdit::textEdited, this,
                [this, name](const QString& text) { m_verbs.type(name, text); });
        connect(box, &QComboBox::activated, this,
                [this, name, box](int index) { m_verbs.pick(name, comboItemText(box, index)); });
    } else if (auto* lineEdit = qobject_cast<QLineEdit*>(widget)) {
        hear(lineEdit, name);
        connect(lineEdit, &QLineEdit::textEdited, this,
                [this, name](const QString& text) { m_verbs.type(name, text); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (qobject_cast<QPushButton*>(button) != nullptr) {
            hear(button, name);
        }
        connect(button, &QAbstractButton::clicked, this, [this, name] { m_verbs.click(name); });
    } else if (qobject_cast<QLabel*>(widget) != nullptr) {
        hear(widget, name);
    }
}

void FieldBinder::mirrorText(const QString& name, const QString& text) const {
    mirrorWidgetText(control(name), text);
}

void FieldBinder::hear(QObject* object, const QString& name) {
    object->setProperty(kControlProperty, name);
    object->installEventFilter(this);
}

bool FieldBinder::eventFilter(QObject* watched, QEvent* event) {
    const QString name = watched->property(kControlProperty).toString();
    switch (event->type()) {
        case QEvent::KeyPress: {
            const std::optional<int> code = designKeyCode(*static_cast<QKeyEvent*>(event));
            if (!code) {
                break;
            }
            m_verbs.keyDown(name, *code);
            if (*code == kEnterKey) {
                return true;  // Enter is the window's, not the widget's
            }
            break;
        }
        case QEvent::FocusIn: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (isEngineersMove(reason)) {
                m_verbs.focus(name);
            }
            auto* lineEdit = qobject_cast<QLineEdit*>(watched);
            if (lineEdit == nullptr || !m_verbs.selectsAllOnFocus ||
                !m_verbs.selectsAllOnFocus(name)) {
                break;
            }
            if (reason == Qt::MouseFocusReason) {
                // After the mouse press has placed the cursor.
                QTimer::singleShot(0, lineEdit, &QLineEdit::selectAll);
            } else if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                // At once, so that keys typed right after Tab or Enter replace
                // the value; coming back to the window or from a menu leaves
                // the engineer's cursor alone.
                lineEdit->selectAll();
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            if (qobject_cast<QLabel*>(watched) != nullptr) {
                m_verbs.click(name);
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kelvane::gui
