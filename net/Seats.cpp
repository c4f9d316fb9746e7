#include "net/Seats.h"

#include "engine/Game.h"

namespace {

// Keeps the moves a CPU made on a copy of the game, for the local seat to stamp.
class MoveCatcher : public IInputObserver {
public:
    void inputApplied(std::int64_t, const Input &input) override {
        if (input.kind == InputKind::MoveOf && input.code >= 0 && input.code < MoveCount)
            moves.push_back(Move(input.code));
    }
    std::vector<Move> moves;
};

} // namespace

std::uint32_t StepOf(const Game &game) {
    return std::uint32_t(game.clock().now() / StepMs);
}

LocalSeat::LocalSeat(Lockstep &lockstep, QString name, PlayerController *cpu)
    : lockstep(lockstep), name(std::move(name)), cpu(cpu) {}

void LocalSeat::step(Game &game, int player) {
    for (Move move : lockstep.takeLocalDue(StepOf(game)))
        game.input(Input::move(player, move));
    if (!cpu || lockstep.localInFlight() || !game.Jugando || game.Pausado)
        return;
    std::unique_ptr<Game> copy = game.headlessCopy();
    MoveCatcher catcher;
    copy->setInputObserver(&catcher);
    cpu->step(*copy, player);
    for (Move move : catcher.moves)
        lockstep.addLocal(move);
}

void LocalSeat::reset() {
    if (cpu)
        cpu->reset();
}

void RemoteController::step(Game &game, int player) {
    for (Move move : lockstep.takeRemoteDue(StepOf(game)))
        game.input(Input::move(player, move));
}
