#pragma once

#include "services/PadButtons.h"
#include "services/UserStore.h"

#include <QString>

#include <array>

// The key of the store under which the settings and the high scores live.
constexpr const char *SettingsKeyPath = "Software\\Orvane Soft\\Cobaltix";

// The ten player keys as virtual-key codes: player 1's left, right, rotate, step down,
// throw, then player 2's.
using TTeclasJuego = std::array<quint16, 10>;

// Left, Right, Up, Down, Enter; A, D, W, S, Ctrl.
constexpr TTeclasJuego DefaultGameKeys{37, 39, 38, 40, 13, 65, 68, 87, 83, 17};

// The window-size factors the player can choose.
constexpr int MinZoom = 1, MaxZoom = 4;

// What the game remembers between runs besides the language and the high scores.
struct TConfiguracion {
    TTeclasJuego TeclasJuego = DefaultGameKeys;
    QString Nombre1;
    QString Nombre2;
    // The window's size factor, MinZoom to MaxZoom; 0 when none was stored.
    int Zoom = 0;
    // Who plays each side: "person" or a CPU level's word; empty when none was stored.
    std::array<QString, 2> Jugadores;
    // Both players' pad buttons.
    TBotonesMando BotonesMando = DefaultPadButtons;
};

// Reads the keys, the names and the language, and switches to that language. Any
// failure gives the default keys and English, silently; the names then keep what they
// held or what was read before the failure. A value refused for its type or size has
// the store file kept whole before it is next written. "Zoom" is read on its own:
// missing, of another type or outside MinZoom..MaxZoom it reads as 0. So are "Player 1"
// and "Player 2": missing or not text they read as empty. "Pad buttons" is read on its own
// too: missing, it gives the default buttons; of another type or size, or holding a code
// that is no button, the defaults as well, and the file is kept.
void LeerConfiguracion(TConfiguracion &config, const UserStore &store = UserStore());

// Stores the keys, the names, the current language, the pad buttons, a zoom of
// MinZoom..MaxZoom and the players that are not empty, all or none; while the Spanish
// module could not be loaded, the stored language is kept. A failed write is reported
// (text 1004, caption 1002), a store that cannot be opened once per run. Returns whether
// everything was stored.
bool GuardarConfiguracion(const TConfiguracion &config, const UserStore &store = UserStore());

// Reports (text 1004, caption 1002) that the store cannot be opened for writing, the
// first time only for each store file: every later change would be dropped silently.
void ReportUnopenableStore(const UserStore &store);
