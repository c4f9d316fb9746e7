#include "clock/GameClock.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <vector>

namespace {

// Records "name@ms" for every firing.
struct Log {
    QStringList events;
    void attach(GameClock &clock, ClockTimer &timer, const QString &name) {
        timer.handler = [this, &clock, name] {
            events << QStringLiteral("%1@%2").arg(name).arg(clock.now());
        };
    }
};

// Guards the contract's tie rule: timers due together fire in the order they were added.
TEST(GameClock, TimersDueTogetherFireInTheOrderTheyWereAdded) {
    GameClock clock;
    Log log;
    ClockTimer &slow = clock.addTimer(50);
    ClockTimer &fast = clock.addTimer(25);
    log.attach(clock, slow, "slow");
    log.attach(clock, fast, "fast");
    fast.setEnabled(true);
    slow.setEnabled(true);
    clock.run(100);
    EXPECT_EQ(log.events.join(' '), "fast@25 slow@50 fast@50 fast@75 slow@100 fast@100");
    EXPECT_EQ(clock.now(), 100);
}

// Guards the restart rules the engine relies on for its stop-then-restart tick.
TEST(GameClock, EnablingStartsAFullIntervalAndRetuningRestartsIt) {
    GameClock clock;
    Log log;
    ClockTimer &timer = clock.addTimer(500);
    log.attach(clock, timer, "t");
    clock.run(300);
    timer.setEnabled(true);
    clock.run(400);
    timer.setEnabled(true); // already running: no new interval
    clock.run(150);
    timer.setInterval(450);
    clock.run(500);
    EXPECT_EQ(log.events.join(' '), "t@800 t@1300");
}

// Guards handlers that stop their own timer or start another one while running.
TEST(GameClock, HandlersMayStopAndStartTimers) {
    GameClock clock;
    Log log;
    ClockTimer &first = clock.addTimer(100);
    ClockTimer &second = clock.addTimer(30);
    log.attach(clock, second, "second");
    first.handler = [&] {
        log.events << QStringLiteral("first@%1").arg(clock.now());
        first.setEnabled(false);
        second.setEnabled(true);
    };
    first.setEnabled(true);
    clock.run(170);
    EXPECT_EQ(log.events.join(' '), "first@100 second@130 second@160");
}

// Guards "settle" and the engine's waits: stop right after the event that ends the wait.
TEST(GameClock, RunUntilStopsAtTheDecisiveEventOrGivesUpAtTheLimit) {
    GameClock clock;
    int count = 0;
    ClockTimer &timer = clock.addTimer(25);
    timer.handler = [&] { ++count; };
    timer.setEnabled(true);
    EXPECT_TRUE(clock.runUntil([&] { return count == 3; }, 1000));
    EXPECT_EQ(clock.now(), 75);
    timer.setEnabled(false);
    EXPECT_FALSE(clock.runUntil([&] { return count == 4; }, 60000));
    EXPECT_EQ(clock.now(), 60075);
}

// Inputs scheduled on the clock: at one moment the timers due fire first, then the
// events, so a replayed input lands exactly where the live one did.
TEST(GameClock, EventsFireAfterTheTimersDueAtTheSameMoment) {
    struct Schedule : ClockEvents {
        std::vector<std::int64_t> at;
        QStringList *log = nullptr;
        std::int64_t nextAt() const override { return at.empty() ? Never : at.front(); }
        void fire(std::int64_t now) override {
            *log << QStringLiteral("input@%1").arg(now);
            at.erase(at.begin());
        }
    };
    GameClock clock;
    Log log;
    Schedule inputs;
    inputs.log = &log.events;
    inputs.at = {0, 50, 60};
    ClockTimer &timer = clock.addTimer(50);
    log.attach(clock, timer, "t");
    timer.setEnabled(true);
    clock.setEvents(&inputs);
    EXPECT_EQ(clock.nextDue(), 0);
    clock.run(100);
    EXPECT_EQ(log.events.join(' '), "input@0 t@50 input@50 input@60 t@100");
}

// Guards copies of a game: a copied clock fires what the original would, at the same times.
TEST(GameClock, ACopiedStateFiresLikeTheOriginal) {
    GameClock a, b;
    Log logA, logB;
    for (int ms : {30, 70}) {
        logA.attach(a, a.addTimer(ms), QString::number(ms));
        logB.attach(b, b.addTimer(ms), QString::number(ms));
    }
    a.timer(0).setEnabled(true);
    a.run(40);
    a.timer(1).setEnabled(true);
    a.run(5);
    b.copyStateFrom(a);
    logA.events.clear();
    a.run(100);
    b.run(100);
    EXPECT_EQ(logB.events, logA.events);
    EXPECT_EQ(b.now(), a.now());
}

// Guards the engine's stop-then-restart ticks: enabling a running timer again and again,
// more often than it fires, must not starve it; stopping it stops it.
TEST(GameClock, EnablingARunningTimerAgainDoesNotPostponeIt) {
    GameClock clock;
    Log log;
    ClockTimer &timer = clock.addTimer(50);
    log.attach(clock, timer, "t");
    timer.setEnabled(true);
    for (int i = 0; i < 12; ++i) {
        timer.setEnabled(true);
        clock.run(10);
    }
    EXPECT_EQ(log.events.join(' '), "t@50 t@100");
    timer.setEnabled(false);
    clock.run(200);
    EXPECT_EQ(log.events.size(), 2);
}

} // namespace
