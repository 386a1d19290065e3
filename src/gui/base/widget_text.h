#pragma once

#include <QString>
#include <QtCore/qnamespace.h>

class QWidget;

namespace kelvane::gui {

// The engine's own text of a widget that shows it translated: what scripts
// and snapshots read, whatever the language.
inline constexpr const char* kSourceTextProperty = "kelvaneSourceText";
inline constexpr int kSourceTextRole = Qt::UserRole + 100;

// The text a field widget shows: a line edit's text or the text part of a
// combo box; empty for other widgets.
[[nodiscard]] QString widgetText(const QWidget* widget);

// Shows an engine field's text in its widget (line edit or combo box)
// without raising the widget's edit signals; nothing when it already does.
// A widget with the focus keeps its cursor and selection.
void mirrorWidgetText(QWidget* widget, const QString& text);

}  // namespace kelvane::gui
