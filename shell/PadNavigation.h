#pragma once

#include "services/PadButtons.h"

// Pad buttons in the program's menus and dialogs. While a menu or a modal dialog is
// open it takes every press as the key a player would press there: in a menu the
// d-pad moves, A chooses, B and Back close; in a dialog the d-pad moves the focus, A
// presses the focused button (or OK), B cancels or closes, and a listening pad box
// takes the button itself. Everything is posted, so a dialog that opens another one
// never runs inside the pads' poll. Returns false when no menu or dialog is open: the
// press is the game's. A repeated press (a held direction) moves again and does
// nothing else.
bool PadNavigate(PadButton button, bool repeated);
