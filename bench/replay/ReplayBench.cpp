#include "bench/allocations/AllocationCount.h"
#include "engine/ReplayPlayer.h"
#include "engine/ReplayRecorder.h"
#include "harness/Harness.h"
#include "harness/Placer.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

// Replays of a 10-minute one-to-one game played by two computer players pressing the
// game keys at a person's pace: the file's size, the time to seek to its end (played
// headless and taken over by a game on views, as the window's watching does), and
// what recording costs in play (time, and heap allocations per timer event).
//   replay_bench [MINUTES [PACE_MS]]   (10 minutes, a key every 140 or 160 ms)
namespace {

class Memory : public IReplayStore {
public:
    class Sink : public IReplaySink {
    public:
        explicit Sink(QByteArray &into) : bytes(into) {}
        bool append(const char *data, qsizetype size) override {
            bytes.append(data, size);
            return true;
        }
        bool finish(const char *data, qsizetype size) override { return append(data, size); }
        QByteArray &bytes;
    };
    std::unique_ptr<IReplaySink> begin(const ReplaySetup &) override {
        bytes.clear();
        bytes.reserve(1 << 20);
        return std::make_unique<Sink>(bytes);
    }
    QByteArray bytes;
};

struct Played {
    bool lasted = false;
    double seconds = 0;
    std::uint64_t allocations = 0, events = 0;
    std::uint64_t hash = 0;
    std::int64_t length = 0;
};

// One game of the given seed for ms of game time, recorded or not, flushing as the
// window does after each step of its clock (here every 25 ms).
Played play(std::uint32_t seed, std::int64_t ms, Memory *store, int pace) {
    HeadlessViews views;
    Game game(views.bindings(nullptr), TPictures::plain(), seed);
    for (int n = 1; n <= 2; ++n) {
        views.player(n).well.picture = game.pictures().FondoVacio;
        game.setController(n, std::make_unique<Placer>(pace + 20 * n, true));
    }
    std::unique_ptr<ReplayRecorder> recorder;
    if (store) {
        recorder = std::make_unique<ReplayRecorder>(game, *store);
        game.setInputObserver(recorder.get());
    }
    game.TipoJuego = GameMode::OneToOne;
    game.mnNuevoJuegoClick();
    Played out;
    QElapsedTimer timer;
    timer.start();
    for (std::int64_t t = 0; t < ms && game.Jugando; t += DrawInterval) {
        const std::uint64_t before = allocationCount();
        game.clock().run(DrawInterval);
        if (recorder)
            recorder->flush();
        out.allocations += allocationCount() - before;
        ++out.events;
    }
    out.seconds = double(timer.nsecsElapsed()) / 1e9;
    out.lasted = game.Jugando;
    out.length = game.clock().now();
    if (game.Jugando)
        game.EndGame(false, nullptr);
    out.hash = game.stateHash();
    return out;
}

// The recorded game played again on views from its inputs, recorded anew or not: the
// engine alone, without the computer players' planning, so what recording adds shows.
Played again(const Replay &replay, Memory *store) {
    HeadlessViews views;
    ReplayHost host;
    host.answers = ReplayAnswers(replay.answers);
    Game game(views.bindings(&host), TPictures::plain(), 1);
    for (int n = 1; n <= 2; ++n)
        views.player(n).well.picture = game.pictures().FondoVacio;
    std::unique_ptr<ReplayRecorder> recorder;
    if (store) {
        recorder = std::make_unique<ReplayRecorder>(game, *store);
        recorder->wallClock = [&replay] { return replay.setup.recordedAt; };
        game.setInputObserver(recorder.get());
    }
    ReplayPlayback playback(game, replay);
    playback.start();
    Played out;
    QElapsedTimer timer;
    timer.start();
    // The first second holds the set-up's one-off work.
    playback.runTo(replay.setup.startTime + 1000);
    // Steady play: every step but the last, which completes the file.
    while (!playback.atEnd()) {
        const std::uint64_t before = allocationCount();
        playback.runTo(game.clock().now() + DrawInterval);
        if (recorder)
            recorder->flush();
        if (!playback.atEnd())
            out.allocations += allocationCount() - before;
        ++out.events;
    }
    out.seconds = double(timer.nsecsElapsed()) / 1e9;
    out.hash = game.stateHash();
    return out;
}

} // namespace

