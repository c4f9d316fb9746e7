// The board rules as values: what an elimination, a landing and a rock fall report.
#include "Rig.h"
#include "engine/Rules.h"

#include <gtest/gtest.h>

namespace {

TBoard boardOf(const std::vector<std::string> &rows) {
    TBoard b;
    b.cells.fill(Cell::Border);
    const std::vector<std::string> full = bottom(rows);
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r < 16; ++r)
            b(c, r) = codeOf(full[size_t(r)][size_t(c)]);
    return b;
}

std::vector<std::string> rowsOf(const TBoard &b) {
    std::vector<std::string> rows;
    for (int r = 0; r < 16; ++r) {
        std::string row;
        for (int c = 0; c < 7; ++c)
            row += letterOf(b(c, r));
        rows.push_back(row);
    }
    return rows;
}

// Applies the reported erasures and falls to a board: they must tell the whole story.
TBoard replayEvents(TBoard b, const std::vector<RuleEvent> &events) {
    for (const RuleEvent &e : events) {
        if (e.kind == RuleStep::Erase)
            b(e.col, e.row) = Cell::Empty;
        else if (e.kind == RuleStep::Moved) {
            b(e.col, e.row) = e.code;
            b(e.col, e.fromRow) = Cell::Empty;
        } else if (e.kind == RuleStep::Placed)
            b(e.col, e.row) = e.code;
    }
    return b;
}

// Guards the cascade's order, multipliers and scoring.
TEST(Rules, ACascadeReportsEachGroupWithItsMultiplierAndPoints) {
    // The landed pair (R at 2,15 and R at 3,15) completes four reds; the blues above
    // them fall beside the fourth blue and go too.
    const TBoard before = boardOf({".BBB...", "RRRRB.."});
    TBoard board = before;
    Elimination out;
    EliminateGroups(board, {2, 15}, {3, 15}, {4, false}, out);
    ASSERT_EQ(out.groupCount(), 2);
    EXPECT_EQ(out.groups[0].size, 4);
    EXPECT_EQ(out.groups[0].multiplier, 1);
    EXPECT_EQ(out.groups[1].size, 4);
    EXPECT_EQ(out.groups[1].multiplier, 3);
    EXPECT_EQ(out.points, GroupPoints(4, 1, 4) + GroupPoints(4, 3, 4));
    EXPECT_EQ(out.eliminated, 8);
    EXPECT_EQ(rowsOf(board), bottom({}));
    EXPECT_EQ(rowsOf(replayEvents(before, out.events)), rowsOf(board));
    EXPECT_EQ(out.rocksToSend, 0); // not one to one
}

// Guards rock breaking: the rock beside a group goes, is counted apart, and one to
// one sends rocks for a group over the limit.
TEST(Rules, RocksBesideAGroupBreakAndBigGroupsSendRocks) {
    const TBoard before = boardOf({"X......", "GGGGG.."});
    TBoard board = before;
    Elimination out;
    EliminateGroups(board, {3, 15}, {4, 15}, {4, true}, out);
    ASSERT_EQ(out.groupCount(), 1);
    EXPECT_EQ(out.eliminated, 5);
    EXPECT_EQ(out.rocksDestroyed, 1);
    EXPECT_EQ(board(0, 14), Cell::Empty);
    EXPECT_EQ(board(0, 15), Cell::Empty);
    EXPECT_EQ(out.rocksToSend, RocksSent(5, 1, 4));
    EXPECT_EQ(RocksSent(5, 1, 4), 2);
    EXPECT_EQ(rowsOf(replayEvents(before, out.events)), rowsOf(board));
}

TEST(Rules, GroupsBelowTheLimitStayAndReportNothing) {
    TBoard board = boardOf({"RRR.BBB"});
    Elimination out;
    EliminateGroups(board, {0, 15}, {6, 15}, {4, false}, out);
    EXPECT_EQ(out.groupCount(), 0);
    EXPECT_TRUE(out.events.empty());
    EXPECT_EQ(GroupSize(board, 0, 15, out), 3);
}

// Guards the full-well rule: a gem that cannot enter the well is not written.
TEST(Rules, LandingInAFullColumnFailsWithoutWriting) {
    std::vector<std::string> rows(16, "R......");
    TBoard board = boardOf(rows);
    PairPlacement pair{0, -1, 2, 1, -1, 3};
    EXPECT_FALSE(LandPair(board, pair));
    EXPECT_EQ(board(1, 15), 3); // the other gem landed
    EXPECT_EQ(board(0, -1), Cell::Border);
}

TEST(Rules, RocksArePlacedAlongTheTopAndDropOntoTheStacks) {
    TBoard board = boardOf({"RRRRRRR"});
    std::vector<RuleEvent> events;
    EXPECT_EQ(PlaceRocks(board, 9, 5, events), 9);
    DropRocks(board, events);
    // Two rows' worth from column 5: columns 5 and 6 get two rocks each.
    EXPECT_EQ(rowsOf(board), bottom({".....XX", "XXXXXXX", "RRRRRRR"}));
}

} // namespace
