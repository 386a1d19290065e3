#pragma once

#include <Qt>

#include <optional>

class QKeyEvent;

namespace kelvane::gui {

// The key code of the design record's key-down events (the desktop's
// virtual-key codes: Enter 13, Backspace 8, "A" 65, F1 112, ...) for a key
// pressed in a widget; none for a key that has no such code.
[[nodiscard]] std::optional<int> designKeyCode(const QKeyEvent& event);

// The Qt key (and keypad modifier) that gives a key code back; none when
// no key of a keyboard gives it.
struct QtKey {
    int key;
    Qt::KeyboardModifiers modifiers;
};
[[nodiscard]] std::optional<QtKey> qtKeyForCode(int code);

}  // namespace kelvane::gui
