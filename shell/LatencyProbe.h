#pragma once

// With COBALTIX_LATENCY set, prints on standard error how long each game key took from
// reaching the window to the next paint of a well: "key-to-paint 1.23 ms". For the
// window benchmark; does nothing otherwise.
namespace LatencyProbe {
void keyReceived();
void wellPainted();
} // namespace LatencyProbe
