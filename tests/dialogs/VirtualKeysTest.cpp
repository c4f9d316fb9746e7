#include "services/VirtualKeys.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

// Keys whose code does not depend on the layout.
TEST(VirtualKeys, NamedKeysKeepTheirCodes) {
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Left, Qt::NoModifier), 37);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Down, Qt::NoModifier), 40);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Return, Qt::NoModifier), 13);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Escape, Qt::NoModifier), 27);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Space, Qt::NoModifier), 32);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_F1, Qt::NoModifier), 112);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_F5, Qt::NoModifier), 116);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_F12, Qt::NoModifier), 123);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_NumLock, Qt::NoModifier), 144);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_ScrollLock, Qt::NoModifier), 145);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_CapsLock, Qt::NoModifier), 20);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Pause, Qt::NoModifier), 19);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Menu, Qt::NoModifier), 93);
}

// A modifier pressed alone is a game key of its own, whatever modifier flag it carries.
TEST(VirtualKeys, ModifiersAloneAreKeys) {
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Shift, Qt::ShiftModifier), 16);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Control, Qt::ControlModifier), 17);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Alt, Qt::AltModifier), 18);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_AltGr, Qt::NoModifier), 18);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Meta, Qt::MetaModifier, 133), 91);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Meta, Qt::MetaModifier, 134), 92);
}

// The keypad has codes of its own, with and without Num Lock.
TEST(VirtualKeys, KeypadKeysAreTold) {
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_0, Qt::KeypadModifier), 96);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_9, Qt::KeypadModifier), 105);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Asterisk, Qt::KeypadModifier), 106);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Plus, Qt::KeypadModifier), 107);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Comma, Qt::KeypadModifier), 108);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Minus, Qt::KeypadModifier), 109);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Period, Qt::KeypadModifier), 110);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Slash, Qt::KeypadModifier), 111);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Clear, Qt::KeypadModifier), 12);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Home, Qt::KeypadModifier), 36);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Plus, Qt::NoModifier), 187);
}

// Letters follow the layout; digits and punctuation follow the key's place when the
// keycode is known, so Shift or an AZERTY layout does not change them.
TEST(VirtualKeys, PlacesAndCharacters) {
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_A, Qt::NoModifier), 'A');
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Z, Qt::ShiftModifier), 'Z');
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_M, Qt::NoModifier, 47), 'M');
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_7, Qt::NoModifier), '7');
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Exclam, Qt::ShiftModifier, 10), '1');
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Eacute, Qt::NoModifier, 11), '2');
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Semicolon, Qt::NoModifier, 47), 192);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Less, Qt::ShiftModifier, 94), 226);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Ntilde, Qt::NoModifier), 192);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Ccedilla, Qt::NoModifier), 191);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_masculine, Qt::NoModifier), 220);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_exclamdown, Qt::NoModifier), 221);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Dead_Acute, Qt::NoModifier), 222);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_QuoteLeft, Qt::NoModifier), 186);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Apostrophe, Qt::NoModifier), 219);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Comma, Qt::NoModifier), 188);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Minus, Qt::NoModifier), 189);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Period, Qt::NoModifier), 190);
}

// Keys the game has no code for give 0 rather than a stray code.
TEST(VirtualKeys, UnknownKeysGiveZero) {
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_unknown, Qt::NoModifier), 0);
    EXPECT_EQ(VirtualKeyFromKey(0, Qt::NoModifier), 0);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_VolumeUp, Qt::NoModifier), 0);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Launch0, Qt::NoModifier), 0);
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_A, Qt::NoModifier, 0xFFFFFFFF), 'A');
    EXPECT_EQ(VirtualKeyFromKey(Qt::Key_Launch0, Qt::NoModifier, 0xFFFFFFFF), 0);
}

TEST(VirtualKeys, EventsAreRead) {
    const QKeyEvent press(QEvent::KeyPress, Qt::Key_F3, Qt::NoModifier);
    EXPECT_EQ(VirtualKeyFromEvent(press), 114);
    const QKeyEvent pad(QEvent::KeyPress, Qt::Key_5, Qt::KeypadModifier, QStringLiteral("5"));
    EXPECT_EQ(VirtualKeyFromEvent(pad), 101);
}
