#pragma once

#include <cstdint>

// A CPU player's own generator for its pace and its slips, seeded from the game's seed
// and the player: it never draws from the game's generator, whose sequence deals the
// colours.
class CpuRandom {
public:
    explicit CpuRandom(std::uint64_t seed = 1) { reseed(seed); }
    void reseed(std::uint64_t seed) { state = seed; }

    // splitmix64
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // Uniform from 0 to n - 1 (0 when n < 1).
    int below(int n) { return n < 1 ? 0 : int((next() >> 33) % std::uint64_t(n)); }
    // Uniform from -spread to +spread.
    int around(int spread) { return spread < 1 ? 0 : below(2 * spread + 1) - spread; }

private:
    std::uint64_t state;
};
