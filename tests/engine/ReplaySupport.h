#pragma once

#include "engine/Game.h"
#include "engine/ReplayPlayer.h"
#include "engine/ReplayRecorder.h"
#include "harness/Harness.h"

#include <QByteArray>

#include <deque>
#include <memory>
#include <random>
#include <vector>

// Recordings kept in memory, one per game; can be told to fail writing.
class MemoryStore : public IReplayStore {
public:
    struct File {
        QByteArray bytes;
        bool finished = false;
    };
    std::unique_ptr<IReplaySink> begin(const ReplaySetup &setup) override;
    void failed() override { ++failures; }

    std::vector<File> files;
    int failures = 0;
    // Writing fails once a file would grow beyond this many bytes.
    qsizetype capacity = -1;
};

// Answers every dialog as a person would, differently each time, so a replay that
// took the wrong answer shows.
class AnsweringHost : public IGameHost {
public:
    int MostrarMensaje(const QString &, const QString &, bool withCancel) override;
    void PedirNombres(QString &name1, QString &name2) override;
    void NuevoRecordFases(int points, int stage, QString &name) override;
    bool PedirTeclas(std::array<std::uint16_t, 10> &keys,
                     const std::array<bool, 256> &reserved) override;

    std::deque<int> questions;  // OK when empty
    std::deque<bool> keysTaken; // cancelled when empty
    int asked = 0, named = 0, recorded = 0;
};

// A headless game with views, recorded into a memory store.
struct RecordedGame {
    explicit RecordedGame(GameMode mode, std::uint32_t seed = 5, int limit = 4, int target = 12);
    // Random play of both players for ms of game time: keys, moves, pauses.
    void play(std::uint32_t seed, std::int64_t ms);
    Replay replay(size_t file = 0) const;

    HeadlessViews views;
    AnsweringHost host;
    Game game;
    MemoryStore store;
    ReplayRecorder recorder;
};

// A replay played into a game with views, as the window plays one.
struct ShownReplay {
    explicit ShownReplay(const Replay &replay);
    Replay data;
    HeadlessViews views;
    ReplayHost host;
    Game game;
    ReplayPlayback playback;
};
