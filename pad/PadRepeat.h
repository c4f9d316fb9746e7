#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// Held pad buttons that act again while held, as a held key does: first after a delay,
// then at every interval. Times are milliseconds of one steady clock.
class PadRepeat {
public:
    PadRepeat(int delayMs, int intervalMs) : delay(delayMs), interval(intervalMs) {}

    void press(int pad, int code, std::int64_t now);
    void release(int pad, int code);
    // A pad that went away holds nothing any more.
    void releasePad(int pad);
    void clear() { held.clear(); }
    bool empty() const { return held.empty(); }

    // The (pad, code) repeats due by now, in the order they were pressed. Each held
    // button repeats at most once per call: a late call does not make up for the
    // repeats it missed with a burst of moves.
    std::vector<std::pair<int, int>> due(std::int64_t now);

    int delayMs() const { return delay; }
    int intervalMs() const { return interval; }

private:
    struct Held {
        int pad, code;
        std::int64_t next;
    };
    int delay, interval;
    std::vector<Held> held;
};
