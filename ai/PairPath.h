#pragma once

#include "ai/Sight.h"
#include "engine/Input.h"
#include "engine/Rules.h"

#include <array>
#include <cstdint>
#include <vector>

// Where the falling pair can be brought and how. A placement is the pair's left
// column and its turn: the four arrangements the rotation runs through from the deal.
namespace Turn {
constexpr int Gem1Left = 0;  // as dealt: gem 1 left, gem 2 right
constexpr int Gem2Above = 1; // gem 2 on top of gem 1
constexpr int Gem1Right = 2; // gem 2 left, gem 1 right
constexpr int Gem1Above = 3; // gem 1 on top of gem 2
constexpr int Count = 4;
constexpr bool isVertical(int turn) {
    return turn % 2 == 1;
}
} // namespace Turn

struct Placement {
    int col = 2, turn = Turn::Gem1Left;
    bool operator==(const Placement &) const = default;
};

// Every placement inside the well: 6 columns for each horizontal turn, 7 for each
// vertical one.
constexpr int PlacementCount = 26;
const std::array<Placement, PlacementCount> &AllPlacements();

int TurnOf(const PairState &pair);
// The pair arranged by placement with its lower gem on bottomRow.
PairState PairAt(Placement place, int bottomRow, int colour1, int colour2);

// Lands the pair as the placement puts it (as a throw from above the stacks would)
// and writes it into board; false when a gem stays above the well, which loses.
bool LandAt(TBoard &board, Placement place, int colour1, int colour2, PairPlacement &landed);

// The moves the engine allows, on a board value: as TInfo's TryMove and Rotate.
bool MovePair(const TBoard &board, PairState &pair, Move move);

// The shortest move lists from the pair's present cells to each placement, by left,
// right and rotate on its present row (a lower row is never freer, packed columns
// being what they are).
class PairPaths {
public:
    void search(const TBoard &board, const PairState &from);
    bool reachable(Placement place) const { return distanceTo(place) >= 0; }
    // Moves needed, or -1 when the placement cannot be reached.
    int distanceTo(Placement place) const { return dist[index(place)]; }
    // The moves, first first (empty when the pair is there already).
    std::vector<Move> movesTo(Placement place) const;

private:
    static int index(Placement p) { return p.col * Turn::Count + p.turn; }
    std::array<std::int8_t, 7 * Turn::Count> dist{};
    std::array<std::int8_t, 7 * Turn::Count> from{};
    std::array<Move, 7 * Turn::Count> via{};
};
