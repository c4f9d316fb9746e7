#include "engine/Game.h"

bool Game::RockFall(TInfo &p) {
    const bool byStages = TipoJuego != GameMode::OneToOne;
    if (byStages && RocasAzar && p.GemsDealt % (LineasRocas ? 14 : 10) == 0)
        p.RocksPending += 1 + rng.Random(4);
    bool fell = false;
    if (p.RocksPending > 0) {
        placeRocks(p);
        p.RocksPending = 0;
        dropRocks(p);
        p.Drawings.Push(0, 0, Step::EndOfAnimation);
        p.Animating = true;
        fell = true;
    }
    if (byStages && LineasRocas && p.GemsDealt % 16 == 0)
        pushRockLine(p);
    return fell;
}

// Rocks appear one by one along the top, from a random column rightwards and on to
// the next row; rocks that find no empty cell are dropped.
void Game::placeRocks(TInfo &p) {
    int col = rng.Random(7), row = 0, placed = 0;
    while (placed < p.RocksPending && row <= 15) {
        if (p.Board(col, row) == Cell::Empty) {
            p.Board(col, row) = Cell::Rock;
            p.Drawings.Push(col, row, Cell::Rock);
            p.Drawings.Push(0, 0, Step::FrameEnd);
            ++placed;
        }
        if (++col > 6) {
            col = 0;
            ++row;
        }
    }
}

// The rocks of a column form one run above its packed stack: drop it onto the stack.
void Game::dropRocks(TInfo &p) {
    for (int c = 0; c < TBoard::Columns; ++c) {
        int b = 15;
        while (b >= 0 && p.Board(c, b) != Cell::Empty)
            --b;
        if (b < 0)
            continue;
        int k = 0;
        while (b - k >= 0 && p.Board(c, b - k) == Cell::Empty)
            ++k;
        int top = b - k;
        if (top < 0)
            continue;
        int j = 0;
        while (top - j >= 0 && p.Board(c, top - j) != Cell::Empty)
            ++j;
        for (int i = 0; i < j; ++i, --b) {
            const int code = p.Board(c, b - k);
            p.Board(c, b) = code;
            p.Board(c, b - k) = Cell::Empty;
            p.Drawings.Push(c, b, code);
            p.Drawings.Push(c, b - k, Step::Erase);
        }
        p.Drawings.Push(0, 0, Step::SoundRocks);
        p.Drawings.Push(0, 0, Step::FrameEnd);
        p.Drawings.Push(0, 0, Step::FrameEnd);
    }
}

void Game::pushRockLine(TInfo &p) {
    for (int c = 0; c < TBoard::Columns; ++c) {
        for (int r = 0; r < 15; ++r)
            p.Board(c, r) = p.Board(c, r + 1);
        p.Board(c, 15) = Cell::Rock;
    }
    p.DrawBoard();
    Play(TSonido::Lineas, p.Channel1);
}
