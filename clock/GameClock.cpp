#include "clock/GameClock.h"

#include <algorithm>

namespace {
// A zero interval would fire forever without time passing.
int sane(int ms) {
    return std::max(ms, 1);
}
} // namespace

void ClockTimer::setInterval(int interval) {
    ms = interval;
    if (enabled)
        dueAt = clock->now() + sane(ms);
}

void ClockTimer::setEnabled(bool on) {
    if (on && !enabled)
        dueAt = clock->now() + sane(ms);
    enabled = on;
}

void ClockTimer::fire() {
    dueAt = clock->now() + sane(ms);
    if (handler)
        handler();
}

void ClockTimer::copyStateFrom(const ClockTimer &other) {
    ms = other.ms;
    number = other.number;
    enabled = other.enabled;
    dueAt = other.dueAt;
}

ClockTimer &GameClock::addTimer(int interval) {
    timers.push_back(std::make_unique<ClockTimer>(*this, interval));
    return *timers.back();
}

ClockTimer *GameClock::nextTimer(std::int64_t limit) const {
    ClockTimer *best = nullptr;
    for (const auto &timer : timers) {
        if (!timer->isEnabled() || timer->due() > limit)
            continue;
        if (!best || timer->due() < best->due())
            best = timer.get();
    }
    return best;
}

std::int64_t GameClock::nextDue() const {
    std::int64_t due = events ? events->nextAt() : ClockEvents::Never;
    if (ClockTimer *timer = nextTimer(due))
        due = timer->due();
    return due;
}

bool GameClock::step(std::int64_t limit) {
    const std::int64_t eventAt = events ? events->nextAt() : ClockEvents::Never;
    ClockTimer *timer = nextTimer(std::min(limit, eventAt));
    if (timer) {
        current = std::max(current, timer->due());
        timer->fire();
        return true;
    }
    if (eventAt > limit)
        return false;
    current = std::max(current, eventAt);
    events->fire(current);
    return true;
}

void GameClock::run(std::int64_t ms) {
    const std::int64_t target = current + std::max<std::int64_t>(ms, 0);
    while (step(target)) {
    }
    current = std::max(current, target);
}

bool GameClock::runUntil(const std::function<bool()> &done, std::int64_t limitMs) {
    const std::int64_t limit = current + limitMs;
    while (!done()) {
        if (!step(limit)) {
            current = std::max(current, limit);
            return done();
        }
    }
    return true;
}

void GameClock::startAt(std::int64_t time) {
    for (const auto &timer : timers)
        if (timer->isEnabled())
            timer->scheduleAt(timer->due() + (time - current));
    current = time;
}

void GameClock::copyStateFrom(const GameClock &other) {
    current = other.current;
    const size_t n = std::min(timers.size(), other.timers.size());
    for (size_t i = 0; i < n; ++i)
        timers[i]->copyStateFrom(*other.timers[i]);
}
