#include "harness/Placer.h"

#include "engine/Game.h"

#include <climits>

namespace {

int height(const TInfo &p) {
    for (int r = 0; r < TBoard::Rows; ++r)
        for (int c = 0; c < TBoard::Columns; ++c)
            if (p.Board(c, r) != Cell::Empty)
                return TBoard::Rows - r;
    return 0;
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
            const int score =
                copy->Jugando ? 4 * (p.Points - points) / 10 - 8 * height(p) : -100000;
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
    game.input(Input::move(n, m));
}
