#pragma once

#include "engine/Board.h"
#include "engine/Tipos.h"

class Game;

// The falling pair: both gems' cells and colours, as the engine keeps them.
struct PairState {
    int col1 = 2, row1 = 0, col2 = 3, row2 = 0;
    int colour1 = 0, colour2 = 0;

    int minCol() const { return col1 < col2 ? col1 : col2; }
    int maxRow() const { return row1 > row2 ? row1 : row2; }
    bool isVertical() const { return col1 == col2; }
};

// What one player can see on the screen, and nothing more: its own well and falling
// pair, the preview, the other well, the rocks waiting on each side, and the stage's
// rules. Never the colours queued beyond the preview, nor the game's generator.
struct Sight {
    TBoard own, rival;
    bool falling = false;
    PairState pair;
    int preview1 = 0, preview2 = 0; // 0 when no preview is shown
    int rocksPending = 0, rivalRocksPending = 0;
    int limit = 4;
    GameMode mode = GameMode::OnePlayer;
    int gemsToGo = 0; // gems still to eliminate in the stage (by stages)

    bool oneToOne() const { return mode == GameMode::OneToOne; }
    bool hasPreview() const { return preview1 > 0 && preview2 > 0; }
};

// The sight of player (1 or 2) in a game.
Sight SightOf(const Game &game, int player);
