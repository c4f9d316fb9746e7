#pragma once

#include "engine/ReplayFormat.h"
#include "net/Lockstep.h"
#include "net/Transport.h"
#include "net/Wire.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class Game;
class PlayerController;

// The version a peer announces; two sides play only when both agree.
constexpr std::uint16_t NetProtocol = 2;
const char *NetProgramVersion();

// The game's own UDP port, the default for hosting and joining.
constexpr std::uint16_t DefaultNetPort = 47653;

// A hash of the game state that two sides of a network game must agree on: the whole
// state, with what each side may set for itself (the sound switch, the language of the
// status texts) left out.
std::uint64_t NetStateHash(const Game &game);

struct NetOptions {
    QString name;         // this side's player
    bool realTime = true; // steps paced at game speed; else as fast as the peer allows
    int minDelay = 1;     // the input delay's bounds, in steps
    int maxDelay = 12;
    int silenceMs = 4000; // quiet this long, the other side is gone
    int connectMs = 8000; // joining: time for the host to answer
    int waitPeerMs = 0;   // hosting: time to wait for a peer (0: no end)
    // Hosting: the games to play, the first seed, and the step at which a game still
    // running ends as a draw (0: never).
    int games = 1;
    std::uint32_t seed = 1;
    std::uint32_t limitSteps = 30 * 60 * 1000 / StepMs;
    std::uint16_t protocol = NetProtocol;
    std::string version = NetProgramVersion();
};

// One network game session: the handshake, the games the host starts, each played in
// lockstep on both machines, the hash checks and the faults. It drives the game it is
// given (which must outlive it): seats both players, resets and runs the game's clock.
// Single-threaded: the owner calls poll() often.
class NetSession {
public:
    enum class Role { Host, Join };
    enum class State { Waiting, Greeting, Measuring, Playing, Ended, Closing, Done, Failed };
    // Why a session failed, for a message in the player's language.
    enum class Failure { None, Silence, Left, Versions, Disagree, YouLeft, Other };

    struct Stats {
        int roundTripMs = 0;
        int delay = 0; // steps
        std::uint64_t bytesSent = 0, bytesReceived = 0;
        DropCounts drops;
        int stalls = 0; // waits of a step or more for the other side
        std::int64_t stalledMs = 0;
        bool waiting = false; // the other side has kept this one waiting a while
    };

    // cpu: the local player's CPU, or none for a person (moves come by localMove).
    NetSession(Role role, Game &game, std::unique_ptr<Transport> transport, NetOptions options,
               std::unique_ptr<PlayerController> cpu);
    ~NetSession();

    // Services the network, waiting at most waitMs for it, and plays the steps due.
    // Inside a step (a dialog the game opened), it only services the network.
    void poll(int waitMs);
    State state() const { return current; }
    // Inside a step of the game (a dialog it opened may be up): not to be destroyed.
    bool stepping() const { return inStep; }
    bool finished() const { return current == State::Done || current == State::Failed; }
    bool failed() const { return current == State::Failed; }
    const QString &error() const { return failure; }
    Failure failureKind() const { return failureWhy; }
    // The other side's program version, once its hello or refusal came.
    const std::string &peerVersion() const { return otherVersion; }

    int localPlayer() const { return role == Role::Host ? 1 : 2; }
    QString peerName() const { return otherName; }
    // Who plays the other side, as its hello said: empty for a person, else a CPU
    // level's word.
    const std::string &peerPlayer() const { return otherPlayer; }
    // A person's move, stamped now; nothing while no game runs or it is paused.
    void localMove(Move move);
    void requestPause();
    // Leaves at once: tells the other side, ends a running game without a result.
    void leave();

    Stats stats() const;
    const Lockstep &lockstep() const { return steps; }
    Transport &transport() { return *link; }

    // After each game, once both sides agree on how it ended.
    std::function<void(int game, std::uint32_t step, std::uint64_t hash)> gameEnded;
    std::function<void(int game)> gameStarted;
    // The two sides' states differ: told before the game is stopped, with the step and
    // both hashes as far as this side knows them (0 where not).
    std::function<void(const ReplayMismatch &)> disagreed;

private:
    using Clock = std::chrono::steady_clock;
    std::int64_t nowMs() const;
    void handle(const Transport::Event &event);
    void receive(std::uint8_t channel, const std::vector<std::uint8_t> &bytes);
    void onHello(const wire::Hello &hello);
    void onStart(const wire::Start &start);
    void onLeave(const wire::Leave &leave);
    void send(const wire::Message &message);
    void fail(Failure kind, const QString &why);
    void checkTimeouts();
    void measure();
    void hostNextGame();
    void begin(const wire::Start &start, std::int64_t startAt);
    void playSteps();
    void playOneStep();
    void recordHash(std::uint32_t step, std::uint64_t hash, bool final, bool own);
    void compareHashes();
    void disagree(const ReplayMismatch &mismatch);
    void finishGame();
    void sendInputs();
    void stopGame();
    QString versionMismatch(std::uint16_t protocol, const std::string &version) const;

    Role role;
    Game &game;
    std::unique_ptr<Transport> link;
    NetOptions options;
    std::unique_ptr<PlayerController> cpuPlayer;
    std::unique_ptr<Game> blank; // a game never started: its clock resets ours
    Lockstep steps;
    State current = State::Waiting;
    QString failure, otherName, leaveNote;
    Failure failureWhy = Failure::None;
    std::string otherVersion, ownPlayer, otherPlayer;
    const Clock::time_point epoch = Clock::now();
    std::int64_t startedAt = 0, lastHeard = 0, lastSent = -1000000, nextStepAt = 0;
    std::int64_t closingSince = 0;
    bool inStep = false;
    bool peerDone = false; // the host said the last game was played

    // Measuring the round trip before the first game.
    std::map<std::uint32_t, std::int64_t> pingsSent;
    std::vector<int> roundTrips;
    int roundTrip = 0, chosenDelay = 1;
    std::int64_t lastPingAt = 0, measureSince = 0;

    int gameNumber = 0;
    std::uint32_t endStep = 0;
    bool ownFinal = false, remoteFinal = false, agreed = false;
    std::uint32_t remoteFinalStep = 0;
    std::map<std::uint32_t, std::uint64_t> ownHashes, remoteHashes;
    std::uint64_t finalHash = 0;

    int stallCount = 0;
    std::int64_t stallSince = -1, stalledTotal = 0;
};