int main(int argc, char **argv) {
    const std::int64_t ms = (argc > 1 ? std::atoll(argv[1]) : 10) * 60000;
    const int pace = argc > 2 ? std::atoi(argv[2]) : 120;
    Memory store;
    std::uint32_t seed = 1;
    Played recorded;
    for (; seed < 200; ++seed) {
        recorded = play(seed, ms, &store, pace);
        if (recorded.lasted)
            break;
        std::fprintf(stderr, "seed %u: the game ended after %lld ms\n", seed,
                     static_cast<long long>(recorded.length));
    }
    if (!recorded.lasted) {
        std::fprintf(stderr, "no game lasted %lld ms\n", static_cast<long long>(ms));
        return 1;
    }
    const Played plain = play(seed, ms, nullptr, pace);
    Replay replay;
    if (!ReadReplay(store.bytes, replay).ok() || !replay.finished()) {
        std::fprintf(stderr, "the recording does not read back\n");
        return 1;
    }
    std::printf("game: one to one, seed %u, %lld ms, %zu inputs, %zu answers\n", seed,
                static_cast<long long>(replay.length()), replay.inputs.size(),
                replay.answers.size());
    std::printf("replay size: %lld bytes (%.1f KB)\n", static_cast<long long>(store.bytes.size()),
                store.bytes.size() / 1024.0);

    // Seeking to the end as the window does: headless from the start, then taken over.
    std::vector<double> seeks;
    bool same = true;
    for (int i = 0; i < 5; ++i) {
        HeadlessViews views;
        ReplayHost host;
        Game shown(views.bindings(&host), TPictures::plain(), 1);
        QElapsedTimer timer;
        timer.start();
        HeadlessReplay ahead(replay);
        ahead.playback.start();
        ahead.playback.runToEnd();
        shown.adoptState(*ahead.game);
        seeks.push_back(double(timer.nsecsElapsed()) / 1e6);
        same = same && shown.stateHash() == replay.result->stateHash &&
               shown.stateHash() == recorded.hash;
    }
    std::sort(seeks.begin(), seeks.end());
    std::printf("seek to the end: median %.1f ms (of 5), ends as recorded: %s\n", seeks[2],
                same ? "yes" : "NO");
    std::printf("live play with the players' planning, %llu steps of 25 ms: %.3f s recorded, "
                "%.3f s not recorded\n",
                static_cast<unsigned long long>(recorded.events), recorded.seconds, plain.seconds);
    // The engine alone, best of 5 each.
    Memory again_store;
    Played with = again(replay, &again_store), without = again(replay, nullptr);
    for (int i = 0; i < 4; ++i) {
        const Played w = again(replay, &again_store), o = again(replay, nullptr);
        with.seconds = std::min(with.seconds, w.seconds);
        without.seconds = std::min(without.seconds, o.seconds);
    }
    std::printf("the game again on views, %llu steps of 25 ms: %.1f ms recorded, %.1f ms not "
                "recorded; recorded again byte for byte: %s\n",
                static_cast<unsigned long long>(with.events), with.seconds * 1e3,
                without.seconds * 1e3, again_store.bytes == store.bytes ? "yes" : "no");
    if (countingAllocations())
        std::printf("heap allocations in steady play, per step: %.4f recorded, %.4f not "
                    "recorded (%llu and %llu in all)\n",
                    double(with.allocations) / double(with.events),
                    double(without.allocations) / double(without.events),
                    static_cast<unsigned long long>(with.allocations),
                    static_cast<unsigned long long>(without.allocations));
    else
        std::printf("heap allocations: not counted under the sanitizers\n");
    return same ? 0 : 1;
}
