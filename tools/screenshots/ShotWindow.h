#pragma once

#include "shell/Principal.h"

#include <array>
#include <cstdint>

// The main window on a virtual clock: its five timers fire from step(), never from
// the event loop, every dialog is answered at once and nothing sounds, so a seeded
// game plays the same way on every run.
class ShotWindow : public TfPrincipal {
public:
    ShotWindow();

    // Advances the clock by one drawing interval and fires the timers that are due,
    // in the window's order.
    void step();
    std::int64_t now() const { return nowMs; }

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
    void waitUntil(const std::function<bool()> &done) override;

private:
    struct Clocked {
        TTemporizador *timer;
        std::int64_t dueMs = -1;
    };
    std::array<Clocked, 5> clocked;
    std::int64_t nowMs = 0;
};
