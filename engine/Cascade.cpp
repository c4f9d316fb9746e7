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
    int k = 0;
    while (b - k >= 0 && p.Board(c, b - k) == Cell::Empty)
        ++k;
    int top = b - k;
    if (top < 0)
        return;
    int j = 0;
    while (top - j >= 0 && p.Board(c, top - j) != Cell::Empty)
        ++j;
    for (int i = 0; i < j; ++i, --b) {
        const int code = p.Board(c, b - k);
        p.Board(c, b) = code;
        p.Board(c, b - k) = Cell::Empty;
        p.Drawings.Push(c, b, code);
        p.Drawings.Push(c, b - k, Step::Erase);
        seeds.Push(c, b);
    }
}
