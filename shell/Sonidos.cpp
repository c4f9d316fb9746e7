#include "shell/Sonidos.h"

#include "shell/Application.h"
#include "sound/SoundMix.h"

#include <exception>

namespace {
constexpr std::array<TSonido, 6> AllWaves = {TSonido::Depositar, TSonido::Eliminar, TSonido::Nivel,
                                             TSonido::Rocas,     TSonido::Lineas,   TSonido::Fase};
constexpr quint8 FourChannels = 15;
constexpr uint32_t CueFlags = PlayClearQueue | PlayStartNow;
} // namespace

TSonidos::TSonidos() : Reportar([](const QString &m) { TAplicacion::ShowException(m); }) {}

TSonidos::~TSonidos() {
    Liberar();
    try {
        mixer.reset();
    } catch (...) {
        // Nothing is left to tell at the very end.
    }
}

void TSonidos::fail(const QString &message) {
    broken = true;
    if (reported)
        return;
    reported = true;
    Reportar(message);
}

void TSonidos::Crear() {
    try {
        mixer = std::make_unique<TSoundMix>();
        mixer->setChannels(FourChannels);
    } catch (const std::exception &e) {
        mixer.reset();
        fail(QString::fromUtf8(e.what()));
    }
}

void TSonidos::Abrir() {
    if (!mixer)
        return;
    for (TSonido w : AllWaves) {
        try {
            waves[size_t(w)] = mixer->OpenWave(QString::fromLatin1(SoundName(w)));
        } catch (const std::exception &e) {
            // The waves after a failing one stay empty too, and their cues stay silent.
            fail(QString::fromUtf8(e.what()));
            return;
        }
    }
}

void TSonidos::Preparar() {
    if (prepared)
        return;
    prepared = true;
    Crear();
    Abrir();
}

void TSonidos::Liberar() {
    for (TSonido w : AllWaves) {
        TMixerWave *&entry = waves[size_t(w)];
        if (!entry || !mixer)
            continue;
        try {
            mixer->FreeWave(entry);
        } catch (const std::exception &) {
            // Freed or not, the entry is gone for the game.
        }
        entry = nullptr;
    }
}

void TSonidos::Play(TSonido w, int channel) {
    if (!Habilitado || broken || !mixer || !waves[size_t(w)])
        return;
    try {
        mixer->Play(channel, waves[size_t(w)], nullptr, CueFlags, 0);
    } catch (const std::exception &e) {
        fail(QString::fromUtf8(e.what()));
    }
}

void TSonidos::setActivated(bool on) {
    if (!mixer)
        return;
    if (on)
        broken = false; // a new game or a resume tries the device again
    try {
        mixer->setActivated(on);
    } catch (const std::exception &e) {
        fail(QString::fromUtf8(e.what()));
    }
}

bool TSonidos::activated() const {
    return mixer && mixer->Activated();
}
