#pragma once

#include "ai/Levels.h"
#include "engine/Controller.h"

#include <cstdint>
#include <memory>

// A CPU player of the given level. It sees only what a person sees and plays only
// through the move vocabulary, on the game clock, at its level's pace. Its slips and
// its pace vary by a generator of its own, seeded by seed and the player's number.
std::unique_ptr<PlayerController> MakeCpuController(CpuLevel level);
std::unique_ptr<PlayerController> MakeCpuController(CpuLevel level, std::uint32_t seed);

// The baseline most games of the kind ship: each pair goes where it eliminates most at
// once, looking no further; it moves at the hard level's pace.
std::unique_ptr<PlayerController> MakeGreedyController(std::uint32_t seed = 1);
