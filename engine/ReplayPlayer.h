#pragma once

#include "engine/Controller.h"
#include "engine/Game.h"
#include "engine/Host.h"
#include "engine/InputLog.h"
#include "engine/ReplayFormat.h"

#include <array>
#include <memory>
#include <vector>

// The recorded answers of a game's dialogs, handed out again in the order each kind
// was given.
class ReplayAnswers {
public:
    ReplayAnswers() = default;
    explicit ReplayAnswers(const std::vector<InputLog::AnswerEntry> &answers);
    // The next answer of this kind; false when the recording holds no more.
    bool take(AnswerKind kind, Answer &answer);
    // How far each kind was handed out, and how many answers that is in all.
    using Positions = std::array<size_t, 4>;
    const Positions &positions() const { return next; }
    void setPositions(const Positions &p) { next = p; }
    size_t used() const;

private:
    std::array<std::vector<Answer>, 4> byKind;
    Positions next{};
};

// A host for a replayed game: dialogs take the recorded answers and are never asked;
// no result reaches the high-score tables. Whatever is shown goes nowhere, unless a
// subclass shows it.
class ReplayHost : public IGameHost {
public:
    ReplayAnswers answers;

    int MostrarMensaje(const QString &text, const QString &caption, bool withCancel) override;
    void PedirNombres(QString &name1, QString &name2) override;
    void PedirNombre(int player, QString &name, const QString &rival) override;
    void NuevoRecordFases(int points, int stage, QString &name) override;
    bool PedirTeclas(std::array<std::uint16_t, 10> &keys,
                     const std::array<bool, 256> &reserved) override;
};

// A recorded player's controller: to the game it is what was recorded (keys or not,
// steps or not) but it makes no moves of its own; the recorded inputs make them.
class RecordedController : public PlayerController {
public:
    explicit RecordedController(const ReplayController &recorded) : recorded(recorded) {}
    bool takesKeys() const override { return recorded.takesKeys; }
    bool needsSteps() const override { return recorded.needsSteps; }
    QString controllerWord() const override { return recorded.word; }
    QString playerName() const override { return recorded.playerName; }

private:
    ReplayController recorded;
};

// Plays a replay into a game whose host answers from the replay (ReplayHost, or any
// host reading the same answers): the recorded set-up, the new game, then every input
// at its clock time. A game stopped by a new game is stopped at its end as well, so
// the end state is the recorded one.
class ReplayPlayback {
public:
    ReplayPlayback(Game &game, const Replay &replay);
    ~ReplayPlayback();

    // Puts the game in the recorded set-up and starts it, at the recorded start time.
    void start();
    // Runs the game clock to time (at most the end of a finished replay); at the end,
    // the recorded stop.
    void runTo(std::int64_t time);
    void runToEnd() { runTo(endTime()); }
    bool atEnd() const { return ended; }
    std::int64_t startTime() const { return replay.setup.startTime; }
    std::int64_t endTime() const { return replay.endTime(); }
    // How many recorded inputs the game has had.
    size_t inputsApplied() const { return schedule.position(); }
    // The game was given the state of this replay at another moment, after `inputs`
    // of its inputs: go on from there.
    void resumeAt(size_t inputs);
    // Unhooks the inputs from the clock (playing on from here).
    void detach();
    const Replay &recording() const { return replay; }

private:
    Game &game;
    const Replay &replay;
    InputSchedule schedule;
    bool ended = false;
};

// Puts a game in a recorded set-up: mode, stages, keys, sound, names, the generator,
// the clock's time, the recorded controllers. Nothing of a game is started.
void ApplyReplaySetup(Game &game, const ReplaySetup &setup);

// A replay played headless: its own host and game, for seeking and checks.
struct HeadlessReplay {
    explicit HeadlessReplay(const Replay &replay);
    ReplayHost host;
    std::unique_ptr<Game> game;
    ReplayPlayback playback;
};
