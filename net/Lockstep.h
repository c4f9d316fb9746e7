#pragma once

#include "engine/Input.h"
#include "net/Wire.h"

#include <cstdint>
#include <deque>
#include <vector>

// The game clock in lockstep steps: step n ends at n x StepMs of game time; the game
// starts at step 0. Every input is stamped with the step at which it applies.
constexpr int StepMs = 25;

// What an input packet from the other side came to.
enum class Intake { Taken, Stale, Repeated, OutOfRange, Held };

// The bookkeeping of one game in lockstep, without a network or a game: the moves each
// side stamped, how far each side's moves are final, what is still to be acknowledged.
// A step may be played once both sides' moves up to it are known.
class Lockstep {
public:
    // Far enough for any honest peer: it is never more than two input delays ahead.
    static constexpr std::uint32_t MaxAhead = 256;
    static constexpr std::size_t MaxPending = 4096;

    void reset(std::uint16_t game, int delay);
    std::uint16_t game() const { return gameNumber; }
    int delay() const { return inputDelay; }
    std::uint32_t played() const { return stepsPlayed; }
    bool canPlay() const { return stepsPlayed + 1 <= remoteThrough; }
    void stepPlayed() { ++stepsPlayed; }

    // The step a local input made now applies at.
    std::uint32_t stampNow() const { return stepsPlayed + 1 + std::uint32_t(inputDelay); }
    void addLocal(Move move);
    // Moves of the step given or earlier not yet handed out, in order.
    std::vector<Move> takeLocalDue(std::uint32_t step) { return takeDue(localPending, step); }
    std::vector<Move> takeRemoteDue(std::uint32_t step) { return takeDue(remotePending, step); }
    bool localInFlight() const { return !localPending.empty(); }

    // Pauses: each side's, stamped like moves, travel on the session channel.
    std::uint32_t addLocalPause();
    bool addRemotePause(std::uint32_t step);
    // How many pauses (local, remote) are due at this step.
    int localPausesAt(std::uint32_t step) const { return countAt(localPauses, step); }
    int remotePausesAt(std::uint32_t step) const { return countAt(remotePauses, step); }

    wire::Inputs outgoing();
    Intake incoming(const wire::Inputs &packet);

    std::uint32_t localThrough() const { return stepsPlayed + std::uint32_t(inputDelay); }
    std::uint32_t knownThrough() const { return remoteThrough; }

private:
    struct Stamped {
        std::uint32_t step;
        Move move;
    };
    static std::vector<Move> takeDue(std::deque<Stamped> &queue, std::uint32_t step);
    static int countAt(const std::vector<std::uint32_t> &stamps, std::uint32_t step);

    std::uint16_t gameNumber = 0;
    int inputDelay = 1;
    std::uint32_t stepsPlayed = 0;
    std::uint32_t remoteThrough = 0;
    std::uint32_t remoteAck = 0; // the last step of ours the other side holds
    std::uint32_t nextSeq = 1, lastSeq = 0;
    std::deque<Stamped> localPending, remotePending; // not yet applied
    std::deque<Stamped> unacked;                     // not yet acknowledged
    std::vector<std::uint32_t> localPauses, remotePauses;
};
