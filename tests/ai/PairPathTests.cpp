// Where the falling pair can go and how: the CPU's model of the moves must be the
// engine's own, or its plans walk into walls.
#include "AiKit.h"
#include "ai/PairPath.h"
#include "engine/Tipos.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

namespace {

// A player record with no views, for the engine's own moves.
struct EnginePair {
    TRandom random;
    TPictures pictures;
    TInfo p{1, PlayerViews{}, pictures, random, QStringLiteral("x"), 0, 1};

    void set(const TBoard &board, const PairState &s) {
        p.Board = board;
        p.Gem1Col = s.col1, p.Gem1Row = s.row1, p.Gem2Col = s.col2, p.Gem2Row = s.row2;
        p.Gem1Colour = s.colour1, p.Gem2Colour = s.colour2;
        p.Falling = true;
    }
    PairState state() const {
        return {p.Gem1Col, p.Gem1Row, p.Gem2Col, p.Gem2Row, p.Gem1Colour, p.Gem2Colour};
    }
    void apply(Move m) { p.ApplyPairMove(m); }
};

// Packed columns of random height and cells, the entry cells left free.
TBoard randomWell(std::mt19937 &rng) {
    TBoard b = WellOf({});
    for (int c = 0; c < 7; ++c) {
        int h = int(rng() % 16);
        if (c == 2 || c == 3)
            h = std::min(h, 14);
        for (int r = 15; r > 15 - h; --r)
            b(c, r) = 1 + int(rng() % 7);
    }
    return b;
}

bool samePlace(const PairState &a, const PairState &b) {
    return a.col1 == b.col1 && a.row1 == b.row1 && a.col2 == b.col2 && a.row2 == b.row2;
}

// Guards the model of the moves against the engine's: the same boards and move lists
// leave the pair in the same cells, wall kicks and refused moves included.
TEST(PairPath, MovesOnABoardValueMatchTheEngine) {
    std::mt19937 rng(11);
    EnginePair engine;
    const Move moves[4] = {Move::Left, Move::Right, Move::Rotate, Move::StepDown};
    for (int trial = 0; trial < 400; ++trial) {
        const TBoard board = randomWell(rng);
        PairState model{2, 0, 3, 0, 1, 2};
        engine.set(board, model);
        for (int i = 0; i < 14; ++i) {
            const Move m = moves[rng() % 4];
            MovePair(board, model, m);
            engine.apply(m);
            ASSERT_TRUE(samePlace(model, engine.state()))
                << "trial " << trial << " move " << i << " (" << MoveName(m) << ")";
        }
    }
}

// Guards the search: every placement it finds is reached by its moves in the engine,
// and none that the engine's moves can reach from the same row is missed.
TEST(PairPath, FindsExactlyThePlacementsTheEngineCanReach) {
    std::mt19937 rng(5);
    EnginePair engine;
    for (int trial = 0; trial < 150; ++trial) {
        const TBoard board = randomWell(rng);
        const PairState start{2, 0, 3, 0, 1, 2};
        PairPaths paths;
        paths.search(board, start);

        // Every arrangement the engine reaches by sideways moves and turns.
        std::set<std::pair<int, int>> seen;
        std::vector<PairState> frontier{start};
        seen.insert({start.minCol(), TurnOf(start)});
        while (!frontier.empty()) {
            const PairState at = frontier.back();
            frontier.pop_back();
            for (Move m : {Move::Left, Move::Right, Move::Rotate}) {
                engine.set(board, at);
                engine.apply(m);
                const PairState next = engine.state();
                if (seen.insert({next.minCol(), TurnOf(next)}).second)
                    frontier.push_back(next);
            }
        }
        for (const Placement &place : AllPlacements()) {
            const bool engineReaches = seen.count({place.col, place.turn}) > 0;
            ASSERT_EQ(paths.reachable(place), engineReaches)
                << "trial " << trial << " col " << place.col << " turn " << place.turn;
            if (!engineReaches)
                continue;
            engine.set(board, start);
            for (Move m : paths.movesTo(place))
                engine.apply(m);
            const PairState end = engine.state();
            ASSERT_EQ(end.minCol(), place.col);
            ASSERT_EQ(TurnOf(end), place.turn);
            ASSERT_EQ(int(paths.movesTo(place).size()), paths.distanceTo(place));
        }
    }
}

// Guards reachability against tall stacks: a pair low in the well cannot pass a
// column that stands above it, but can still turn where there is room.
TEST(PairPath, ATallColumnBarsTheWayToTheFarSide) {
    const TBoard board = WellOf({"....G..", "....G..", "....G..", "....R..", "....R..", "....B..",
                                 "....B..", "....Y..", "....Y..", "....M..", "....M..", "....G.."});
    const PairState low{2, 5, 3, 5, 1, 2};
    PairPaths paths;
    paths.search(board, low);
    EXPECT_TRUE(paths.reachable({0, Turn::Gem1Left}));
    EXPECT_TRUE(paths.reachable({3, Turn::Gem1Above}));
    EXPECT_FALSE(paths.reachable({4, Turn::Gem1Left}));
    EXPECT_FALSE(paths.reachable({5, Turn::Gem1Left}));
    EXPECT_FALSE(paths.reachable({6, Turn::Gem2Above}));
    // From the top row the pair passes over the same column.
    paths.search(board, {2, 0, 3, 0, 1, 2});
    EXPECT_TRUE(paths.reachable({5, Turn::Gem1Left}));
    EXPECT_TRUE(paths.reachable({6, Turn::Gem2Above}));
}

// Guards the landing of a placement: a vertical pair onto a column with one free
// cell leaves its upper gem above the well, which loses.
TEST(PairPath, LandingAVerticalPairOnANearlyFullColumnLoses) {
    std::vector<std::string> rows(15, "R......");
    TBoard board = WellOf(rows);
    PairPlacement landed;
    EXPECT_FALSE(LandAt(board, {0, Turn::Gem2Above}, 2, 3, landed));
    TBoard flat = WellOf(rows);
    EXPECT_TRUE(LandAt(flat, {1, Turn::Gem1Left}, 2, 3, landed));
    EXPECT_EQ(landed.row1, 15);
    EXPECT_EQ(landed.row2, 15);
    EXPECT_EQ(flat(1, 15), 2);
    EXPECT_EQ(flat(2, 15), 3);
}

} // namespace
