#include "gui/base/key_codes.h"

#include <QKeyEvent>

#include <array>
#include <utility>

namespace kelvane::gui {
namespace {

// Keys whose code is not their character.
constexpr std::array<std::pair<int, int>, 27> kNamedKeys{{
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},          {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},    {Qt::Key_Return, 13},      {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},     {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20},    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},    {Qt::Key_PageUp, 33},      {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},      {Qt::Key_Home, 36},        {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},       {Qt::Key_Right, 39},       {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},      {Qt::Key_Help, 47},
    {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145}, {Qt::Key_Meta, 91},
}};

// Punctuation by the key that carries it on a US keyboard, shifted or not.
constexpr std::array<std::pair<int, int>, 31> kPunctuation{{
    {Qt::Key_Semicolon, 186},    {Qt::Key_Colon, 186},      {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},         {Qt::Key_Comma, 188},      {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},        {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},      {Qt::Key_Slash, 191},      {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},    {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},    {Qt::Key_Backslash, 220},  {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},     {Qt::Key_Exclam, 49},      {Qt::Key_At, 50},
    {Qt::Key_NumberSign, 51},    {Qt::Key_Dollar, 52},      {Qt::Key_Percent, 53},
    {Qt::Key_AsciiCircum, 54},   {Qt::Key_Ampersand, 55},   {Qt::Key_ParenLeft, 57},
    {Qt::Key_ParenRight, 48},
}};

// Keypad keys other than the digits.
constexpr std::array<std::pair<int, int>, 5> kKeypad{{
    {Qt::Key_Asterisk, 106},
    {Qt::Key_Plus, 107},
    {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},
    {Qt::Key_Slash, 111},
}};

template <size_t N>
std::optional<int> codeOf(const std::array<std::pair<int, int>, N>& table, int key) {
    for (const auto& [qtKey, code] : table) {
        if (qtKey == key) {
            return code;
        }
    }
    return std::nullopt;
}

constexpr int kKeypadDigit0 = 96;
constexpr int kF1 = 112;
constexpr int kFunctionKeys = 24;

}  // namespace

std::optional<int> designKeyCode(const QKeyEvent& event) {
    const int key = event.key();
    if (event.modifiers().testFlag(Qt::KeypadModifier)) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) {
            return kKeypadDigit0 + (key - Qt::Key_0);
        }
        if (const std::optional<int> code = codeOf(kKeypad, key)) {
            return code;
        }
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return key;  // the codes of digits and letters are their upper-case characters
    }
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + kFunctionKeys) {
        return kF1 + (key - Qt::Key_F1);
    }
    if (const std::optional<int> code = codeOf(kNamedKeys, key)) {
        return code;
    }
    return codeOf(kPunctuation, key);
}

std::optional<QtKey> qtKeyForCode(int code) {
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
        return QtKey{code, Qt::NoModifier};
    }
    if (code >= kKeypadDigit0 && code < kKeypadDigit0 + 10) {
        return QtKey{Qt::Key_0 + (code - kKeypadDigit0), Qt::KeypadModifier};
    }
    if (code >= kF1 && code < kF1 + kFunctionKeys) {
        return QtKey{Qt::Key_F1 + (code - kF1), Qt::NoModifier};
    }
    // The first key of each table that gives the code: the unshifted one.
    for (const auto& [qtKey, keyCode] : kNamedKeys) {
        if (keyCode == code) {
            return QtKey{qtKey, Qt::NoModifier};
        }
    }
    for (const auto& [qtKey, keyCode] : kKeypad) {
        if (keyCode == code) {
            return QtKey{qtKey, Qt::KeypadModifier};
        }
    }
    for (const auto& [qtKey, keyCode] : kPunctuation) {
        if (keyCode == code) {
            return QtKey{qtKey, Qt::NoModifier};
        }
    }
    return std::nullopt;
}

}  // namespace kelvane::gui
