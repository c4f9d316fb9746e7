#pragma once

#include "clock/Timer.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

class GameClock;

// A timer on the game clock. Enabling a stopped timer or changing the interval of a
// running one starts a full interval from the clock's present moment.
class ClockTimer : public ITimer {
public:
    ClockTimer(const GameClock &clock, int interval) : clock(&clock), ms(interval) {}

    void setInterval(int interval) override;
    int interval() const override { return ms; }
    void setEnabled(bool on) override;
    bool isEnabled() const override { return enabled; }
    void setTag(int value) override { number = value; }
    int tag() const override { return number; }

    std::int64_t due() const { return dueAt; }
    // Makes a running timer next fire at the given moment, its interval unchanged.
    void scheduleAt(std::int64_t when) { dueAt = when; }
    // The clock calls this when the timer is due: the next interval starts now, then
    // the handler runs (and may stop, restart or retune the timer).
    void fire();
    std::function<void()> handler;

    // Everything but the handler, for copying a game's state.
    void copyStateFrom(const ClockTimer &other);

private:
    const GameClock *clock;
    int ms;
    int number = 0;
    bool enabled = false;
    std::int64_t dueAt = 0;
};

// Work due at given moments besides the timers, such as the inputs of a replay. At one
// moment the timers due fire first, then the events.
class ClockEvents {
public:
    static constexpr std::int64_t Never = std::numeric_limits<std::int64_t>::max();
    virtual ~ClockEvents() = default;
    // The moment of the next event, or Never.
    virtual std::int64_t nextAt() const = 0;
    // Runs the events due at the clock's present moment.
    virtual void fire(std::int64_t now) = 0;
};

// The one owner of game time: milliseconds since the game's clock started, and the
// timers that run on it. Timers due at the same moment fire in the order they were
// added, so a run never depends on how fast the machine is or how time is paced.
class GameClock {
public:
    GameClock() = default;
    GameClock(const GameClock &) = delete;
    GameClock &operator=(const GameClock &) = delete;

    ClockTimer &addTimer(int interval);
    ClockTimer &timer(int index) { return *timers[size_t(index)]; }
    const ClockTimer &timer(int index) const { return *timers[size_t(index)]; }
    int timerCount() const { return int(timers.size()); }
    std::int64_t now() const { return current; }

    // Advances ms milliseconds, firing every enabled timer when it is due.
    void run(std::int64_t ms);
    // Fires timers in time order until done() holds, for at most limitMs; returns done().
    bool runUntil(const std::function<bool()> &done, std::int64_t limitMs);
    // The moment the next enabled timer or event is due, or ClockEvents::Never.
    std::int64_t nextDue() const;

    void setEvents(ClockEvents *source) { events = source; }
    ClockEvents *eventSource() const { return events; }
    // Moves the present moment to time without firing anything; running timers keep
    // the time left to them.
    void startAt(std::int64_t time);

    // The present moment and every timer's state (not handlers), from a clock with
    // the same timers.
    void copyStateFrom(const GameClock &other);

private:
    ClockTimer *nextTimer(std::int64_t limit) const;
    // Fires the next timer or event due by limit; false when nothing is due.
    bool step(std::int64_t limit);

    std::int64_t current = 0;
    std::vector<std::unique_ptr<ClockTimer>> timers;
    ClockEvents *events = nullptr;
};
