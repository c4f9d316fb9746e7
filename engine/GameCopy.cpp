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

void Game::adoptState(const Game &o) {
    copyStateFrom(o);
    // Waits on this game's stack belong to the state it had.
    ++generation;
    buffers = {};
    showState();
}

// Draws the state anew on the views: what the drawing queue already showed is drawn
// from the board, so a step still queued repeats on a cell as it was.
void Game::showState() {
    for (TInfo *p : {p1.get(), p2.get()}) {
        p->DrawBoard();
        if (p->Falling)
            redrawPair(*p);
        if (p->PreviewColour1 || p->PreviewColour2)
            p->DrawPreview(p->PreviewColour1, p->PreviewColour2);
        else
            p->ClearPreview();
        p->ShowPoints();
        p->ShowEliminated();
        p->ShowLevel();
        if (p->View.NameLabel)
            p->View.NameLabel->setText(TipoJuego == GameMode::OneToOne
                                           ? p->Name
                                           : GetText(p->Number == 1 ? 12000 : 12001));
        if (Jugando && !p->Active && TipoJuego == GameMode::TwoPlayers)
            p->DrawGameOver();
        p->RepaintWell();
    }
    if (views.StageLabel)
        views.StageLabel->setText(QString::number(FaseActual));
    if (Pausado) {
        drawPause(*p1, buffers[0]);
        if (TipoJuego != GameMode::OnePlayer)
            drawPause(*p2, buffers[1]);
    }
    hostPtr->pauseItemChanged(pauseEnabled, Pausado);
}
