#include "engine/Game.h"

#include "core/Texts.h"

void Game::TimerTimer(int tag) {
    if (!Jugando)
        return;
    TInfo &p = player(tag == 1 ? 1 : 2);
    TInfo &o = other(p);
    if (p.Animating || p.StageDone)
        return;
    p.LandingPending = false;
    setTimer(p.TickTimer, false);
    if (!p.Falling) {
        if (!p.RocksFallen && RockFall(p)) {
            p.RocksFallen = true;
            setTimer(p.TickTimer, true);
            return;
        }
        if (!deal(p, o))
            return;
    } else if (!p.TryMove(0, 1)) {
        if (!land(p, o))
            return;
    }
    // A nested tick may have ended this player's play or the game; keep the timer
    // stopped then.
    if (!Pausado && Jugando && !p.StageDone)
        setTimer(p.TickTimer, true);
}

bool Game::deal(TInfo &p, TInfo &o) {
    p.Gem1Colour = p.NextColours.Take();
    p.Gem2Colour = p.NextColours.Take();
    p.GemsDealt += 2;
    int next1, next2;
    if (!p.NextColours.PeekTwo(next1, next2)) {
        generateShared(p, &o, 2);
        p.NextColours.PeekTwo(next1, next2);
    }
    p.Gem1Col = 2;
    p.Gem1Row = 0;
    p.Gem2Col = 3;
    p.Gem2Row = 0;
    if (p.Board(2, 0) != Cell::Empty || p.Board(3, 0) != Cell::Empty) {
        blocked(p, o);
        return false;
    }
    p.SpriteFor(p.Gem1Colour, p.Gem1Image, p.Gem1Mask);
    p.SpriteFor(p.Gem2Colour, p.Gem2Image, p.Gem2Mask);
    p.MovePairBy(0, 0);
    p.DrawPreview(next1, next2);
    p.Falling = true;
    p.RocksFallen = false;
    return true;
}

// The player cannot go on: out while the partner plays on, otherwise the game is lost.
void Game::blocked(TInfo &p, TInfo &o) {
    if (o.Active)
        PlayerOut(p);
    else
        EndGame(true, &p);
}

bool Game::land(TInfo &p, TInfo &o) {
    if (LandingHook)
        LandingHook(p, false);
    p.Falling = false;
    p.ErasePair();
    PairPlacement pair{p.Gem1Col, p.Gem1Row, p.Gem1Colour, p.Gem2Col, p.Gem2Row, p.Gem2Colour};
    const bool inside = LandPair(p.Board, pair);
    p.Gem1Row = pair.row1;
    p.Gem2Row = pair.row2;
    // A gem left above the well is not drawn.
    if (pair.row1 >= 0)
        p.DrawCell(pair.col1, pair.row1, pair.colour1);
    if (pair.row2 >= 0)
        p.DrawCell(pair.col2, pair.row2, pair.colour2);
    p.RepaintWell();
    if (!inside) {
        blocked(p, o);
        return false;
    }
    Eliminate(p, o);
    if (LandingHook)
        LandingHook(p, true);
    raiseLevel(p);
    if (TipoJuego != GameMode::OneToOne && p.StageEliminated >= Objetivo)
        return stageTarget(p, o), false;
    p.LandingPending = true;
    TimerTimer(p.Number);
    return true;
}

void Game::raiseLevel(TInfo &p) {
    const int threshold = p.Level * (TipoJuego == GameMode::OneToOne ? 70 : 140);
    if (p.Eliminated < threshold || p.Level >= 9)
        return;
    ++p.Level;
    if (p.TickTimer)
        p.TickTimer->setInterval(p.TickTimer->interval() - 50);
    PostStatus(p, GetTextFmt(10006, {p.Level}));
    Play(TSonido::Nivel, p.Channel2);
    p.ShowLevel();
    if (p.View.LevelLabel)
        p.View.LevelLabel->repaint();
}

// Waits, processing events, until the player's animation has played; false when the
// game was stopped or replaced meanwhile.
bool Game::waitForAnimation(TInfo &p) {
    if (!p.Animating)
        return true;
    const std::uint32_t game = generation;
    hostPtr->waitUntil([&] { return !p.Animating || generation != game; }, gameClock);
    return generation == game && Jugando;
}

// Waits like waitForAnimation; false as well when the player's stage was completed
// meanwhile (the partner going out or reaching the target during the wait).
bool Game::waitForStageEnd(TInfo &p) {
    const int stage = FaseActual;
    return waitForAnimation(p) && p.StageDone && FaseActual == stage;
}

void Game::stageTarget(TInfo &p, TInfo &o) {
    p.StageDone = true;
    if (o.StageDone) {
        if (waitForStageEnd(p))
            StageComplete(p);
        return;
    }
    if (!waitForStageEnd(p))
        return;
    p.Points += 1000;
    p.ShowPoints();
    for (int i = 0; i < 4; ++i)
        PostStatus(p, GetTextFmt(10007, {1000}));
    PostStatus(p, GetText(10008));
}

void Game::Throw(TInfo &p) {
    const int below = p.maxRow() + 1;
    int count = 0;
    while (p.Board(p.Gem1Col, below + count) == Cell::Empty &&
           p.Board(p.Gem2Col, below + count) == Cell::Empty)
        ++count;
    if (count > 0)
        p.TryMove(0, count);
    TimerTimer(p.Number);
}
