#pragma once

#include "engine/Game.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

// Paces the game clock in real time for the window. One precise single-shot timer wakes
// it when the next game timer is due; inputs (keys, menu commands) are queued and
// applied between clock steps, at the clock's present moment, so the game plays
// exactly as the same inputs at the same clock times play headless.
class ClockDriver : public QObject {
    Q_OBJECT
public:
    explicit ClockDriver(Game &game, QObject *parent = nullptr);

    // Applies the input now when no game step is running, else after it.
    void post(const Input &input);
    // The host's wait inside a game step: the clock runs in real time (painting goes
    // on) and stops at the event that satisfies done, as it does headless.
    void waitUntil(const std::function<bool()> &done);
    // While held (a network game paces the clock itself) the driver neither runs the
    // clock nor applies inputs; on release it takes up real time from the clock's moment.
    void hold(bool on);
    bool isHeld() const { return held; }
    // Called when inputs were applied and the screen changed, for latency figures.
    std::function<void()> OnApplied;
    // Called after every step of the clock, inputs or not (the replay writes them).
    std::function<void()> OnStepped;
    // The game's clock was set to another moment: real time goes on from there.
    void resync();

private:
    // Catches the clock up with real time, applies queued inputs, sleeps again.
    void step();
    void schedule();
    std::int64_t wallNow() const;

    Game &game;
    QElapsedTimer wall;
    std::int64_t wallOffset = 0;
    QTimer wake;
    std::deque<Input> pending;
    int depth = 0;
    bool held = false;
};
