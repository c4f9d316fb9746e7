#include "harness/Placer.h"

#include "engine/Game.h"

#include <algorithm>
#include <climits>

namespace {

// Lower is better: the tallest column counts most, then all columns together.
int heightCost(const TInfo &p) {
    int tallest = 0, sum = 0;
    for (int c = 0; c < TBoard::Columns; ++c) {
        int h = 0;
        while (h < TBoard::Rows && p.Board(c, TBoard::Rows - 1 - h) != Cell::Empty)
            ++h;
        tallest = std::max(tallest, h);
        sum += h;
    }
    return 6 * tallest * tallest + sum * 2;
}

// Higher is better: gems beside gems of their colour, groups in the making.
int neighbours(const TInfo &p) {
    int count = 0;
    for (int c = 0; c < TBoard::Columns; ++c)
        for (int r = 0; r < TBoard::Rows; ++r) {
            const int v = p.Board(c, r);
            if (v < 1 || v > 5)
                continue;
            count += (p.Board(c + 1, r) == v) + (p.Board(c, r + 1) == v);
        }
    return count;
}

} // namespace

void Placer::choose(Game &game, int n) {
    int best = INT_MIN;
    plan.clear();
    for (int turns = 0; turns < 4; ++turns) {
        for (int col = 0; col < TBoard::Columns; ++col) {
            auto copy = game.headlessCopy();
            std::vector<Move> moves(size_t(turns), Move::Rotate);
            for (int i = 0; i < turns; ++i)
                copy->applyMove(n, Move::Rotate);
            TInfo &p = copy->player(n);
            for (int guard = 0; guard < 8 && p.Falling && p.minCol() != col; ++guard) {
                const Move m = p.minCol() > col ? Move::Left : Move::Right;
                const int before = p.minCol();
                copy->applyMove(n, m);
                if (p.minCol() == before)
                    break;
                moves.push_back(m);
            }
            if (!p.Falling || p.minCol() != col)
                continue;
            const int points = p.Points;
            copy->applyMove(n, Move::Throw);
            const int score = copy->Jugando
                                  ? (p.Points - points) / 2 + 6 * neighbours(p) - heightCost(p)
                                  : -1000000;
            if (score > best) {
                best = score;
                plan = moves;
            }
        }
    }
    plan.push_back(Move::Throw);
}

void Placer::step(Game &game, int n) {
    const TInfo &p = game.player(n);
    if (!p.Falling || game.Pausado)
        return;
    if (p.GemsDealt != dealt) {
        dealt = p.GemsDealt;
        choose(game, n);
        wait = pace;
    }
    if ((wait -= ControlInterval) > 0 || plan.empty())
        return;
    wait = pace;
    const Move m = plan.front();
    plan.erase(plan.begin());
    // The moves are in the order of each player's five game keys.
    if (keys)
        game.input(Input::key(game.TeclasJuego[size_t(5 * (n - 1) + int(m))]));
    else
        game.input(Input::move(n, m));
}
