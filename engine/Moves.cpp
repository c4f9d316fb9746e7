#include "engine/Tipos.h"

bool TInfo::TryMove(int dx, int dy) {
    if (!Falling)
        return false;
    const int col = minCol(), row = maxRow();
    bool free;
    if (isVertical()) {
        free = dy == 0 ? Board(col + dx, row) == Cell::Empty : Board(col, row + dy) == Cell::Empty;
    } else if (dy == 0) {
        free =
            dx < 0 ? Board(col + dx, row) == Cell::Empty : Board(col + 1 + dx, row) == Cell::Empty;
    } else {
        free = Board(col, row + dy) == Cell::Empty && Board(col + 1, row + dy) == Cell::Empty;
    }
    if (!free)
        return false;
    MovePairBy(dx, dy);
    return true;
}

void TInfo::MovePairBy(int dx, int dy) {
    ErasePair();
    Gem1Col += dx;
    Gem2Col += dx;
    Gem1Row += dy;
    Gem2Row += dy;
    DrawPair();
}

// A quarter turn counter-clockwise on the screen; the bottom row stays.
void TInfo::Rotate() {
    ErasePair();
    if (isVertical()) {
        const int row = maxRow();
        if (Board(minCol() + 1, row) != Cell::Empty && Board(minCol() - 1, row) == Cell::Empty) {
            --Gem1Col;
            --Gem2Col;
        }
        if (Board(minCol() + 1, row) == Cell::Empty) {
            if (Gem1Row < Gem2Row) {
                ++Gem1Row;
                ++Gem2Col;
            } else {
                ++Gem2Row;
                ++Gem1Col;
            }
        }
    } else if (Gem2Col > Gem1Col) {
        --Gem2Col;
        --Gem2Row;
    } else {
        --Gem1Col;
        --Gem1Row;
    }
    DrawCell(Gem1Col, Gem1Row, Gem1Colour);
    DrawCell(Gem2Col, Gem2Row, Gem2Colour);
}

bool TInfo::ApplyPairMove(Move move) {
    switch (move) {
    case Move::Left:
        TryMove(-1, 0);
        return true;
    case Move::Right:
        TryMove(1, 0);
        return true;
    case Move::Rotate:
        Rotate();
        return true;
    case Move::StepDown:
        TryMove(0, 1);
        return true;
    case Move::Throw:
        break;
    }
    return false;
}
