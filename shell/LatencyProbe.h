#pragma once

#include <functional>

// With COBALTIX_LATENCY set, prints on standard error how long each game key or pad
// move took from reaching the window to the next paint of a well: "key-to-paint 1.23
// ms", "pad-to-paint 1.23 ms". For the window and pad benchmarks; does nothing
// otherwise.
namespace LatencyProbe {
void keyReceived();
void padReceived();
void wellPainted();
// Called at every paint of a well whether the probe is on or not, for a benchmark
// that measures from its own moment.
void setPaintHook(std::function<void()> hook);
} // namespace LatencyProbe
