#include "tools/screenshots/Autoplay.h"

#include "engine/Game.h"

namespace {
// Indexes of a player's five keys in the key table.
constexpr int Left = 0, Right = 1, Rotate = 2, Throw = 4;
constexpr int LookMs = 400;

// The row of a column's top cell, TBoard::Rows when the column is empty.
int topRow(const TInfo &p, int col) {
    int row = 0;
    while (row < TBoard::Rows && p.Board(col, row) == Cell::Empty)
        ++row;
    return row;
}
} // namespace

Autoplay::Autoplay(Game &game, int player, std::uint32_t seed)
    : game(game), player(player), rng(seed) {}

int Autoplay::chooseColumn(const TInfo &p, int colour) {
    int best = 0, bestScore = -1000;
    for (int col = 0; col + (p.isVertical() ? 0 : 1) < TBoard::Columns; ++col) {
        const int top = topRow(p, col);
        const bool matches = top < TBoard::Rows && p.Board(col, top) == colour;
        const int score = top + (matches ? 6 : 0) + int(rng() % 3);
        if (score > bestScore) {
            best = col;
            bestScore = score;
        }
    }
    return best;
}

void Autoplay::press(int keyIndex) {
    game.FormKeyDown(game.TeclasJuego[size_t(5 * (player - 1) + keyIndex)]);
}

void Autoplay::act(std::int64_t nowMs) {
    TInfo &p = game.player(player);
    if (!game.Jugando || game.Pausado || !p.Falling)
        return;
    if (p.GemsDealt == lastDealt) {
        if (throwAtMs >= 0 && nowMs >= throwAtMs) {
            throwAtMs = -1;
            press(Throw);
        }
        return;
    }
    lastDealt = p.GemsDealt;
    throwAtMs = nowMs + LookMs;
    if (rng() % 3 == 0)
        press(Rotate);
    const int lower = p.Gem1Row >= p.Gem2Row ? p.Gem1Colour : p.Gem2Colour;
    const int target = chooseColumn(p, lower);
    for (int moves = 0; p.minCol() != target && moves < TBoard::Columns; ++moves)
        press(p.minCol() < target ? Right : Left);
}
