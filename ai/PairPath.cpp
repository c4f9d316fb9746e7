#include "ai/PairPath.h"

namespace {

bool isFree(const TBoard &board, int col, int row) {
    return board(col, row) == Cell::Empty;
}

std::array<Placement, PlacementCount> makePlacements() {
    std::array<Placement, PlacementCount> all{};
    int n = 0;
    for (int turn = 0; turn < Turn::Count; ++turn)
        for (int col = 0; col < (Turn::isVertical(turn) ? 7 : 6); ++col)
            all[size_t(n++)] = {col, turn};
    return all;
}

} // namespace

const std::array<Placement, PlacementCount> &AllPlacements() {
    static const std::array<Placement, PlacementCount> all = makePlacements();
    return all;
}

int TurnOf(const PairState &p) {
    if (p.isVertical())
        return p.row2 < p.row1 ? Turn::Gem2Above : Turn::Gem1Above;
    return p.col1 < p.col2 ? Turn::Gem1Left : Turn::Gem1Right;
}

PairState PairAt(Placement place, int bottom, int colour1, int colour2) {
    const int c = place.col;
    PairState p;
    p.colour1 = colour1;
    p.colour2 = colour2;
    switch (place.turn) {
    case Turn::Gem1Left:
        p.col1 = c, p.row1 = bottom, p.col2 = c + 1, p.row2 = bottom;
        break;
    case Turn::Gem2Above:
        p.col1 = c, p.row1 = bottom, p.col2 = c, p.row2 = bottom - 1;
        break;
    case Turn::Gem1Right:
        p.col1 = c + 1, p.row1 = bottom, p.col2 = c, p.row2 = bottom;
        break;
    default:
        p.col1 = c, p.row1 = bottom - 1, p.col2 = c, p.row2 = bottom;
        break;
    }
    return p;
}

bool LandAt(TBoard &board, Placement place, int colour1, int colour2, PairPlacement &landed) {
    const PairState p = PairAt(place, 0, colour1, colour2);
    landed = {p.col1, p.row1, colour1, p.col2, p.row2, colour2};
    return LandPair(board, landed);
}

bool MovePair(const TBoard &board, PairState &p, Move move) {
    const int c = p.minCol(), r = p.maxRow();
    int dx = 0, dy = 0;
    switch (move) {
    case Move::Left:
    case Move::Right:
        dx = move == Move::Left ? -1 : 1;
        if (p.isVertical() ? !isFree(board, c + dx, r) : !isFree(board, dx < 0 ? c - 1 : c + 2, r))
            return false;
        break;
    case Move::StepDown:
        dy = 1;
        if (!isFree(board, c, r + 1) || (!p.isVertical() && !isFree(board, c + 1, r + 1)))
            return false;
        break;
    case Move::Rotate: {
        const int turn = TurnOf(p);
        int col = c;
        if (p.isVertical()) {
            if (!isFree(board, col + 1, r) && isFree(board, col - 1, r))
                --col;
            if (!isFree(board, col + 1, r)) {
                p = PairAt({col, turn}, r, p.colour1, p.colour2);
                return col != c;
            }
        }
        p = PairAt({col, (turn + 1) % Turn::Count}, r, p.colour1, p.colour2);
        return true;
    }
    case Move::Throw:
        return false;
    }
    p.col1 += dx, p.col2 += dx, p.row1 += dy, p.row2 += dy;
    return true;
}

void PairPaths::search(const TBoard &board, const PairState &start) {
    dist.fill(-1);
    const int row = start.maxRow();
    const Placement first{start.minCol(), TurnOf(start)};
    std::array<Placement, 7 * Turn::Count> queue{};
    size_t head = 0, tail = 0;
    dist[index(first)] = 0;
    queue[tail++] = first;
    const Move moves[3] = {Move::Left, Move::Right, Move::Rotate};
    while (head < tail) {
        const Placement at = queue[head++];
        for (Move m : moves) {
            PairState p = PairAt(at, row, 1, 2);
            if (!MovePair(board, p, m))
                continue;
            const Placement next{p.minCol(), TurnOf(p)};
            if (dist[index(next)] >= 0)
                continue;
            dist[index(next)] = std::int8_t(dist[index(at)] + 1);
            from[index(next)] = std::int8_t(index(at));
            via[index(next)] = m;
            queue[tail++] = next;
        }
    }
}

std::vector<Move> PairPaths::movesTo(Placement place) const {
    std::vector<Move> moves;
    int at = index(place);
    if (dist[at] < 0)
        return moves;
    while (dist[at] > 0) {
        moves.insert(moves.begin(), via[at]);
        at = from[at];
    }
    return moves;
}
