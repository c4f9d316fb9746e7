#pragma once

#include "engine/Game.h"

#include <QString>

#include <cstdint>
#include <memory>

// A player of the arena: a CPU level or the greedy baseline, by its word.
bool IsArenaLevel(const QString &word);
std::unique_ptr<PlayerController> MakeArenaPlayer(const QString &word, std::uint32_t seed);

// What one game came to.
struct MatchResult {
    int winner = 0; // 1 or 2; 0 for a draw or a one-player game
    int points[2] = {0, 0};
    int longest[2] = {0, 0}; // the longest cascade, in groups
    int stage = 0;           // the stage reached (one player)
    bool completed = false;  // all stages done (one player)
    std::int64_t lengthMs = 0;
};

// A headless game on the game clock with two seats; nothing is drawn.
class Match {
public:
    explicit Match(const TFaseTable &stages);
    ~Match();

    // One to one between the two players, for at most limitMs of game time.
    MatchResult playVs(std::unique_ptr<PlayerController> one, std::unique_ptr<PlayerController> two,
                       std::uint32_t seed, std::int64_t limitMs);
    // One player through the stages.
    MatchResult playStages(std::unique_ptr<PlayerController> one, std::uint32_t seed,
                           std::int64_t limitMs);

private:
    class Host;
    MatchResult play(GameMode mode, std::uint32_t seed, std::int64_t limitMs);

    std::unique_ptr<Host> host;
    std::unique_ptr<Game> game;
    int longest[2] = {0, 0};
    Elimination scratch;
};
