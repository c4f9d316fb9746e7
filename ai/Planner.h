#pragma once

#include "ai/CpuRandom.h"
#include "ai/Levels.h"
#include "ai/PairPath.h"
#include "ai/Sight.h"

// Chooses where the falling pair goes: tries the reachable placements on copies of the
// board with the engine's board rules, looks as far ahead as the level does, and
// scores the boards that result.
struct Choice {
    bool found = false;
    Placement place;
    int score = 0;
};

Choice ChoosePlacement(const Sight &sight, const LevelParams &params, CpuRandom &random);

// The greedy baseline: the placement that eliminates most at once, the lowest landing
// among equals, then any at random.
Choice ChooseGreedy(const Sight &sight, CpuRandom &random);
