#pragma once

#include "engine/Game.h"
#include "engine/InputLog.h"
#include "net/NetSession.h"
#include "tests/net/Relay.h"

#include <functional>
#include <memory>
#include <vector>

// One side of a network game in the test's process: its game, its session and what it
// saw of each game.
struct Side {
    struct Ended {
        int game;
        std::uint32_t step;
        std::uint64_t hash;
        std::uint32_t seed;
        InputLog log;
        QString names[2];
    };
    Side(NetSession::Role role, std::unique_ptr<Transport> link, NetOptions options,
         const char *level);
    std::unique_ptr<Game> game;
    std::unique_ptr<NetSession> session;
    InputLog log;
    std::vector<Ended> ended;
};

NetOptions FastOptions(const char *name);
// Polls both sides (and the relay) until done() holds or limitMs of real time passed.
bool PollUntil(const std::vector<Side *> &sides, ImpairedRelay *relay,
               const std::function<bool()> &done, int limitMs);
// Plays a finished game again offline from its recorded inputs and returns the hash of
// the state it ends in.
std::uint64_t ReplayHash(const Side::Ended &ended, std::uint32_t limitSteps);
