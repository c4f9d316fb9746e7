#pragma once

#include <cstdint>
#include <random>

class Game;
class TInfo;

// Plays a player's pairs the way a fair human would: each new pair goes, turned now
// and then, to a low column whose top gem matches it. Its choices come from its own
// seeded generator, so a game replays exactly.
class Autoplay {
public:
    Autoplay(Game &game, int player, std::uint32_t seed);

    // Moves a newly dealt pair at once and throws it a moment later, as a player who
    // takes a look first.
    void act(std::int64_t nowMs);

private:
    int chooseColumn(const TInfo &p, int colour);
    void press(int keyIndex);

    Game &game;
    int player;
    std::mt19937 rng;
    int lastDealt = -1;
    std::int64_t throwAtMs = -1;
};
