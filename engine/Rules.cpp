#include "engine/Rules.h"

namespace {

// Neighbours are always visited left, right, up, down.
constexpr int NeighbourCol[4] = {-1, 1, 0, 0};
constexpr int NeighbourRow[4] = {0, 0, -1, 1};

void emit(std::vector<RuleEvent> &events, RuleStep kind, int col = 0, int row = 0, int fromRow = 0,
          int code = 0) {
    events.push_back(
        {kind, std::int8_t(col), std::int8_t(row), std::int8_t(fromRow), std::int8_t(code)});
}

// Builds the connected set of the seed's colour and jokers into out.group.
int searchGroup(const TBoard &board, int c, int r, Elimination &out) {
    const int colour = board(c, r);
    if (++out.markStamp == 0) {
        out.mark.fill(0);
        out.markStamp = 1;
    }
    out.group.Clear();
    out.work.Clear();
    out.group.Push(c, r);
    out.work.Push(c, r);
    out.mark[size_t(TBoard::index(c, r))] = out.markStamp;
    int size = 1;
    while (out.work.Pop(c, r)) {
        for (int i = 0; i < 4; ++i) {
            const int nc = c + NeighbourCol[i], nr = r + NeighbourRow[i];
            const int v = board(nc, nr);
            std::uint32_t &seen = out.mark[size_t(TBoard::index(nc, nr))];
            if ((v == colour || v == Cell::Joker) && seen != out.markStamp) {
                seen = out.markStamp;
                out.group.Push(nc, nr);
                out.work.Push(nc, nr);
                ++size;
            }
        }
    }
    return size;
}

// Every hole listed in work closes: what stands above falls, and each cell that fell
// becomes a seed of the next round (the cascade).
void closeHoles(TBoard &board, Elimination &out) {
    int c, h;
    while (out.work.Pop(c, h)) {
        if (board(c, h) == Cell::Empty) {
            int b = h;
            while (board(c, b + 1) == Cell::Empty)
                ++b;
            CloseGap(board, c, b, out.events, &out.seeds);
        }
        emit(out.events, RuleStep::FrameEnd);
    }
}

void removeGroup(TBoard &board, const RuleSettings &settings, int &m, Elimination &out) {
    const int n = out.group.Count();
    GroupResult g{n, m, GroupPoints(n, m, settings.limit), 0, int(out.cells.size())};
    if (settings.oneToOne)
        g.rocksToSend = RocksSent(n, m, settings.limit);
    out.groups.push_back(g);
    out.points += g.points;
    out.rocksToSend += g.rocksToSend;
    out.eliminated += n;
    emit(out.events, RuleStep::Group);
    m = NextMultiplier(m);

    // One frame per removed gem, with the rocks it breaks.
    out.work.Clear();
    int c, r;
    while (out.group.Pop(c, r)) {
        out.cells.push_back({c, r});
        out.work.Push(c, r);
        board(c, r) = Cell::Empty;
        emit(out.events, RuleStep::Erase, c, r);
        for (int i = 0; i < 4; ++i) {
            const int nc = c + NeighbourCol[i], nr = r + NeighbourRow[i];
            if (board(nc, nr) == Cell::Rock) {
                board(nc, nr) = Cell::Empty;
                emit(out.events, RuleStep::Erase, nc, nr);
                out.work.Push(nc, nr);
                ++out.rocksDestroyed;
            }
        }
        emit(out.events, RuleStep::FrameEnd);
    }
    closeHoles(board, out);
}

} // namespace

void Elimination::clear() {
    groups.clear();
    cells.clear();
    events.clear();
    points = eliminated = rocksDestroyed = rocksToSend = 0;
}

