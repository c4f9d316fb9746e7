#include "ai/CpuController.h"
#include "engine/Game.h"
#include "net/NetSession.h"
#include "tests/net/Relay.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

// net-figures [SECONDS]: two CPU players in real time over a loopback relay at a round
// trip of 20 ms, 100 ms and 100 ms with 5 % loss, then a peer that vanishes. Prints per
// run the bandwidth of each side, the input delay, the latency from a local move to
// the screen and the stalls per minute.

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
    int rttMs;
    int lossPerMille;
};

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

struct Sides {
    Game hostGame{GameBindings{}, TPictures(), 1}, joinGame{GameBindings{}, TPictures(), 1};
    std::unique_ptr<ImpairedRelay> relay;
    std::unique_ptr<NetSession> host, join;

    Sides(const Run &run, int games) {
        std::string error;
        auto link = Transport::listen("127.0.0.1", 0, error);
        ImpairedRelay::Impairment imp;
        imp.minDelayMs = imp.maxDelayMs = run.rttMs / 2;
        imp.lossPerMille = run.lossPerMille;
        imp.duplicatePerMille = 0;
        relay = std::make_unique<ImpairedRelay>(link->localPort(), imp, 11);
        NetOptions ho;
        ho.name = QStringLiteral("Host");
        ho.games = games;
        ho.seed = 5;
        host = std::make_unique<NetSession>(NetSession::Role::Host, hostGame, std::move(link), ho,
                                            MakeCpuController(CpuLevel::Master, 1));
        NetOptions jo;
        jo.name = QStringLiteral("Join");
        join = std::make_unique<NetSession>(NetSession::Role::Join, joinGame,
                                            Transport::connect("127.0.0.1", relay->front(), error),
                                            jo, MakeCpuController(CpuLevel::Master, 2));
    }
    void poll() {
        relay->pump();
        host->poll(0);
        join->poll(0);
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
};

void measure(const Run &run, double limit) {
    Sides s(run, 1000);
    while (s.host->state() != NetSession::State::Playing)
        s.poll();
    const auto start = Clock::now();
    const NetSession::Stats h0 = s.host->stats(), j0 = s.join->stats();
    while (seconds(start) < limit && !s.host->finished())
        s.poll();
    const double t = seconds(start);
    const NetSession::Stats h = s.host->stats(), j = s.join->stats();
    const int delayMs = h.delay * StepMs;
    std::printf("rtt %3d ms loss %2d%%: host sends %.0f B/s, receives %.0f B/s; join sends %.0f "
                "B/s; input delay %d ms, move to screen %d..%d ms; stalls/min host %.2f join "
                "%.2f (%.1f s)\n",
                run.rttMs, run.lossPerMille / 10, double(h.bytesSent - h0.bytesSent) / t,
                double(h.bytesReceived - h0.bytesReceived) / t,
                double(j.bytesSent - j0.bytesSent) / t, delayMs, delayMs + DrawInterval,
                delayMs + StepMs + DrawInterval, (h.stalls - h0.stalls) * 60.0 / t,
                (j.stalls - j0.stalls) * 60.0 / t, t);
}

// The relay stops forwarding at once, as when a machine is switched off.
void vanish() {
    Sides s({20, 0}, 1000);
    while (s.host->state() != NetSession::State::Playing)
        s.poll();
    const auto start = Clock::now();
    while (seconds(start) < 2)
        s.poll();
    s.relay.reset();
    const auto gone = Clock::now();
    while (!s.host->finished() && seconds(gone) < 30) {
        s.host->poll(0);
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    std::printf("vanished peer noticed after %.2f s: %s\n", seconds(gone),
                s.host->error().toLocal8Bit().constData());
}

} // namespace

int main(int argc, char *argv[]) {
    const double limit = argc > 1 ? std::atof(argv[1]) : 60;
    for (const Run &run : {Run{20, 0}, Run{100, 0}, Run{100, 50}})
        measure(run, limit);
    vanish();
    return 0;
}
