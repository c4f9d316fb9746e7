#pragma once

#include "clock/GameClock.h"
#include "engine/Tipos.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

// The six sound cues, in the order the main window loads them.
enum class TSonido { Depositar, Eliminar, Nivel, Rocas, Lineas, Fase };

// The resource name of a cue, e.g. "SND_ELIMINAR".
const char *SoundName(TSonido wave);

// Everything the game needs from its surroundings besides views and timers: dialogs,
// the high-score tables, sound and the event loop. The main window implements it with
// real dialogs and the mixer; the simulator answers from its script. Every method has
// a harmless default so a host implements only what it cares about.
class IGameHost {
public:
    virtual ~IGameHost() = default;

    // The program's own message box; caption is never empty (the engine passes the
    // application title where no caption is given). Returns 1 (OK) or 2 (Cancel).
    virtual int MostrarMensaje(const QString &text, const QString &caption, bool withCancel) {
        (void)text, (void)caption, (void)withCancel;
        return 1;
    }
    // The platform's standard message box with the error icon.
    virtual void showError(const QString &text, const QString &caption) {
        (void)text, (void)caption;
    }
    // The players-names dialog; returns two different names through the arguments.
    virtual void PedirNombres(QString &name1, QString &name2) { (void)name1, (void)name2; }
    // The name of the one person in a game against a CPU: player (1 or 2) is the
    // person, rival the CPU's name, which the answer must differ from.
    virtual void PedirNombre(int player, QString &name, const QString &rival) {
        (void)player, (void)name, (void)rival;
    }
    // A CPU player's by-stages result, entered under its name without asking for one.
    virtual void NuevoRecordFasesCpu(int points, int stage, const QString &name) {
        QString unchanged = name;
        NuevoRecordFases(points, stage, unchanged);
    }
    // High-score entries. NuevoRecordFases may ask for a name and change name.
    virtual void NuevoRecordFases(int points, int stage, QString &name) {
        (void)points, (void)stage, (void)name;
    }
    virtual void NuevoRecordVs(int points, bool won, const QString &name) {
        (void)points, (void)won, (void)name;
    }
    virtual QString NombreVs(int row) {
        (void)row;
        return {};
    }
    // The game-over picture was drawn on player's well (1 or 2).
    virtual void gameOverShown(int player) { (void)player; }
    // Modal windows: the end-of-all-stages form and the high-score window.
    virtual void showFinal() {}
    virtual void showHighScores() {}
    // The key dialog: returns true (and the new keys) when closed with OK.
    virtual bool PedirTeclas(std::array<std::uint16_t, 10> &keys,
                             const std::array<bool, 256> &reserved) {
        (void)keys, (void)reserved;
        return false;
    }

    // A sound cue on a mixer channel. A host may report a failure itself, or throw:
    // the game then reports the first failure of a game through showError and plays
    // no further cues until the next new game.
    virtual void playSound(TSonido wave, int channel) { (void)wave, (void)channel; }
    // The mixer takes the output device (on) or gives it back (off). Failures as above.
    virtual void setMixerActive(bool on) { (void)on; }

    // Menu items the session commands change, for the window to reflect.
    virtual void pauseItemChanged(bool enabled, bool paused) { (void)enabled, (void)paused; }
    virtual void gameModeChanged(GameMode mode) { (void)mode; }

    // Let the window process its pending events once.
    virtual void processEvents() {}
    // Keep the game clock running until done() holds. Headless, the clock runs as fast
    // as it can, for at most a minute of game time; the window paces it in real time
    // and keeps painting meanwhile.
    virtual void waitUntil(const std::function<bool()> &done, GameClock &clock) {
        clock.runUntil(done, WaitLimitMs);
    }
    static constexpr std::int64_t WaitLimitMs = 60000;
};
