#include "shell/LatencyProbe.h"

#include <QElapsedTimer>
#include <QtGlobal>

#include <cstdio>

namespace {
struct Probe {
    bool enabled = qEnvironmentVariableIsSet("COBALTIX_LATENCY");
    QElapsedTimer since;
    bool pending = false;
};
Probe &probe() {
    static Probe p;
    return p;
}
} // namespace

void LatencyProbe::keyReceived() {
    Probe &p = probe();
    if (!p.enabled || p.pending)
        return;
    p.since.start();
    p.pending = true;
}

void LatencyProbe::wellPainted() {
    Probe &p = probe();
    if (!p.pending)
        return;
    p.pending = false;
    std::fprintf(stderr, "key-to-paint %.2f ms\n", double(p.since.nsecsElapsed()) / 1e6);
}
