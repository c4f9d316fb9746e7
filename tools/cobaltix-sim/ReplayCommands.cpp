#include "tools/cobaltix-sim/Simulator.h"

#include "core/Texts.h"
#include "services/ReplayFiles.h"

#include <QDir>

std::unique_ptr<IReplaySink> Simulator::OnePathStore::begin(const ReplaySetup &) {
    if (path.isEmpty())
        return nullptr;
    const QString into = std::exchange(path, QString());
    auto sink = std::make_unique<ReplayFileSink>(into, into);
    QString why;
    if (sink->open(why))
        return sink;
    host.showError(GetTextFmt(16224, {QDir::toNativeSeparators(into), why}), GetText(1002));
    return nullptr;
}

void Simulator::OnePathStore::failed() {
    host.showError(GetTextFmt(16224, {QString(), QStringLiteral("write failed")}), GetText(1002));
}

void Simulator::recordInto(const QString &path) {
    store.path = path;
    observeGame();
}

// The recorder watches whichever game the simulator runs now.
void Simulator::observeGame() {
    if (!recorder || &recorder->observed() != game.get()) {
        recorder = std::make_unique<ReplayRecorder>(*game, store);
        observers.second = recorder.get();
    }
}

// What a line played reaches the file before the next line runs.
void Simulator::afterLine() {
    if (recorder)
        recorder->flush();
}

void Simulator::cmdReplay(const ScriptLine &line) {
    if (line.words.size() != 2 && line.words.size() != 3)
        throw ScriptError(line.number, QStringLiteral("usage: replay PATH [MS]"));
    std::optional<std::int64_t> ms;
    if (line.words.size() == 3)
        ms = number(line, 2, 0, 1000000000, "the time in ms");
    replayFile(line.words[1], ms);
}

// A file that is no replay is reported and nothing else happens; otherwise the game
// recorded in it replaces the simulator's game and plays on the clock, and then the
// script goes on with it.
void Simulator::replayFile(const QString &path, std::optional<std::int64_t> ms) {
    Replay replay;
    QString message;
    if (!ReadReplayFile(path, replay, message)) {
        host.showError(message, GetText(1002));
        return;
    }
    TPictures pictures = game->pictures();
    if (recorder && &recorder->observed() == game.get()) {
        observers.second = nullptr;
        recorder.reset();
    }
    game.reset();
    buildGame();
    game->pictures() = pictures;
    applyStages();
    if (!store.path.isEmpty())
        observeGame();

    host.replayAnswers = ReplayAnswers(replay.answers);
    // The recorded CPU players' moves print as the CPU's own did.
    for (size_t n = 0; n < 2; ++n)
        cpuMoves.cpu[n] = !replay.setup.players[n].controller.playerName.isEmpty();
    {
        ReplayPlayback playback(*game, replay);
        playback.start();
        playback.runTo(ms ? playback.startTime() + *ms : playback.endTime());
        if (game->clock().now() >= replay.endTime())
            printReplayEnd(replay);
    }
    host.replayAnswers.reset();
}

// How the recorded game came out, and whether the replay ended in its recorded state.
void Simulator::printReplayEnd(const Replay &replay) {
    static const char *const how[] = {"stopped", "lost", "completed"};
    QString line = QStringLiteral("replay-end time %1 result ").arg(replay.endTime());
    if (replay.result) {
        line += QLatin1String(how[int(replay.result->how)]);
        if (replay.result->loser)
            line += QStringLiteral(" loser %1").arg(replay.result->loser);
    } else {
        line += QStringLiteral("unfinished");
    }
    line += QStringLiteral(" points %1 %2 stage %3")
                .arg(game->player(1).Points)
                .arg(game->player(2).Points)
                .arg(game->FaseActual);
    if (replay.result)
        line += game->stateHash() == replay.result->stateHash ? QStringLiteral(" same yes")
                                                              : QStringLiteral(" same no");
    out.line(line);
    // A network game stopped because its two machines disagreed: where, and on what.
    if (replay.result && replay.result->mismatch) {
        const ReplayMismatch &m = *replay.result->mismatch;
        out.line(QStringLiteral("replay-mismatch step %1 hashes %2 %3")
                     .arg(m.step)
                     .arg(m.ownHash, 16, 16, QLatin1Char('0'))
                     .arg(m.otherHash, 16, 16, QLatin1Char('0')));
    }
}
