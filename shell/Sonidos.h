#pragma once

#include "engine/Host.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>

class TSoundMix;
struct TMixerWave;

// The game's six sound cues over the window's mixer. A mixer failure is reported once;
// afterwards the game goes on silently, and the next activation tries the device again.
class TSonidos {
public:
    TSonidos();
    ~TSonidos();

    // Creates the mixer component with channels 0 to 3 open.
    void Crear();
    // Loads the six waves from the program's resources.
    void Abrir();
    // Crear and Abrir the first time a game wants sound; later calls do nothing. The
    // audio system and the waves cost memory and start-up time the menu has no use for.
    void Preparar();
    // Releases the six waves (FormDestroy).
    void Liberar();

    // One cue: the wave on channel, replacing what the channel sounds, starting now.
    void Play(TSonido wave, int channel);
    // The mixer holds the output device only while a game runs and is not paused.
    void setActivated(bool on);
    bool activated() const;

    // The sound menu item's check mark.
    bool Habilitado = true;

    // How a failure is shown; the standard error report by default.
    std::function<void(const QString &message)> Reportar;

    TSoundMix *SoundMix() const { return mixer.get(); }
    TMixerWave *wave(TSonido w) const { return waves[size_t(w)]; }
    bool failed() const { return broken; }

private:
    void fail(const QString &message);

    std::unique_ptr<TSoundMix> mixer;
    std::array<TMixerWave *, 6> waves{};
    bool broken = false;
    bool reported = false;
    bool prepared = false;
};
