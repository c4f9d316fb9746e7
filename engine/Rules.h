#pragma once

#include "engine/Board.h"

#include <cstdint>
#include <vector>

// The board rules as functions over a board value: landing a pair, finding and removing
// groups with their cascade, scoring, one-to-one rocks, falling rocks and rock lines.
// They return what happened; the engine turns it into drawing steps, status lines,
// labels and sounds, and the CPU players try placements on copies with them.

struct CellPos {
    int col, row;
};

// What the rules need to know besides the board.
struct RuleSettings {
    int limit = 4;         // the smallest group that vanishes
    bool oneToOne = false; // groups send rocks to the other player
};

// One thing that happened, in order; each maps to the engine's drawing steps.
enum class RuleStep : std::uint8_t {
    Group,      // a group starts vanishing (its sound)
    Erase,      // col, row emptied
    FrameEnd,   // the end of one animation frame
    Moved,      // the cell at col, fromRow fell to col, row
    Placed,     // code appeared at col, row (a falling rock)
    RocksSound, // a column of rocks landed
};

struct RuleEvent {
    RuleStep kind;
    std::int8_t col, row, fromRow, code;
};

// One vanished group: its size, the multiplier it scored with, what it earned, and
// its gems in removal order (cells[firstCell .. firstCell + size)).
struct GroupResult {
    int size, multiplier, points, rocksToSend, firstCell;
};

// What an elimination did. Reuse one object: clearing keeps its storage, so steady
// play allocates nothing.
struct Elimination {
    std::vector<GroupResult> groups;
    std::vector<CellPos> cells;
    std::vector<RuleEvent> events;
    int points = 0, eliminated = 0, rocksDestroyed = 0, rocksToSend = 0;

    // The longest cascade of this landing, in groups.
    int groupCount() const { return int(groups.size()); }
    void clear();

    // Work lists of the search, kept between calls.
    TColaPos seeds, group, work, jokersSeen;
    std::array<std::uint32_t, TBoard::Size> mark{};
    std::uint32_t markStamp = 0;
};

// Searches from the two landed gems, removes every group of at least the limit with
// the rocks beside it, lets what stood above fall, and searches again from the cells
// that fell, until nothing more vanishes.
void EliminateGroups(TBoard &board, CellPos first, CellPos second, const RuleSettings &settings,
                     Elimination &out);

// The size of the group of same colour and jokers around a gem (0 for no gem).
int GroupSize(const TBoard &board, int col, int row, Elimination &scratch);

// Drops one gem of a pair down its column from row; returns false when it stays above
// the well (its column is full).
bool SettleGem(const TBoard &board, int col, int &row);

// The falling pair, and where it comes to rest.
struct PairPlacement {
    int col1, row1, colour1;
    int col2, row2, colour2;
};

// Lands the pair: the lower gem first, each onto its column's stack, written into the
// board. Returns false when a gem stayed above the well (nothing is written for it).
bool LandPair(TBoard &board, PairPlacement &pair);

// Lets the run of cells above the gap whose lowest empty cell is (col, bottom) fall
// onto it; false when nothing stands above the gap. Cells that fell go to landed.
bool CloseGap(TBoard &board, int col, int bottom, std::vector<RuleEvent> &events, TColaPos *landed);

// Rocks appear one by one along the top, from startCol rightwards and on to the next
// row; those that find no empty cell are lost. Returns how many were placed.
int PlaceRocks(TBoard &board, int count, int startCol, std::vector<RuleEvent> &events);
// The rocks of each column drop onto its packed stack.
void DropRocks(TBoard &board, std::vector<RuleEvent> &events);
// Everything moves up a row and a line of rocks fills the bottom row.
void PushRockLine(TBoard &board);

// The points a group of size n earns with multiplier m and the limit.
constexpr int GroupPoints(int n, int m, int limit) {
    return m * (10 * n + 100 * (n - limit));
}
// The next group's multiplier in a cascade.
constexpr int NextMultiplier(int m) {
    return m < 27 ? m * 3 : m + 3;
}
// Rocks a group of size n with multiplier m sends in one to one.
constexpr int RocksSent(int n, int m, int limit) {
    const int d = n - limit;
    return d > 0 ? 3 * d - 2 + m : m > 1 ? m / 2 + 1 : 0;
}
