#include "ai/Evaluate.h"

#include <algorithm>

namespace {

constexpr int NeighbourCol[4] = {-1, 1, 0, 0};
constexpr int NeighbourRow[4] = {0, 0, -1, 1};
constexpr int EntryCol1 = 2, EntryCol2 = 3;

bool isColour(int v) {
    return v >= 1 && v <= 5;
}

// Connected sets of one colour (jokers aside): an id per cell, a size per id.
struct Groups {
    std::array<std::uint8_t, TBoard::Size> id{};
    std::array<std::uint8_t, 113> size{};
    std::array<bool, 113> open{}; // an empty cell touches the group
    int count = 0;
};

void findGroups(const TBoard &board, Groups &g) {
    std::array<std::uint8_t, 112> stack;
    for (int c = 0; c < 7; ++c) {
        for (int r = 0; r < 16; ++r) {
            const int v = board(c, r);
            if (!isColour(v) || g.id[size_t(TBoard::index(c, r))] != 0)
                continue;
            const int id = ++g.count;
            int top = 0, size = 0;
            bool open = false;
            g.id[size_t(TBoard::index(c, r))] = std::uint8_t(id);
            stack[size_t(top++)] = std::uint8_t(TBoard::index(c, r));
            while (top > 0) {
                const int at = stack[size_t(--top)];
                ++size;
                const int ac = at / 18 - 1, ar = at % 18 - 1;
                for (int i = 0; i < 4; ++i) {
                    const int nc = ac + NeighbourCol[i], nr = ar + NeighbourRow[i];
                    const int n = TBoard::index(nc, nr);
                    const int w = board(nc, nr);
                    if (w == Cell::Empty)
                        open = true;
                    if (w == v && g.id[size_t(n)] == 0) {
                        g.id[size_t(n)] = std::uint8_t(id);
                        stack[size_t(top++)] = std::uint8_t(n);
                    }
                }
            }
            g.size[size_t(id)] = std::uint8_t(std::min(size, 255));
            g.open[size_t(id)] = open;
        }
    }
}

// The sizes of the distinct groups of colour around the listed cells, summed; a joker
// among them makes the sum uncertain.
int adjacentSize(const TBoard &board, const Groups &g, const CellPos *cells, int cellCount,
                 int colour, bool &joker) {
    std::uint8_t seen[8];
    int seenCount = 0, sum = 0;
    for (int k = 0; k < cellCount; ++k) {
        for (int i = 0; i < 4; ++i) {
            const int nc = cells[k].col + NeighbourCol[i], nr = cells[k].row + NeighbourRow[i];
            const int w = board(nc, nr);
            if (w == Cell::Joker)
                joker = true;
            if (w != colour)
                continue;
            const std::uint8_t id = g.id[size_t(TBoard::index(nc, nr))];
            if (std::find(seen, seen + seenCount, id) != seen + seenCount)
                continue;
            seen[seenCount++] = id;
            sum += g.size[id];
        }
    }
    return sum;
}

int rocksOf(const Elimination &e) {
    int rocks = 0;
    for (const GroupResult &g : e.groups)
        rocks += g.rocksToSend;
    return rocks;
}

} // namespace

LandingOutcome OutcomeOf(const Elimination &e) {
    LandingOutcome o;
    o.eliminated = e.eliminated;
    o.groups = e.groupCount();
    o.rocksDestroyed = e.rocksDestroyed;
    o.rocksSent = e.rocksToSend;
    return o;
}

Stacks StacksOf(const TBoard &board) {
    Stacks s;
    for (int c = 0; c < 7; ++c) {
        bool rockAbove = false;
        int h = 0;
        for (int r = 0; r < 16; ++r) {
            const int v = board(c, r);
            if (v == Cell::Empty)
                continue;
            if (h == 0)
                h = 16 - r;
            if (v == Cell::Rock) {
                ++s.rocks;
                rockAbove = true;
            } else {
                ++s.gems;
                s.buried += rockAbove;
            }
        }
        s.height[size_t(c)] = h;
    }
    return s;
}

void FallRocksEvenly(TBoard &board, int count) {
    if (count <= 0)
        return;
    static constexpr int order[7] = {3, 2, 4, 1, 5, 0, 6};
    for (int k = 0; k < 7; ++k) {
        const int c = order[k];
        int rocks = count / 7 + (k < count % 7 ? 1 : 0);
        int r = 15;
        while (r >= 0 && board(c, r) != Cell::Empty)
            --r;
        for (; rocks > 0 && r >= 0; --rocks, --r)
            board(c, r) = Cell::Rock;
    }
}

Evaluator::Evaluator(const Sight &sight, int judgement, bool futures)
    : settings{sight.limit, sight.oneToOne()}, level(judgement), futures(futures),
      vs(sight.oneToOne()), gemsToGo(sight.gemsToGo) {
    TBoard rival = sight.rival;
    FallRocksEvenly(rival, sight.rivalRocksPending);
    rivalStacks = StacksOf(rival);
}

bool Evaluator::killsRival(int rocks) const {
    if (!vs || rocks <= 0)
        return false;
    const int extra = rocks / 7 + (rocks % 7 > 0 ? 1 : 0);
    // The entry cells: a pair dealt into a rock there ends the rival's game.
    const int h = std::max(rivalStacks.height[EntryCol1], rivalStacks.height[EntryCol2]);
    return h + extra >= 16;
}

