#include "engine/Game.h"

// Closes every hole listed in work: what stands above a hole falls into it, and each
// cell that fell becomes a seed for the next round of the search (the cascade).
void Game::closeHoles(TInfo &p) {
    int c, h;
    while (work.Pop(c, h)) {
        if (p.Board(c, h) == Cell::Empty)
            closeHole(p, c, h);
        p.Drawings.Push(0, 0, Step::FrameEnd);
    }
}

void Game::closeHole(TInfo &p, int c, int h) {
    int b = h;
    while (p.Board(c, b + 1) == Cell::Empty)
        ++b;
    closeGap(p, c, b, &seeds);
}

// Lets the run of cells standing above the gap whose lowest empty cell is b fall onto
// it, queuing the drawing steps; false when nothing stands above the gap.
bool Game::closeGap(TInfo &p, int c, int b, TColaPos *landed) {
    int k = 0;
    while (b - k >= 0 && p.Board(c, b - k) == Cell::Empty)
        ++k;
    const int top = b - k;
    if (top < 0)
        return false;
    int j = 0;
    while (top - j >= 0 && p.Board(c, top - j) != Cell::Empty)
        ++j;
    for (int i = 0; i < j; ++i, --b) {
        const int code = p.Board(c, b - k);
        p.Board(c, b) = code;
        p.Board(c, b - k) = Cell::Empty;
        p.Drawings.Push(c, b, code);
        p.Drawings.Push(c, b - k, Step::Erase);
        if (landed)
            landed->Push(c, b);
    }
    return true;
}
