#pragma once

#include <QString>
#include <QStringList>
#include <QtCore/qnamespace.h>

class QComboBox;
class QWidget;

namespace kelvane::gui {

// The engine's own text of a widget, or of a combo box item, that shows it
// translated: what scripts and snapshots read, whatever the language.
inline constexpr const char* kSourceTextProperty = "kelvaneSourceText";
inline constexpr int kSourceTextRole = Qt::UserRole + 100;

// The text a window shows for an engine text: numbers and units as they
// are, a message or a catalogue's Chinese text in the engineer's language.
[[nodiscard]] QString shownText(const QString& engineText);

// The engine's text a field widget shows: a line edit's text or the text
// part of a combo box, read as the engine wrote it where it is shown
// translated; empty for other widgets.
[[nodiscard]] QString widgetText(const QWidget* widget);

// Shows an engine field's text in its widget (line edit or combo box), a
// message in the engineer's language, without raising the widget's edit
// signals; nothing when it already does. A widget with the focus keeps its
// cursor and selection.
void mirrorWidgetText(QWidget* widget, const QString& text);

// Adds engine texts to a combo box as items shown in the engineer's
// language; comboItemText() reads the engine's text of an item back.
void addComboItems(QComboBox* box, const QStringList& engineTexts);
[[nodiscard]] QString comboItemText(const QComboBox* box, int index);

}  // namespace kelvane::gui
