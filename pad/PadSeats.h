#pragma once

#include <array>
#include <vector>

// Which pad plays for which player. Pads take the players without one in the order
// they are connected; a player may be given another pad, or none.
class PadSeats {
public:
    // A pad came: it plays for the first player without one. Returns that player, or 0
    // when both have theirs (it waits, connected, to be chosen).
    int connect(int pad);
    // A pad went: returns the player it played for, or 0.
    int disconnect(int pad);

    // 1, 2, or 0 for a pad that plays for nobody.
    int player(int pad) const;
    // The pad of player 1 or 2, or -1.
    int pad(int player) const;
    // Gives the player a connected pad, or none with -1. A pad taken from the other
    // player leaves that one this player's previous pad.
    void assign(int player, int pad);

    // Every pad connected, in the order they came.
    const std::vector<int> &connected() const { return pads; }

private:
    std::vector<int> pads;
    std::array<int, 2> seat{-1, -1};
};
