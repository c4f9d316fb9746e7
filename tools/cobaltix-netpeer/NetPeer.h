#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>
#include <string>

// The command line of cobaltix-netpeer, checked.
struct NetPeerCommand {
    bool host = true;
    std::string address; // joining: the host's; hosting: the address to listen on (empty: all)
    std::uint16_t port = 0;
    QString level;
    int games = 1;
    std::uint32_t seed = 1;
    // Beyond the contract's words: for tests and measurements.
    bool fast = false;         // --fast: as fast as the other side allows
    std::int64_t limitMs = -1; // --limit MS: a game still running then is a draw
    int minDelay = 1;          // --min-delay STEPS
    bool stats = false;        // --stats: a last line of figures
    int silenceMs = 4000;      // --silence MS
    QString recordDir;         // --record DIR: each game's replay, DIR/game-N.replay
    // A test's way to make the two sides disagree: after this many steps of a game this
    // side changes its own game state (0: never). Not in the usage.
    std::uint32_t disagreeAfter = 0; // --disagree-after STEPS
};

struct NetPeerError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

NetPeerCommand ParseNetPeerCommand(const QStringList &args);
// Connects, plays, prints a line per game; returns the exit status.
int RunNetPeer(const NetPeerCommand &command);