void EliminateGroups(TBoard &board, CellPos first, CellPos second, const RuleSettings &settings,
                     Elimination &out) {
    out.clear();
    out.seeds.Clear();
    out.jokersSeen.Clear();
    out.seeds.Push(first.col, first.row);
    out.seeds.Push(second.col, second.row);
    int m = 1;
    int c, r;
    while (out.seeds.Pop(c, r)) {
        const int v = board(c, r);
        if (v == Cell::Joker) {
            // Each colour around a joker is searched from its own gem.
            out.jokersSeen.Push(c, r);
            for (int i = 0; i < 4; ++i) {
                const int nc = c + NeighbourCol[i], nr = r + NeighbourRow[i];
                if (board(nc, nr) != Cell::Border && !out.jokersSeen.Contains(nc, nr))
                    out.seeds.Push(nc, nr);
            }
            continue;
        }
        if (v < 1 || v > 5)
            continue;
        if (searchGroup(board, c, r, out) >= settings.limit)
            removeGroup(board, settings, m, out);
        out.group.Clear();
    }
}

int GroupSize(const TBoard &board, int col, int row, Elimination &scratch) {
    const int v = board(col, row);
    if (v < 1 || v > 5)
        return 0;
    const int size = searchGroup(board, col, row, scratch);
    scratch.group.Clear();
    return size;
}

bool SettleGem(const TBoard &board, int col, int &row) {
    while (board(col, row + 1) == Cell::Empty)
        ++row;
    return row >= 0;
}

bool LandPair(TBoard &board, PairPlacement &pair) {
    const bool gem2First = pair.row1 < pair.row2;
    bool inside = true;
    for (int i = 0; i < 2; ++i) {
        const bool second = gem2First == (i == 0);
        int &row = second ? pair.row2 : pair.row1;
        const int col = second ? pair.col2 : pair.col1;
        const int colour = second ? pair.colour2 : pair.colour1;
        // A gem left above the top row would break the border ring: the well is full.
        if (!SettleGem(board, col, row)) {
            inside = false;
            continue;
        }
        board(col, row) = colour;
    }
    return inside;
}

bool CloseGap(TBoard &board, int c, int b, std::vector<RuleEvent> &events, TColaPos *landed) {
    int k = 0;
    while (b - k >= 0 && board(c, b - k) == Cell::Empty)
        ++k;
    const int top = b - k;
    if (top < 0)
        return false;
    int j = 0;
    while (top - j >= 0 && board(c, top - j) != Cell::Empty)
        ++j;
    for (int i = 0; i < j; ++i, --b) {
        const int code = board(c, b - k);
        board(c, b) = code;
        board(c, b - k) = Cell::Empty;
        emit(events, RuleStep::Moved, c, b, b - k, code);
        if (landed)
            landed->Push(c, b);
    }
    return true;
}

int PlaceRocks(TBoard &board, int count, int col, std::vector<RuleEvent> &events) {
    int row = 0, placed = 0;
    while (placed < count && row <= 15) {
        if (board(col, row) == Cell::Empty) {
            board(col, row) = Cell::Rock;
            emit(events, RuleStep::Placed, col, row, 0, Cell::Rock);
            emit(events, RuleStep::FrameEnd);
            ++placed;
        }
        if (++col > 6) {
            col = 0;
            ++row;
        }
    }
    return placed;
}

void DropRocks(TBoard &board, std::vector<RuleEvent> &events) {
    for (int c = 0; c < TBoard::Columns; ++c) {
        int b = 15;
        while (b >= 0 && board(c, b) != Cell::Empty)
            --b;
        if (b < 0 || !CloseGap(board, c, b, events, nullptr))
            continue;
        emit(events, RuleStep::RocksSound);
        emit(events, RuleStep::FrameEnd);
        emit(events, RuleStep::FrameEnd);
    }
}

void PushRockLine(TBoard &board) {
    for (int c = 0; c < TBoard::Columns; ++c) {
        for (int r = 0; r < 15; ++r)
            board(c, r) = board(c, r + 1);
        board(c, 15) = Cell::Rock;
    }
}
