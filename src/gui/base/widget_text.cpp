#include "gui/base/widget_text.h"

#include "engine/base/language.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace kelvane::gui {
namespace {

// Where a position of `before` lies in `after`: a position inside the
// unchanged beginning stays, one inside the unchanged end keeps its distance
// from the end, anything else is clamped. So the engine appending ".0" to a
// typed "7" leaves the cursor after the 7, and a leading zero it drops takes
// the cursor with it.
int carriedPosition(const QString& before, const QString& after, int position) {
    qsizetype prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
        ++prefix;
    }
    if (position <= prefix) {
        return position;
    }
    qsizetype suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const qsizetype fromEnd = before.size() - position;
    if (fromEnd <= suffix) {
        return int(after.size() - fromEnd);
    }
    return int(std::min<qsizetype>(position, after.size()));
}

// The engine rewrites the text of the field being typed in (a reformat, a
// recalculation); the engineer's cursor and selection stay where they were
// instead of jumping to the end.
void mirrorIntoFocused(QLineEdit* lineEdit, const QString& text) {
    const QString before = lineEdit->text();
    const bool wholeSelected = lineEdit->hasSelectedText() && lineEdit->selectedText() == before;
    const int start = lineEdit->selectionStart();
    const int end = start + int(lineEdit->selectedText().size());
    const int cursor = lineEdit->cursorPosition();
    lineEdit->setText(text);
    if (wholeSelected) {
        lineEdit->selectAll();
    } else if (start >= 0) {
        const int newStart = carriedPosition(before, text, start);
        const int newEnd = std::max(newStart, carriedPosition(before, text, end));
        // Keeps the end of the selection where the cursor was.
        if (cursor == start) {
            lineEdit->setSelection(newEnd, newStart - newEnd);
        } else {
            lineEdit->setSelection(newStart, newEnd - newStart);
        }
    } else {
        lineEdit->setCursorPosition(carriedPosition(before, text, cursor));
    }
}

}  // namespace

QString shownText(const QString& engineText) {
    const bool plain = std::all_of(engineText.begin(), engineText.end(),
                                   [](QChar c) { return c.unicode() < 0x80; });
    return plain ? engineText : humanText(engineText);
}

QString widgetText(const QWidget* widget) {
    QString shown;
    if (const auto* lineEdit = qobject_cast<const QLineEdit*>(widget)) {
        shown = lineEdit->text();
    } else if (const auto* box = qobject_cast<const QComboBox*>(widget)) {
        shown = box->currentText();
    } else {
        return {};
    }
    // A translated text reads as the engine's own until the engineer edits it.
    const QVariant source = widget->property(kSourceTextProperty);
    if (source.isValid() && shownText(source.toString()) == shown) {
        return source.toString();
    }
    return shown;
}

void mirrorWidgetText(QWidget* widget, const QString& engineText) {
    if (widget == nullptr || widgetText(widget) == engineText) {
        return;
    }
    const QString text = shownText(engineText);
    widget->setProperty(kSourceTextProperty, text == engineText ? QVariant() : engineText);
    const QSignalBlocker blocker(widget);
    auto* box = qobject_cast<QComboBox*>(widget);
    auto* lineEdit = box != nullptr ? box->lineEdit() : qobject_cast<QLineEdit*>(widget);
    if (lineEdit != nullptr && lineEdit->hasFocus()) {
        mirrorIntoFocused(lineEdit, text);
    } else if (box != nullptr) {
        box->setEditText(text);
    } else if (lineEdit != nullptr) {
        lineEdit->setText(text);
    }
}

void addComboItems(QComboBox* box, const QStringList& engineTexts) {
    for (const QString& text : engineTexts) {
        box->addItem(shownText(text));
        box->setItemData(box->count() - 1, text, kSourceTextRole);
    }
}

QString comboItemText(const QComboBox* box, int index) {
    const QVariant source = box->itemData(index, kSourceTextRole);
    return source.isValid() ? source.toString() : box->itemText(index);
}

}  // namespace kelvane::gui
