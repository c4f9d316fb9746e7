#pragma once

#include "engine/Game.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Recording fakes for the engine's seams, and a rig that wires a game to them on a
// virtual clock (timers due at one moment fire in the order Timer1, Timer2,
// TimerDibujar1, TimerDibujar2, TimerStatus).

class FakeLabel : public ILabel {
public:
    void setText(const QString &t) override { value = t; }
    QString text() const override { return value; }
    void repaint() override { ++repaints; }
    QString value;
    int repaints = 0;
};

class FakeImage : public IImageView {
public:
    explicit FakeImage(QSize size) : picture(size, QImage::Format_RGB32) { picture.fill(0); }
    QImage &image() override { return picture; }
    void repaint() override { ++repaints; }
    QImage picture;
    int repaints = 0;
};

class FakeTimer : public ITimer {
public:
    FakeTimer(long long &clock) : now(clock) {}
    void setInterval(int ms) override {
        ms_ = ms;
        if (on)
            due = now + ms_;
    }
    int interval() const override { return ms_; }
    void setEnabled(bool enable) override {
        if (enable && !on)
            due = now + ms_;
        on = enable;
    }
    bool isEnabled() const override { return on; }
    void setTag(int t) override { tag_ = t; }
    int tag() const override { return tag_; }

    long long &now;
    long long due = 0;
    int ms_ = 1000;
    bool on = false;
    int tag_ = 0;
};

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
    void waitUntil(const std::function<bool()> &done) override;

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

    long long now = 0;
    std::vector<std::unique_ptr<FakeLabel>> labels;
    std::vector<std::unique_ptr<FakeImage>> images;
    std::vector<std::unique_ptr<FakeTimer>> timers; // Timer1, Timer2, Dib1, Dib2, Status
    FakeLabel stageLabel;
    FakeHost host{*this};
    std::unique_ptr<Game> game;

    FakeLabel &label(int n, int which) { return *labels[size_t(6 * (n - 1) + which)]; }
    enum { Points, Eliminated, Status, Rocks, Level, Name };
    FakeTimer &tickTimer(int n) { return *timers[size_t(n - 1)]; }
    FakeTimer &drawTimer(int n) { return *timers[size_t(1 + n)]; }
    FakeTimer &statusTimer() { return *timers[4]; }
    FakeImage &well(int n) { return *images[size_t(2 * (n - 1))]; }
    FakeImage &preview(int n) { return *images[size_t(2 * (n - 1) + 1)]; }

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
