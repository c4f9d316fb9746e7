#include "shell/LatencyProbe.h"

#include <QElapsedTimer>
#include <QtGlobal>

#include <cstdio>

namespace {
struct Probe {
    bool enabled = qEnvironmentVariableIsSet("COBALTIX_LATENCY");
    QElapsedTimer since;
    const char *what = nullptr;
    std::function<void()> hook;
};
Probe &probe() {
    static Probe p;
    return p;
}

void received(const char *what) {
    Probe &p = probe();
    if (!p.enabled || p.what)
        return;
    p.since.start();
    p.what = what;
}
} // namespace

void LatencyProbe::keyReceived() {
    received("key-to-paint");
}

void LatencyProbe::padReceived() {
    received("pad-to-paint");
}

void LatencyProbe::wellPainted() {
    Probe &p = probe();
    if (p.hook)
        p.hook();
    if (!p.what)
        return;
    std::fprintf(stderr, "%s %.2f ms\n", p.what, double(p.since.nsecsElapsed()) / 1e6);
    p.what = nullptr;
}

void LatencyProbe::setPaintHook(std::function<void()> hook) {
    probe().hook = std::move(hook);
}
