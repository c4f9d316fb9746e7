#include "net/Lockstep.h"

#include <algorithm>

void Lockstep::reset(std::uint16_t game, int delay) {
    *this = Lockstep();
    gameNumber = game;
    inputDelay = std::max(1, delay);
    // Neither side can stamp a move before step delay + 1.
    remoteThrough = std::uint32_t(inputDelay);
}

void Lockstep::addLocal(Move move) {
    const Stamped s{stampNow(), move};
    localPending.push_back(s);
    unacked.push_back(s);
}

std::uint32_t Lockstep::addLocalPause() {
    localPauses.push_back(stampNow());
    return localPauses.back();
}

// A pause must fall after every step the other side has declared final, or it would
// rewrite what was already played.
bool Lockstep::addRemotePause(std::uint32_t step) {
    if (step <= remoteThrough || step > stepsPlayed + MaxAhead || remotePauses.size() >= 0xffff)
        return false;
    if (!remotePauses.empty() && step < remotePauses.back())
        return false;
    remotePauses.push_back(step);
    return true;
}

std::vector<Move> Lockstep::takeDue(std::deque<Stamped> &queue, std::uint32_t step) {
    std::vector<Move> due;
    while (!queue.empty() && queue.front().step <= step) {
        due.push_back(queue.front().move);
        queue.pop_front();
    }
    return due;
}

int Lockstep::countAt(const std::vector<std::uint32_t> &stamps, std::uint32_t step) {
    return int(std::count(stamps.begin(), stamps.end(), step));
}

// A packet holds at most MaxMovesPerPacket moves; when more wait, it declares final
// only the steps before the first one it leaves out.
wire::Inputs Lockstep::outgoing() {
    wire::Inputs p;
    p.game = gameNumber;
    p.seq = nextSeq++;
    p.ack = remoteThrough;
    p.pauses = std::uint16_t(localPauses.size());
    p.through = localThrough();
    for (const Stamped &s : unacked) {
        if (s.step > p.through)
            break; // stamped between steps: final with the next step
        if (p.moves.size() == wire::MaxMovesPerPacket) {
            p.through = s.step - 1;
            while (!p.moves.empty() && p.moves.back().step == s.step)
                p.moves.pop_back();
            break;
        }
        p.moves.push_back({s.step, std::uint8_t(s.move)});
    }
    return p;
}

Intake Lockstep::incoming(const wire::Inputs &p) {
    if (p.game != gameNumber)
        return Intake::Stale;
    if (p.seq <= lastSeq)
        return Intake::Repeated;
    if (p.through < remoteThrough || p.through > stepsPlayed + MaxAhead || p.ack > localThrough() ||
        p.pauses < remotePauses.size())
        return Intake::OutOfRange;
    lastSeq = p.seq;
    if (p.ack > remoteAck) {
        remoteAck = p.ack;
        while (!unacked.empty() && unacked.front().step <= remoteAck)
            unacked.pop_front();
    }
    // A pause it sent has not arrived yet: its steps cannot be final here until it does.
    if (p.pauses > remotePauses.size())
        return Intake::Held;
    std::size_t added = 0;
    for (const wire::StepMove &s : p.moves)
        added += s.step > remoteThrough ? 1 : 0;
    if (remotePending.size() + added > MaxPending)
        return Intake::OutOfRange;
    for (const wire::StepMove &s : p.moves)
        if (s.step > remoteThrough)
            remotePending.push_back({s.step, Move(s.move)});
    remoteThrough = p.through;
    return Intake::Taken;
}
