#include "engine/Game.h"
#include "engine/InputLog.h"

namespace {
const char *const moveNames[MoveCount] = {"left", "right", "rotate", "down", "throw"};
} // namespace

const char *MoveName(Move move) {
    return moveNames[int(move)];
}

bool ParseMove(const QString &word, Move &move) {
    for (int i = 0; i < MoveCount; ++i) {
        if (word == QLatin1String(moveNames[i])) {
            move = Move(i);
            return true;
        }
    }
    return false;
}

void Game::input(const Input &in) {
    if (inputObserver)
        inputObserver->inputApplied(gameClock.now(), in);
    struct Depth {
        int &d;
        explicit Depth(int &d) : d(++d) {}
        ~Depth() { --d; }
    } depth(inputDepth);
    switch (in.kind) {
    case InputKind::Key:
        FormKeyDown(in.code);
        break;
    case InputKind::MoveOf:
        if ((in.player == 1 || in.player == 2) && in.code >= 0 && in.code < MoveCount)
            applyMove(in.player, Move(in.code));
        break;
    case InputKind::NewGame:
        mnNuevoJuegoClick();
        break;
    case InputKind::Pause:
        if (pauseEnabled)
            mnPausaClick();
        break;
    case InputKind::SelectMode:
        if (in.code >= 0 && in.code <= int(GameMode::OneToOne))
            mnTipoJuegoClick(GameMode(in.code));
        break;
    case InputKind::PauseIfRunning:
        PauseIfRunning();
        break;
    case InputKind::Sound:
        Sonido = in.code != 0;
        break;
    case InputKind::Help:
        mnAyudaClick();
        break;
    case InputKind::KeysDialog:
        mnTeclasClick();
        break;
    }
}

void Game::applyMove(int number, Move move) {
    TInfo &p = player(number);
    if (!p.Falling || Pausado)
        return;
    if (!p.ApplyPairMove(move))
        Throw(p);
}

PlayerController &Game::controller(int number) {
    auto &slot = controllers[number == 2 ? 1 : 0];
    if (!slot)
        slot = std::make_unique<KeyboardController>();
    return *slot;
}

void Game::setController(int number, std::unique_ptr<PlayerController> c) {
    controllers[number == 2 ? 1 : 0] = std::move(c);
    updateControlTimer();
}

// The controllers' timer runs only while a game runs unpaused and a controller wants
// its steps, so keyboard-only games fire exactly the timers they always did.
void Game::updateControlTimer() {
    const bool wanted = controller(1).needsSteps() || controller(2).needsSteps();
    setTimer(TimerControl, wanted && Jugando && !Pausado);
}

int Game::ask(const QString &text, const QString &caption, bool withCancel) {
    const int button = hostPtr->MostrarMensaje(text, caption, withCancel);
    if (withCancel)
        answered({AnswerKind::Question, button, {}, {}, {}});
    return button;
}

void Game::answered(const Answer &answer) {
    if (inputObserver)
        inputObserver->answered(gameClock.now(), answer);
}

void InputSchedule::fire(std::int64_t now) {
    while (next < inputs.size() && inputs[next].time <= now)
        game.input(inputs[next++].input);
}
