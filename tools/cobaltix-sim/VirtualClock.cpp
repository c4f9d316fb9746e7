#include "tools/cobaltix-sim/VirtualClock.h"

#include <algorithm>

namespace {
// A zero interval would fire forever without time passing.
int sane(int ms) {
    return std::max(ms, 1);
}
} // namespace

void SimTimer::setInterval(int interval) {
    ms = interval;
    if (enabled)
        dueAt = now + sane(ms);
}

void SimTimer::setEnabled(bool on) {
    if (on && !enabled)
        dueAt = now + sane(ms);
    enabled = on;
}

void SimTimer::fire() {
    dueAt = now + sane(ms);
    if (handler)
        handler();
}

SimTimer &VirtualClock::addTimer(int interval) {
    timers.push_back(std::make_unique<SimTimer>(current, interval));
    return *timers.back();
}

SimTimer *VirtualClock::nextDue(std::int64_t limit) const {
    SimTimer *best = nullptr;
    for (const auto &timer : timers) {
        if (!timer->isEnabled() || timer->due() > limit)
            continue;
        if (!best || timer->due() < best->due())
            best = timer.get();
    }
    return best;
}

void VirtualClock::run(std::int64_t ms) {
    const std::int64_t target = current + std::max<std::int64_t>(ms, 0);
    while (SimTimer *timer = nextDue(target)) {
        current = std::max(current, timer->due());
        timer->fire();
    }
    current = std::max(current, target);
}

bool VirtualClock::runUntil(const std::function<bool()> &done, std::int64_t limitMs) {
    const std::int64_t limit = current + limitMs;
    while (!done()) {
        SimTimer *timer = nextDue(limit);
        if (!timer) {
            current = std::max(current, limit);
            return done();
        }
        current = std::max(current, timer->due());
        timer->fire();
    }
    return true;
}
