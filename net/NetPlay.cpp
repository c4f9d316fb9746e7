#include "net/NetSession.h"

#include "engine/Game.h"
#include "net/Seats.h"

namespace {

constexpr std::uint32_t HashEverySteps = 1000 / StepMs;
constexpr std::size_t MaxHashesHeld = 64;
// Real time: a packet every step; as fast as possible: often, but within the rate bound.
constexpr int SendIntervalMs = StepMs, FastSendIntervalMs = 4;
// Behind by more than this, the game does not rush to catch up but goes on from now.
constexpr int MaxCatchUpSteps = 4;

} // namespace

std::uint64_t NetStateHash(const Game &game) {
    std::unique_ptr<Game> copy = game.headlessCopy();
    copy->Sonido = true;
    for (int n = 1; n <= 2; ++n) {
        // Status texts are in each side's language; their number and kind are shared.
        TColaMsg &messages = copy->player(n).Messages;
        std::vector<bool> appended;
        for (int i = 0; i < messages.Count(); ++i) {
            const QString &text = messages.At(i);
            appended.push_back(!text.isEmpty() && text.back() == QChar(0));
        }
        messages.Clear();
        for (bool a : appended)
            messages.Push(a ? QString(QChar(0)) : QString());
    }
    return copy->stateHash();
}

// Both machines start the game alike: clock at 0, the host's seed, the two seats.
void NetSession::begin(const wire::Start &start, std::int64_t startAt) {
    stopGame();
    gameNumber = start.game;
    steps.reset(start.game, start.delay);
    options.limitSteps = start.limit;
    ownFinal = remoteFinal = agreed = false;
    ownHashes.clear();
    remoteHashes.clear();
    stallSince = -1;
    endStep = 0;

    const QString hostName = role == Role::Host ? options.name : otherName;
    const QString joinName = role == Role::Host ? otherName : options.name;
    if (role == Role::Host) {
        game.setController(1, std::make_unique<LocalSeat>(steps, hostName, cpuPlayer.get()));
        game.setController(2, std::make_unique<RemoteController>(steps, joinName, otherPlayer));
    } else {
        game.setController(1, std::make_unique<RemoteController>(steps, hostName, otherPlayer));
        game.setController(2, std::make_unique<LocalSeat>(steps, joinName, cpuPlayer.get()));
    }
    inStep = true;
    if (game.TipoJuego != GameMode::OneToOne) {
        // The menu shows the mode; its game is not ours, nor recorded.
        IInputObserver *observer = game.observer();
        game.setInputObserver(nullptr);
        game.mnTipoJuegoClick(GameMode::OneToOne);
        stopGame();
        game.setInputObserver(observer);
    }
    game.clock().copyStateFrom(blank->clock());
    game.random().seed(start.seed);
    if (gameStarted)
        gameStarted(gameNumber);
    game.mnNuevoJuegoClick();
    inStep = false;
    current = State::Playing;
    nextStepAt = startAt;
}

void NetSession::playSteps() {
    const std::int64_t now = nowMs();
    int budget = options.realTime ? MaxCatchUpSteps + 1 : 200;
    while (budget-- > 0 && current == State::Playing) {
        if (options.realTime && now < nextStepAt)
            break;
        if (!steps.canPlay()) {
            if (stallSince < 0)
                stallSince = now;
            break;
        }
        if (stallSince >= 0) {
            if (now - stallSince >= StepMs) {
                ++stallCount;
                stalledTotal += now - stallSince;
            }
            stallSince = -1;
        }
        playOneStep();
        nextStepAt += StepMs;
        if (now - nextStepAt > MaxCatchUpSteps * StepMs)
            nextStepAt = now;
    }
}

// One step of game time; the pauses due at its end follow, the host's first.
void NetSession::playOneStep() {
    const std::uint32_t n = steps.played() + 1;
    inStep = true;
    game.clock().run(StepMs);
    const int mine = steps.localPausesAt(n), theirs = steps.remotePausesAt(n);
    const int first = role == Role::Host ? mine : theirs;
    const int second = role == Role::Host ? theirs : mine;
    for (int i = 0; i < first + second; ++i)
        game.input(Input::command(InputKind::Pause));
    steps.stepPlayed();
    if (options.limitSteps > 0 && n >= options.limitSteps && game.Jugando)
        game.EndGame(false, nullptr);
    inStep = false;
    if (finished())
        return;
    const bool over = !game.Jugando;
    if (over || n % HashEverySteps == 0) {
        const std::uint64_t h = NetStateHash(game);
        send(wire::Hash{steps.game(), n, h, over});
        recordHash(n, h, over, true);
    }
    if (over && current == State::Playing) {
        current = State::Ended;
        endStep = n;
        finalHash = ownHashes.count(n) ? ownHashes[n] : NetStateHash(game);
        ownFinal = true;
        compareHashes();
    }
}

void NetSession::recordHash(std::uint32_t step, std::uint64_t hash, bool final, bool own) {
    if (!own) {
        if (remoteHashes.size() >= MaxHashesHeld || step > steps.played() + Lockstep::MaxAhead ||
            (final && remoteFinal)) {
            ++link->drops().outOfRange;
            return;
        }
        if (final) {
            remoteFinal = true;
            remoteFinalStep = step;
        }
    }
    (own ? ownHashes : remoteHashes)[step] = hash;
    compareHashes();
}

void NetSession::compareHashes() {
    while (!ownHashes.empty() && !remoteHashes.empty()) {
        auto own = ownHashes.begin();
        auto remote = remoteHashes.begin();
        if (own->first < remote->first) {
            ownHashes.erase(own);
            continue;
        }
        if (remote->first < own->first) {
            if (remote->first <= steps.played()) {
                remoteHashes.erase(remote); // a step ours did not hash: nothing to hold
                continue;
            }
            break;
        }
        if (own->second != remote->second) {
            const std::uint32_t at = own->first;
            disagree({at, own->second, remote->second});
            send(wire::Leave{wire::LeaveReason::Disagree});
            fail(Failure::Disagree,
                 QStringLiteral("the two sides' game states differ at step %1; the game is "
                                "stopped")
                     .arg(at));
            return;
        }
        ownHashes.erase(own);
        remoteHashes.erase(remote);
    }
    if (current == State::Ended && !agreed && ownFinal && remoteFinal &&
        remoteFinalStep == endStep && remoteHashes.empty())
        finishGame();
}

void NetSession::disagree(const ReplayMismatch &mismatch) {
    if (disagreed && !finished())
        disagreed(mismatch);
}

void NetSession::finishGame() {
    agreed = true;
    if (gameEnded)
        gameEnded(gameNumber, endStep, finalHash);
    if (finished() || role != Role::Host)
        return;
    if (gameNumber < options.games) {
        hostNextGame();
    } else {
        send(wire::Leave{wire::LeaveReason::Done});
        link->disconnect();
        current = State::Closing;
        closingSince = nowMs();
    }
}

void NetSession::sendInputs() {
    const std::int64_t now = nowMs();
    const int interval = options.realTime ? SendIntervalMs : FastSendIntervalMs;
    if (now - lastSent < interval)
        return;
    lastSent = now;
    send(steps.outgoing());
}

void NetSession::localMove(Move move) {
    if (current == State::Playing && game.Jugando && !game.Pausado)
        steps.addLocal(move);
}

void NetSession::requestPause() {
    if (current != State::Playing || !game.Jugando)
        return;
    const std::uint32_t step = steps.addLocalPause();
    send(wire::Pause{steps.game(), step});
}
