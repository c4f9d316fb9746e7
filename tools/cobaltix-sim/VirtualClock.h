#pragma once

#include "engine/View.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// A timer on the virtual clock. Enabling a stopped timer or changing the interval of a
// running one starts a full interval from the clock's present moment.
class SimTimer : public ITimer {
public:
    SimTimer(const std::int64_t &clockNow, int interval) : now(clockNow), ms(interval) {}

    void setInterval(int interval) override;
    int interval() const override { return ms; }
    void setEnabled(bool on) override;
    bool isEnabled() const override { return enabled; }
    void setTag(int value) override { number = value; }
    int tag() const override { return number; }

    std::int64_t due() const { return dueAt; }
    // The clock calls this when the timer is due: the next interval starts now, then
    // the handler runs (and may stop, restart or retune the timer).
    void fire();
    std::function<void()> handler;

private:
    const std::int64_t &now;
    int ms;
    int number = 0;
    bool enabled = false;
    std::int64_t dueAt = 0;
};

// Milliseconds of virtual time and the timers that run on it. Timers due at the same
// moment fire in the order they were added.
class VirtualClock {
public:
    SimTimer &addTimer(int interval);
    std::int64_t now() const { return current; }

    // Advances ms milliseconds, firing every enabled timer when it is due.
    void run(std::int64_t ms);
    // Fires timers in time order until done() holds, for at most limitMs; returns done().
    bool runUntil(const std::function<bool()> &done, std::int64_t limitMs);

private:
    SimTimer *nextDue(std::int64_t limit) const;

    std::int64_t current = 0;
    std::vector<std::unique_ptr<SimTimer>> timers;
};
