#pragma once

#include "engine/Controller.h"
#include "net/Lockstep.h"

#include <QString>

#include <memory>
#include <string>

// The step of the game clock's present moment (the clock starts at 0 with the game).
std::uint32_t StepOf(const Game &game);

// The local player of a network game. Its moves, a person's or a CPU's, are stamped an
// input delay ahead and travel to the other side; both sides apply them when their step
// comes, through the game's inputs like any other move. A CPU decides on a copy of the
// game, and only once its last move has been applied, so it never moves twice on what
// it saw once.
class LocalSeat : public PlayerController {
public:
    // cpu, when given, is the session's and outlives the seat.
    LocalSeat(Lockstep &lockstep, QString name, PlayerController *cpu);
    bool takesKeys() const override { return false; }
    // Both sides run the controllers' timer alike, whoever plays, so their clocks agree.
    bool needsSteps() const override { return true; }
    void step(Game &game, int player) override;
    void reset() override;
    QString playerName() const override { return name; }
    // A replay records the local player as who plays here: a person or a CPU level.
    QString controllerWord() const override {
        return cpu ? cpu->controllerWord() : QStringLiteral("person");
    }
    bool isCpu() const { return cpu != nullptr; }

private:
    Lockstep &lockstep;
    QString name;
    PlayerController *cpu;
};

// The other side's player: the moves that came over the network, applied at their steps.
class RemoteController : public PlayerController {
public:
    // player: who plays there, as its hello said (empty for a person).
    RemoteController(Lockstep &lockstep, QString name, const std::string &player = {})
        : lockstep(lockstep), name(std::move(name)), player(QString::fromStdString(player)) {}
    bool takesKeys() const override { return false; }
    bool needsSteps() const override { return true; }
    void step(Game &game, int player) override;
    QString playerName() const override { return name; }
    // "network", or "network:LEVEL" for a CPU level on the other machine.
    QString controllerWord() const override {
        return player.isEmpty() ? QStringLiteral("network") : QStringLiteral("network:") + player;
    }

private:
    Lockstep &lockstep;
    QString name, player;
};

// A seat that only holds a name: what a game played again from its inputs sits in.
class NamedSeat : public PlayerController {
public:
    explicit NamedSeat(QString name) : name(std::move(name)) {}
    bool takesKeys() const override { return false; }
    bool needsSteps() const override { return true; }
    QString playerName() const override { return name; }

private:
    QString name;
};
