#include "engine/Game.h"

std::unique_ptr<Game> Game::headlessCopy() const {
    auto copy = std::make_unique<Game>(GameBindings{}, TPictures(), 1);
    copy->copyStateFrom(*this);
    return copy;
}

// Controllers are not copied (a copy's players take keys); the clock's timers are,
// so the copy fires exactly what the original would.
void Game::copyStateFrom(const Game &o) {
    Jugando = o.Jugando;
    Pausado = o.Pausado;
    TipoJuego = o.TipoJuego;
    FaseActual = o.FaseActual;
    Objetivo = o.Objetivo;
    Limite = o.Limite;
    RocasAzar = o.RocasAzar;
    LineasRocas = o.LineasRocas;
    Fases = o.Fases;
    TeclasJuego = o.TeclasJuego;
    TeclasReservadas = o.TeclasReservadas;
    TextosDerrota = o.TextosDerrota;
    Sonido = o.Sonido;
    rng = o.rng;
    gameClock.copyStateFrom(o.gameClock);
    p1->copyStateFrom(*o.p1);
    p2->copyStateFrom(*o.p2);
    pauseEnabled = o.pauseEnabled;
    soundBroken = o.soundBroken;
    soundReported = o.soundReported;
    generation = o.generation;
    keptNames = o.keptNames;
}
