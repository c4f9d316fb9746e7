#include "services/VirtualKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <unordered_map>

namespace {

// XKB keycodes of a standard PC keyboard (evdev code + 8).
constexpr quint32 XkbLeftSuper = 133;
constexpr quint32 XkbRightSuper = 134;

// Punctuation keys by place, with the codes a Spanish layout gives them; their names
// in the key dialog are the characters printed on those keys of a Spanish keyboard.
int punctuationByPlace(quint32 keycode) {
    switch (keycode) {
    case 49:
        return 220; // left of 1: º
    case 20:
        return 219; // right of 0: '
    case 21:
        return 221; // ¡
    case 34:
        return 186; // right of P: `
    case 35:
        return 187; // +
    case 51:
        return 191; // ç
    case 47:
        return 192; // right of L: Ñ
    case 48:
        return 222; // ´
    case 59:
        return 188; // ,
    case 60:
        return 190; // .
    case 61:
        return 189; // -
    case 94:
        return 226; // left of Z: <
    default:
        return 0;
    }
}

// The digit row by place, so Shift or a layout that needs Shift for digits still gives
// the digit's code.
int digitByPlace(quint32 keycode) {
    if (keycode >= 10 && keycode <= 18)
        return '1' + int(keycode - 10);
    if (keycode == 19)
        return '0';
    return 0;
}

// Punctuation by the character, when no keycode is known: Spanish characters first, so
// the name shown is the character typed, then the remaining characters of a US layout.
int punctuationByCharacter(int qtKey) {
    static const std::unordered_map<int, int> table = {
        {Qt::Key_QuoteLeft, 186},   {Qt::Key_Dead_Grave, 186},  {Qt::Key_Plus, 187},
        {Qt::Key_Comma, 188},       {Qt::Key_Minus, 189},       {Qt::Key_Period, 190},
        {Qt::Key_Ccedilla, 191},    {Qt::Key_Ntilde, 192},      {Qt::Key_Apostrophe, 219},
        {Qt::Key_masculine, 220},   {Qt::Key_exclamdown, 221},  {Qt::Key_acute, 222},
        {Qt::Key_Dead_Acute, 222},  {Qt::Key_Less, 226},        {Qt::Key_Semicolon, 186},
        {Qt::Key_Equal, 187},       {Qt::Key_Slash, 191},       {Qt::Key_AsciiTilde, 192},
        {Qt::Key_BracketLeft, 219}, {Qt::Key_Backslash, 220},   {Qt::Key_BracketRight, 221},
        {Qt::Key_QuoteDbl, 222},    {Qt::Key_ordfeminine, 220}, {Qt::Key_questiondown, 221},
        {Qt::Key_Greater, 226},
    };
    const auto it = table.find(qtKey);
    return it == table.end() ? 0 : it->second;
}

int keypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 96 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Comma:
        return 108; // separator
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
        return 110;
    case Qt::Key_Slash:
        return 111;
    case Qt::Key_Clear:
        return 12; // 5 without Num Lock
    case Qt::Key_Enter:
        return 13;
    default:
        return 0;
    }
}

// Keys that do not depend on the layout.
int namedKey(int qtKey) {
    static const std::unordered_map<int, int> table = {
        {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},      {Qt::Key_Backtab, 9},
        {Qt::Key_Clear, 12},       {Qt::Key_Return, 13},  {Qt::Key_Enter, 13},
        {Qt::Key_Shift, 16},       {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
        {Qt::Key_AltGr, 18},       {Qt::Key_Pause, 19},   {Qt::Key_CapsLock, 20},
        {Qt::Key_Escape, 27},      {Qt::Key_Space, 32},   {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34},    {Qt::Key_End, 35},     {Qt::Key_Home, 36},
        {Qt::Key_Left, 37},        {Qt::Key_Up, 38},      {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},        {Qt::Key_Select, 41},  {Qt::Key_Printer, 42},
        {Qt::Key_Execute, 43},     {Qt::Key_Print, 44},   {Qt::Key_SysReq, 44},
        {Qt::Key_Insert, 45},      {Qt::Key_Delete, 46},  {Qt::Key_Help, 47},
        {Qt::Key_Super_L, 91},     {Qt::Key_Meta, 91},    {Qt::Key_Super_R, 92},
        {Qt::Key_Menu, 93},        {Qt::Key_Sleep, 95},   {Qt::Key_NumLock, 144},
        {Qt::Key_ScrollLock, 145},
    };
    const auto it = table.find(qtKey);
    return it == table.end() ? 0 : it->second;
}

} // namespace

int VirtualKeyFromKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 xkbKeycode) {
    if (modifiers & Qt::KeypadModifier) {
        // Without Num Lock the keypad sends navigation keys, which keep their own codes.
        if (const int code = keypadKey(qtKey))
            return code;
    }
    if (qtKey == Qt::Key_Meta || qtKey == Qt::Key_Super_L || qtKey == Qt::Key_Super_R) {
        if (xkbKeycode == XkbRightSuper)
            return 92;
        if (xkbKeycode == XkbLeftSuper)
            return 91;
    }
    if (const int code = namedKey(qtKey))
        return code;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    // Letters follow the layout, as the platform's letter codes do.
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 'A' + (qtKey - Qt::Key_A);
    if (const int code = digitByPlace(xkbKeycode))
        return code;
    if (const int code = punctuationByPlace(xkbKeycode))
        return code;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return '0' + (qtKey - Qt::Key_0);
    return punctuationByCharacter(qtKey);
}

int VirtualKeyFromEvent(const QKeyEvent &event) {
    const QString platform = QGuiApplication::platformName();
    const bool xkb =
        platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
    return VirtualKeyFromKey(event.key(), event.modifiers(), xkb ? event.nativeScanCode() : 0);
}
