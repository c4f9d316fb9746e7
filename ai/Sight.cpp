#include "ai/Sight.h"

#include "engine/Game.h"

Sight SightOf(const Game &game, int number) {
    const TInfo &p = game.player(number);
    const TInfo &o = game.player(number == 1 ? 2 : 1);
    Sight s;
    s.own = p.Board;
    s.rival = o.Board;
    s.falling = p.Falling;
    s.pair = {p.Gem1Col, p.Gem1Row, p.Gem2Col, p.Gem2Row, p.Gem1Colour, p.Gem2Colour};
    s.preview1 = p.PreviewColour1;
    s.preview2 = p.PreviewColour2;
    s.rocksPending = p.RocksPending;
    s.rivalRocksPending = o.RocksPending;
    s.mode = game.TipoJuego;
    s.limit = game.Limite;
    s.gemsToGo = s.mode == GameMode::OneToOne ? 0 : game.Objetivo - p.StageEliminated;
    return s;
}
