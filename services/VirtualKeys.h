#pragma once

#include <Qt>

class QKeyEvent;

// The game's key codes are Windows virtual-key codes (stored in the settings and named
// by the key dialog); these functions turn Qt key events into them.

// Where the platform's native scan codes are XKB keycodes (X11 and Wayland), they are
// used for the keys whose code follows the key's place: the digit row and punctuation.
int VirtualKeyFromEvent(const QKeyEvent &event);

// The same from the parts of an event. xkbKeycode is 0 when the platform gives none;
// the key is then told by its Qt key. Returns 0 for a key without a code.
int VirtualKeyFromKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 xkbKeycode = 0);