int Evaluator::action(const LandingOutcome &o) const {
    if (o.lost)
        return LostScore;
    if (level == 0)
        return o.eliminated * Unit;
    if (!vs) {
        // Reaching the target brings the next stage's fresh well.
        const int done = level >= 2 && o.eliminated >= gemsToGo ? 50 * Unit : 0;
        return done + o.eliminated * Unit + o.rocksDestroyed * Unit / 2 +
               (o.groups > 1 ? Unit / 2 : 0);
    }
    int value = o.rocksSent * 150 + o.eliminated * 10 + o.rocksDestroyed * 30;
    if (level >= 4 && killsRival(o.rocksSent))
        value += 200000;
    return value;
}

int Evaluator::groupsValue(const TBoard &board) const {
    const int limit = settings.limit;
    if (level == 0) {
        // Beginners only see colours side by side.
        int pairs = 0;
        for (int c = 0; c < 7; ++c)
            for (int r = 0; r < 16; ++r)
                if (isColour(board(c, r)))
                    pairs += (board(c + 1, r) == board(c, r)) + (board(c, r + 1) == board(c, r));
        return pairs * 20;
    }
    Groups g;
    findGroups(board, g);
    int value = 0;
    for (int id = 1; id <= g.count; ++id) {
        const int need = limit - g.size[size_t(id)];
        int v = need == 1 ? 90 : need == 2 ? 35 : 0;
        if (limit >= 5 && need == 3)
            v = 10;
        if (!g.open[size_t(id)])
            v /= 2;
        value += v;
    }
    return value;
}

int Evaluator::dangerValue(const Stacks &s) const {
    if (level == 0)
        return -20 * *std::max_element(s.height.begin(), s.height.end()) -
               20 * std::max(s.height[EntryCol1], s.height[EntryCol2]);
    int value = 0;
    for (int c = 0; c < 7; ++c) {
        const int h = s.height[size_t(c)];
        if (h > 10)
            value -= (h - 10) * (h - 10) * 30;
        if (level >= 2 && h > 12)
            value -= (h - 12) * (h - 12) * 60;
        if (c == EntryCol1 || c == EntryCol2) {
            if (h > 8)
                value -= (h - 8) * (h - 8) * 80;
            if (h >= 15)
                value -= 20000;
        }
    }
    return value;
}

int Evaluator::shapeValue(const Stacks &s) const {
    int value = -s.gems * (vs ? 2 : 8);
    if (level < 2)
        return value;
    for (int c = 0; c < 6; ++c)
        value -= 12 * std::abs(s.height[size_t(c)] - s.height[size_t(c + 1)]);
    for (int c = 0; c < 7; ++c) {
        const int left = c > 0 ? s.height[size_t(c - 1)] : 16;
        const int right = c < 6 ? s.height[size_t(c + 1)] : 16;
        const int depth = std::min(left, right) - s.height[size_t(c)];
        if (depth > 2)
            value -= (depth - 2) * 50;
    }
    value -= s.rocks * (vs ? 30 : 40) + s.buried * 10;
    return value;
}

int Evaluator::board(const TBoard &b) const {
    if (b(EntryCol1, 0) != Cell::Empty || b(EntryCol2, 0) != Cell::Empty)
        return LostScore;
    const Stacks s = StacksOf(b);
    return groupsValue(b) + dangerValue(s) + shapeValue(s);
}

Potential Evaluator::findPotential(const TBoard &board) const {
    Potential best;
    Groups g;
    findGroups(board, g);
    const int limit = settings.limit;
    for (int c = 0; c < 7; ++c) {
        int t = 15;
        while (t >= 0 && board(c, t) != Cell::Empty)
            --t;
        if (t < 1)
            continue;
        for (int colour = 1; colour <= 5; ++colour) {
            bool joker = false;
            const CellPos cells[2] = {{c, t}, {c, t - 1}};
            int gems = 0;
            if (1 + adjacentSize(board, g, cells, 1, colour, joker) >= limit || joker)
                gems = 1;
            else if (futures && 2 + adjacentSize(board, g, cells, 2, colour, joker) >= limit)
                gems = 2;
            if (gems == 0)
                continue;
            TBoard copy = board;
            copy(c, t) = colour;
            if (gems == 2)
                copy(c, t - 1) = colour;
            EliminateGroups(copy, cells[0], cells[gems - 1], settings, scratch);
            if (scratch.groupCount() == 0)
                continue;
            ++best.triggers;
            const int rocks = vs ? rocksOf(scratch) : 0;
            if (scratch.groupCount() > best.groups ||
                (scratch.groupCount() == best.groups && scratch.eliminated > best.eliminated)) {
                best.groups = scratch.groupCount();
                best.eliminated = scratch.eliminated;
            }
            best.rocks = std::max(best.rocks, rocks);
        }
    }
    return best;
}

int Evaluator::potential(const TBoard &board) const {
    if (level < 3)
        return 0;
    const Potential p = findPotential(board);
    if (!vs)
        return p.eliminated * 30 + p.triggers * 20;
    return p.rocks * 105 + (p.groups >= 2 ? p.groups * 40 : 0) + p.triggers * 15;
}
