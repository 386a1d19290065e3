#include "base/widget_text.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace kelvane::gui {

QString widgetText(const QWidget* widget) {
    if (const auto* lineEdit = qobject_cast<const QLineEdit*>(widget)) {
        return lineEdit->text();
    }
    if (const auto* box = qobject_cast<const QComboBox*>(widget)) {
        return box->currentText();
    }
    return {};
}

void mirrorWidgetText(QWidget* widget, const QString& text) {
    if (widget == nullptr || widgetText(widget) == text) {
        return;
    }
    const QSignalBlocker blocker(widget);
    if (auto* lineEdit = qobject_cast<QLineEdit*>(widget)) {
        lineEdit->setText(text);
    } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
        box->setEditText(text);
    }
}

}  // namespace kelvane::gui
