#include "shell/ClockDriver.h"

#include <QEventLoop>

#include <algorithm>

ClockDriver::ClockDriver(Game &g, QObject *parent) : QObject(parent), game(g) {
    wall.start();
    wallOffset = game.clock().now();
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    connect(&wake, &QTimer::timeout, this, &ClockDriver::step);
}

std::int64_t ClockDriver::wallNow() const {
    return wall.elapsed() + wallOffset;
}

void ClockDriver::post(const Input &input) {
    if (held)
        return;
    pending.push_back(input);
    if (depth == 0)
        step();
}

void ClockDriver::hold(bool on) {
    held = on;
    if (on) {
        wake.stop();
        pending.clear();
        return;
    }
    wallOffset = game.clock().now() - wall.elapsed();
    schedule();
}

void ClockDriver::step() {
    if (depth > 0 || held)
        return;
    ++depth;
    GameClock &clock = game.clock();
    clock.run(std::max<std::int64_t>(wallNow() - clock.now(), 0));
    const bool applied = !pending.empty();
    while (!pending.empty()) {
        const Input input = pending.front();
        pending.pop_front();
        game.input(input);
    }
    --depth;
    if (OnStepped)
        OnStepped();
    if (applied && OnApplied)
        OnApplied();
    schedule();
}

void ClockDriver::resync() {
    wallOffset = game.clock().now() - wall.elapsed();
    schedule();
}

void ClockDriver::schedule() {
    const std::int64_t due = game.clock().nextDue();
    if (due == ClockEvents::Never) {
        wake.stop();
        return;
    }
    // The clock may have run ahead of real time in a wait; never sleep negatively.
    wake.start(int(std::clamp<std::int64_t>(due - wallNow(), 0, 1000)));
}

void ClockDriver::waitUntil(const std::function<bool()> &done) {
    ++depth;
    GameClock &clock = game.clock();
    const std::int64_t limit = clock.now() + IGameHost::WaitLimitMs;
    while (!done() && clock.now() < limit) {
        const std::int64_t due = std::min(clock.nextDue(), limit);
        const std::int64_t sleep = std::clamp<std::int64_t>(due - wallNow(), 0, 1000);
        if (sleep > 0) {
            QEventLoop loop;
            QTimer timer;
            timer.setSingleShot(true);
            timer.setTimerType(Qt::PreciseTimer);
            connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
            timer.start(int(sleep));
            loop.exec();
        }
        // The clock advances to real time at most, stopping at the decisive event.
        const std::int64_t target = std::min(std::max(wallNow(), due), limit);
        clock.runUntil(done, std::max<std::int64_t>(target - clock.now(), 0));
    }
    --depth;
}
