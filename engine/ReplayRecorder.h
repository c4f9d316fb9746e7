#pragma once

#include "engine/Input.h"
#include "engine/ReplayFormat.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Game;

// One recording being written: bytes are appended as the game goes and the last record
// completes it at once (a reader sees the unfinished file or the complete one).
class IReplaySink {
public:
    virtual ~IReplaySink() = default;
    // False when the bytes could not be written; the recording then stops.
    virtual bool append(const char *data, qsizetype size) = 0;
    virtual bool finish(const char *data, qsizetype size) = 0;
    // After finish: the last record written by finish is replaced (the result came to
    // be known better). False when it could not be.
    virtual bool amend(const char *data, qsizetype size) {
        (void)data, (void)size;
        return false;
    }
    // After finish: the recording is kept for good, beyond any rotation of old ones.
    // Returns where it is then; empty when it could not be kept.
    virtual QString keepForGood() { return {}; }
};

// Where recordings go.
class IReplayStore {
public:
    virtual ~IReplayStore() = default;
    // A game starts; null skips its recording (begin may report why itself).
    virtual std::unique_ptr<IReplaySink> begin(const ReplaySetup &setup) = 0;
    // A recording could not be written on; the game goes on without it.
    virtual void failed() {}
};

// Records every game the game plays as a replay: observes its inputs, answers, starts
// and ends. Entries gather in memory until flush() (call it after each batch of inputs)
// appends them to the file; in steady play nothing is allocated.
class ReplayRecorder : public IInputObserver {
public:
    ReplayRecorder(Game &game, IReplayStore &store);
    ~ReplayRecorder() override;

    void flush();
    bool recording() const { return sink != nullptr; }
    Game &observed() const { return game; }
    // Records the game from now on as the continuation of a replay: its set-up, its
    // first inputs and answers, then what is played from here (playing on from a
    // moment of it). The game must be in the state those entries lead to.
    void continueFrom(const Replay &replay, size_t inputs, size_t answers);
    // Two machines disagree on the game recorded: the game being recorded is about to
    // stop, or the one just finished ended in different states. Its result says so and
    // the recording is kept for good.
    void endsOnMismatch(const ReplayMismatch &mismatch);
    // Where the last recording was kept for good; empty when it was not.
    const QString &keptPath() const { return kept; }

    // The set-up of a game starting now.
    static ReplaySetup setupOf(Game &game);
    // When a recording starts, in ms since 1970 (the system clock unless set); the
    // date only, never the play.
    std::function<std::int64_t()> wallClock;

    void inputApplied(std::int64_t time, const Input &input) override;
    void answered(std::int64_t time, const Answer &answer) override;
    void gameStarted(std::int64_t time) override;
    void gameEnded(std::int64_t time, GameEnd how, int loser) override;

private:
    bool open(ReplaySetup setup);
    void write(const std::vector<std::uint8_t> &bytes);
    void fail();
    void keep();

    Game &game;
    IReplayStore &store;
    std::unique_ptr<IReplaySink> sink;
    // The last recording finished, and its result, while they may still be amended.
    std::unique_ptr<IReplaySink> finishedSink;
    ReplayResult lastResult;
    std::vector<std::uint8_t> batch;
    ReplayEntryWriter entries;
    std::uint32_t inputs = 0, answers = 0, answersBeforeLastInput = 0;
    std::optional<ReplayMismatch> mismatch;
    QString kept;
};
