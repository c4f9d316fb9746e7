#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The well as a value: cell codes, the board with its border ring, and the work list
// of cells the rules walk. No Qt, no pictures: copies are cheap.

// Cell codes; the same numbers serve as drawing-step codes.
namespace Cell {
constexpr int Border = -1;
constexpr int Empty = 0;
constexpr int Joker = 6;
constexpr int Rock = 7;
} // namespace Cell

// Work list of board cells for the group search and the closing of holes.
class TColaPos {
public:
    struct Entry {
        int col, row;
    };
    void Push(int col, int row) { entries.push_back({col, row}); }
    bool Pop(int &col, int &row);
    bool IsEmpty() const { return head == entries.size(); }
    int Count() const { return int(entries.size() - head); }
    void Clear() {
        entries.clear();
        head = 0;
    }
    bool Contains(int col, int row) const;

private:
    std::vector<Entry> entries;
    size_t head = 0;
};

// The well with its border ring: columns -1..7 by rows -1..16, column by column.
struct TBoard {
    static constexpr int Columns = 7, Rows = 16, Size = 162;
    static constexpr int index(int col, int row) { return 18 * (col + 1) + (row + 1); }

    std::int32_t &operator()(int col, int row) { return cells[size_t(index(col, row))]; }
    std::int32_t operator()(int col, int row) const { return cells[size_t(index(col, row))]; }

    std::array<std::int32_t, Size> cells{};
};
