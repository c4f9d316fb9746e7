#pragma once

#include "engine/Game.h"
#include "engine/InputLog.h"
#include "engine/ReplayPlayer.h"
#include "engine/ReplayRecorder.h"
#include "harness/Harness.h"
#include "tools/cobaltix-sim/BoardText.h"
#include "tools/cobaltix-sim/SimHost.h"
#include "tools/cobaltix-sim/Transcript.h"
#include "tools/script/ScriptReader.h"

#include <QHash>

#include <array>
#include <memory>
#include <optional>

// Runs the real game from a script on the game clock and prints what happens.
class Simulator {
public:
    Simulator();
    ~Simulator();

    // Runs the whole script; throws ScriptError at the first line that cannot run.
    void run(ScriptReader &script);
    Transcript &transcript() { return out; }

private:
    using Command = void (Simulator::*)(const ScriptLine &);

    void buildGame();
    void registerCommands();
    void applyStages();

    // Set-up commands.
    void cmdMode(const ScriptLine &line);
    void cmdStages(const ScriptLine &line);
    void cmdStage(const ScriptLine &line);
    void cmdSeed(const ScriptLine &line);
    void cmdDeal(const ScriptLine &line);
    void cmdAnswer(const ScriptLine &line);
    void cmdNames(const ScriptLine &line);
    void cmdRecord(const ScriptLine &line);
    void cmdKeys(const ScriptLine &line);
    void cmdSound(const ScriptLine &line);
    void cmdArt(const ScriptLine &line);
    void cmdBoard(const ScriptLine &line);
    void cmdSet(const ScriptLine &line);
    void cmdMixerFails(const ScriptLine &line);
    void cmdMixerWorks(const ScriptLine &line);
    // Play commands.
    void cmdNew(const ScriptLine &line);
    void cmdKey(const ScriptLine &line);
    void cmdMove(const ScriptLine &line);
    void cmdCpu(const ScriptLine &line);
    void cmdPause(const ScriptLine &line);
    void cmdModeSelect(const ScriptLine &line);
    void cmdRun(const ScriptLine &line);
    void cmdSettle(const ScriptLine &line);
    void cmdTick(const ScriptLine &line);
    void cmdFrame(const ScriptLine &line);
    void cmdStatus(const ScriptLine &line);
    void cmdReplay(const ScriptLine &line);
    // Output commands.
    void cmdShow(const ScriptLine &line);
    void cmdEcho(const ScriptLine &line);

    // Replays: the next game recorded into a path, a recording played.
    void recordInto(const QString &path);
    void replayFile(const QString &path, std::optional<std::int64_t> ms);
    void observeGame();
    void printReplayEnd(const Replay &replay);
    void afterLine();

    void showGame();
    void showPlayer(int number);
    QStringList wellLines(const TInfo &p) const;

    // Argument checks; each throws ScriptError with the line's number.
    static void expectWords(const ScriptLine &line, int count, const char *usage);
    static int number(const ScriptLine &line, int index, int min, int max, const char *what);
    static int player(const ScriptLine &line, int index, bool allowZero = false);
    static GameMode modeWord(const ScriptLine &line, int index);
    bool onOff(const ScriptLine &line, const char *first, const char *second);

    // Prints the moves of CPU players as the game applies them: "move P MOVE at MS".
    class CpuMoves : public IInputObserver {
    public:
        explicit CpuMoves(Simulator &sim) : sim(sim) {}
        void inputApplied(std::int64_t time, const Input &input) override;
        std::array<bool, 2> cpu{};

    private:
        Simulator &sim;
    };

    Transcript out;
    CpuMoves cpuMoves{*this};
    // The CPU moves printed, then the recording of the game.
    InputObserverPair observers;
    HeadlessViews views;
    SimHost host;
    std::unique_ptr<Game> game;
    ScriptReader *reader = nullptr;
    QHash<QString, Command> commands;

    // The built-in stage used for every stage until "stages" loads a file.
    struct BuiltInStage {
        int limit = 4, target = 30;
        bool randomRocks = false, rockLines = false;
        BoardText::Well board{};
    } builtIn;
    bool stagesFromFile = false;
    std::uint32_t seedValue = 1; // the last "seed", which also seeds CPU players
    TFaseTable fileStages{};

    // Records the next game into one path, then no more.
    class OnePathStore : public IReplayStore {
    public:
        explicit OnePathStore(SimHost &host) : host(host) {}
        std::unique_ptr<IReplaySink> begin(const ReplaySetup &setup) override;
        void failed() override;
        QString path;

    private:
        SimHost &host;
    };
    OnePathStore store{host};
    std::unique_ptr<ReplayRecorder> recorder;
};
