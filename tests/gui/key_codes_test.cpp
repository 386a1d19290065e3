#include "gui/base/key_codes.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

namespace kelvane::gui {
namespace {

std::optional<int> codeOf(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QKeyEvent event(QEvent::KeyPress, key, modifiers);
    return designKeyCode(event);
}

// The desktop's key codes that the design record's key handling knows.
TEST(KeyCodesTest, KeysGiveTheDesktopCodes) {
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int code;
    } cases[] = {
        {Qt::Key_Return, Qt::NoModifier, 13},    {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Backspace, Qt::NoModifier, 8},  {Qt::Key_Tab, Qt::NoModifier, 9},
        {Qt::Key_Escape, Qt::NoModifier, 27},    {Qt::Key_Space, Qt::NoModifier, 32},
        {Qt::Key_PageUp, Qt::NoModifier, 33},    {Qt::Key_End, Qt::NoModifier, 35},
        {Qt::Key_Home, Qt::NoModifier, 36},      {Qt::Key_Left, Qt::NoModifier, 37},
        {Qt::Key_Down, Qt::NoModifier, 40},      {Qt::Key_Delete, Qt::NoModifier, 46},
        {Qt::Key_0, Qt::NoModifier, 48},         {Qt::Key_A, Qt::ShiftModifier, 65},
        {Qt::Key_Z, Qt::NoModifier, 90},         {Qt::Key_0, Qt::KeypadModifier, 96},
        {Qt::Key_9, Qt::KeypadModifier, 105},    {Qt::Key_Period, Qt::KeypadModifier, 110},
        {Qt::Key_Period, Qt::NoModifier, 190},   {Qt::Key_Minus, Qt::NoModifier, 189},
        {Qt::Key_F1, Qt::NoModifier, 112},       {Qt::Key_F12, Qt::NoModifier, 123},
        {Qt::Key_Exclam, Qt::ShiftModifier, 49},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(codeOf(c.key, c.modifiers), c.code) << c.key;
    }
    EXPECT_EQ(codeOf(Qt::Key_MediaPlay), std::nullopt);
}

// Every code a key gives comes back from the key that the script runner
// presses for it, so a script's key reaches the window with its own code.
TEST(KeyCodesTest, EveryCodeComesBackFromItsKey) {
    int mapped = 0;
    for (int code = 0; code < 256; ++code) {
        const std::optional<QtKey> key = qtKeyForCode(code);
        if (!key) {
            continue;
        }
        ++mapped;
        EXPECT_EQ(codeOf(key->key, key->modifiers), code) << code;
    }
    EXPECT_GT(mapped, 100);
}

}  // namespace
}  // namespace kelvane::gui
