#pragma once

#include "shell/Principal.h"

#include <array>
#include <cstdint>

// The main window with its game clock run by step(), never paced by the event loop,
// every dialog answered at once and nothing sounding, so a seeded game plays the same
// way on every run.
class ShotWindow : public TfPrincipal {
public:
    ShotWindow();

    // Advances the game clock by one drawing interval.
    void step() { juego().clock().run(25); }
    std::int64_t now() { return juego().clock().now(); }

    // The window as it looks on screen: the pixels outside its outline are transparent.
    QImage shot();

    int MostrarMensaje(const QString &, const QString &, bool) override { return 1; }
    void PedirNombres(QString &name1, QString &name2) override;
    void NuevoRecordFases(int, int, QString &) override {}
    void NuevoRecordVs(int, bool, const QString &) override {}
    void showFinal() override {}
    void showHighScores() override {}
    bool PedirTeclas(std::array<std::uint16_t, 10> &, const std::array<bool, 256> &) override {
        return false;
    }
    void playSound(TSonido, int) override {}
    void setMixerActive(bool) override {}
    void processEvents() override {}
    // Waits run the clock as fast as it goes, as headless.
    void waitUntil(const std::function<bool()> &done, GameClock &clock) override {
        IGameHost::waitUntil(done, clock);
    }
};
