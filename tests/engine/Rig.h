#pragma once

#include "engine/Game.h"
#include "harness/Harness.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A rig that wires a game to the headless views and a recording host; the game's own
// clock fires its timers (at one moment in the order Timer1, Timer2, TimerDibujar1,
// TimerDibujar2, TimerStatus).

class Rig;

class FakeHost : public IGameHost {
public:
    explicit FakeHost(Rig &rig) : rig(rig) {}
    int MostrarMensaje(const QString &text, const QString &caption, bool withCancel) override;
    void PedirNombres(QString &name1, QString &name2) override;
    void NuevoRecordFases(int points, int stage, QString &name) override;
    void NuevoRecordVs(int points, bool won, const QString &name) override;
    void showFinal() override { log.push_back("final"); }
    void showHighScores() override { log.push_back("highscores"); }
    void gameOverShown(int player) override { log.push_back("gameover " + std::to_string(player)); }
    void showError(const QString &text, const QString &caption) override {
        log.push_back("error " + text.toStdString() + " title " + caption.toStdString());
    }
    void playSound(TSonido wave, int channel) override {
        if (failSound)
            throw std::runtime_error("Failed to write block to device");
        log.push_back(std::string("sound ") + SoundName(wave) + " channel " +
                      std::to_string(channel));
    }
    void setMixerActive(bool on) override {
        if (failMixer)
            throw std::runtime_error("Failed to open waveform output device #4");
        log.push_back(on ? "mixer on" : "mixer off");
    }
    void waitUntil(const std::function<bool()> &done, GameClock &clock) override;

    // Lines of the log that start with prefix.
    std::vector<std::string> matching(const std::string &prefix) const;

    Rig &rig;
    std::vector<std::string> log;
    std::deque<int> answers; // answers to questions; OK when empty
    bool failSound = false, failMixer = false;
    // Runs once when the game next waits, as a key pressed during the wait would.
    std::function<void()> duringWait;
    QString names[2] = {QStringLiteral("Ann"), QStringLiteral("Bob")};
};

class Rig {
public:
    explicit Rig(std::uint32_t seed = 1, bool pictures = true);

    TInfo &p(int n) { return game->player(n); }
    TRandom &random() { return game->random(); }
    // Advance the clock, firing every due timer in order.
    void run(long long ms);
    // Run the clock until done() holds (at most limit ms); returns done().
    bool runUntil(const std::function<bool()> &done, long long limit = 600000);
    // Play both drawing queues out.
    void settle();

    // Board from 16 rows of 7 characters: . empty, R G B Y M gems, J joker, X rock.
    void setBoard(int n, const std::vector<std::string> &rows);
    std::vector<std::string> boardRows(int n);
    // Put a falling pair on the board (not written into it).
    void placePair(int n, int c1, int r1, int colour1, int c2, int r2, int colour2);
    // A stage table where every stage has these values and an empty board.
    void setStages(int limit, int target, bool random, bool lines);

    long long now() const { return game->clock().now(); }
    HeadlessViews views{0};
    FakeHost host{*this};
    std::unique_ptr<Game> game;

    RecordingLabel &label(int n, int which);
    enum { Points, Eliminated, Status, Rocks, Level, Name };
    ClockTimer &tickTimer(int n) { return game->clock().timer(n - 1); }
    ClockTimer &drawTimer(int n) { return game->clock().timer(1 + n); }
    ClockTimer &statusTimer() { return game->clock().timer(4); }
    RecordingImage &well(int n) { return views.player(n).well; }
    RecordingImage &preview(int n) { return views.player(n).preview; }
    RecordingLabel &stageLabel() { return views.stage; }

private:
    int depth = 0;
};

int codeOf(char c);
// 16 board rows: the given ones at the bottom, empty rows above them.
std::vector<std::string> bottom(std::vector<std::string> rows);
char letterOf(int code);
// Board invariants: the ring holds -1, every column is packed, codes are 0..7.
std::string boardProblem(const TInfo &p);
int gemsOnBoard(const TInfo &p);
