#pragma once

#include "ai/Sight.h"
#include "engine/Rules.h"

#include <array>

// How a CPU judges a well. Scores are integers, higher is better; a gem eliminated in
// the stages is worth Unit. What a judgement level weighs grows with the level:
//   0  gems eliminated, height, gems of a colour side by side
//   1  and groups by size, the entry cells' danger
//   2  and the stacks' shape, rocks and the gems under them
//   3  and the cascades one more gem could set off
//   4  and when to set them off: rocks on their way, the rival's room
// Looking at expected futures (a look-ahead of 3) adds the cascades a whole pair of
// one colour, of any colour to come, could set off.
constexpr int Unit = 100;
// A well whose entry cells are blocked: the game is lost.
constexpr int LostScore = -100000000;

// What one landing did.
struct LandingOutcome {
    bool lost = false;
    int eliminated = 0, groups = 0, rocksDestroyed = 0, rocksSent = 0;
};

LandingOutcome OutcomeOf(const Elimination &elimination);

// The stacks: height of each column and what lies in them.
struct Stacks {
    std::array<int, 7> height{};
    int gems = 0, rocks = 0;
    int buried = 0; // gems with a rock somewhere above them
};

Stacks StacksOf(const TBoard &board);

// The best cascade one more pair of a single colour could set off, dropped into one
// column: how many groups and how many rocks it would send.
struct Potential {
    int groups = 0, eliminated = 0, rocks = 0;
    int triggers = 0; // column and colour drops that set off at least one group
};

class Evaluator {
public:
    Evaluator(const Sight &sight, int judgement, bool futures = false);

    // The value of a landing's eliminations (and its rocks, in one to one).
    int action(const LandingOutcome &outcome) const;
    // The value of a well as it stands: shape, groups building, danger.
    int board(const TBoard &board) const;
    // The value of the cascades the well holds ready (judgement 3 and up), found by
    // dropping one gem (with futures, or two) of each colour into each column.
    int potential(const TBoard &board) const;
    Potential findPotential(const TBoard &board) const;

    const RuleSettings &rules() const { return settings; }
    int judgement() const { return level; }

private:
    int groupsValue(const TBoard &board) const;
    int dangerValue(const Stacks &stacks) const;
    int shapeValue(const Stacks &stacks) const;
    bool killsRival(int rocks) const;

    RuleSettings settings;
    int level;
    bool futures;
    bool vs;
    Stacks rivalStacks;
    int gemsToGo; // the stage's target still to reach (by stages)
    mutable Elimination scratch;
};

// Rocks fall as the engine lets them, spread over the columns; where the engine's
// own start column falls is not known ahead, so the odd ones go to the entry first.
void FallRocksEvenly(TBoard &board, int count);
