#include "engine/Game.h"

bool Game::RockFall(TInfo &p) {
    const bool byStages = TipoJuego != GameMode::OneToOne;
    if (byStages && RocasAzar && p.GemsDealt % (LineasRocas ? 14 : 10) == 0)
        p.RocksPending += 1 + rng.Random(4);
    bool fell = false;
    if (p.RocksPending > 0) {
        std::vector<RuleEvent> &events = elimination.events;
        events.clear();
        PlaceRocks(p.Board, p.RocksPending, rng.Random(7), events);
        p.RocksPending = 0;
        DropRocks(p.Board, events);
        queueSteps(p, events);
        p.Drawings.Push(0, 0, Step::EndOfAnimation);
        p.Animating = true;
        fell = true;
    }
    if (byStages && LineasRocas && p.GemsDealt % 16 == 0) {
        PushRockLine(p.Board);
        p.DrawBoard();
        Play(TSonido::Lineas, p.Channel1);
    }
    return fell;
}
