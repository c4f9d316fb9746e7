#include "bench/allocations/AllocationCount.h"
#include "engine/Game.h"
#include "harness/Harness.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

// The engine headless: wells and previews are plain in-memory images, handlers are
// called by hand, the default host answers every question with OK.
namespace {

struct Bench {
    explicit Bench(bool pictures, GameMode mode, std::uint32_t seed = 1) {
        game = std::make_unique<Game>(views.bindings(nullptr, pictures, false),
                                      pictures ? TPictures::plain() : TPictures(), seed);
        for (int n = 1; n <= 2; ++n)
            views.player(n).well.picture = game->pictures().FondoVacio;
        game->Fases.fill(PlainStage(4, 40));
        game->TipoJuego = mode;
        game->mnNuevoJuegoClick();
    }

    // Plays player n's drawing queue out, one frame per timer event.
    void playFrames(int n) {
        while (!game->player(n).Drawings.IsEmpty()) {
            game->TimerDibujarTimer(n);
            ++frames;
        }
    }
    std::int64_t frames = 0;

    HeadlessViews views;
    std::unique_ptr<Game> game;
};

// Columns 0..5 full, each row one colour (five colours in turn), column 6 empty: a
// pair thrown into column 6 completes the bottom row, and every row after it falls
// into place and goes too, 16 groups in one landing.
void setWorstBoard(TInfo &p) {
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r < 16; ++r)
            p.Board(c, r) = c < 6 ? 1 + r % 5 : 0;
    p.Gem1Col = p.Gem2Col = 6;
    p.Gem1Row = 1;
    p.Gem2Row = 0;
    p.Gem1Colour = 1 + 15 % 5;
    p.Gem2Colour = 1 + 14 % 5;
    p.SpriteFor(p.Gem1Colour, p.Gem1Image, p.Gem1Mask);
    p.SpriteFor(p.Gem2Colour, p.Gem2Image, p.Gem2Mask);
    p.Falling = true;
    p.Points = p.Eliminated = p.StageEliminated = 0;
    p.Drawings.Clear();
    p.Animating = false;
}

void worstLanding(benchmark::State &state, bool drawing) {
    Bench bench(drawing, GameMode::OneToOne);
    Game &game = *bench.game;
    TInfo &p = game.player(1);
    std::int64_t steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        setWorstBoard(p);
        game.player(2).RocksPending = 0;
        if (drawing)
            p.DrawBoard();
        state.ResumeTiming();
        game.Throw(p);
        steps += p.Drawings.Count();
        if (drawing)
            bench.playFrames(1);
    }
    if (p.Eliminated != 98)
        state.SkipWithError("the cascade did not run as built");
    state.counters["steps"] = benchmark::Counter(double(steps), benchmark::Counter::kAvgIterations);
    if (drawing)
        state.counters["frames"] =
            benchmark::Counter(double(bench.frames), benchmark::Counter::kAvgIterations);
}

void BM_WorstLanding(benchmark::State &state) {
    worstLanding(state, false);
}
void BM_WorstLandingWithDrawing(benchmark::State &state) {
    worstLanding(state, true);
}

// Random play: a few moves then a throw, the animation played out, a new game when
// one ends. Counts landings.
void randomGame(benchmark::State &state, bool pictures, GameMode mode) {
    Bench bench(pictures, mode, 7);
    Game &game = *bench.game;
    std::mt19937 keys(7);
    std::int64_t landings = 0;
    game.LandingHook = [&](const TInfo &, bool after) { landings += after; };
    const int players = mode == GameMode::OnePlayer ? 1 : 2;
    // Allocations in play, not counting those of starting a new game.
    std::uint64_t allocations = 0;
    for (auto _ : state) {
        if (!game.Jugando)
            game.mnNuevoJuegoClick();
        const std::uint64_t before = allocationCount();
        for (int n = 1; n <= players; ++n) {
            TInfo &p = game.player(n);
            if (!p.Falling) {
                game.TimerTimer(n);
                continue;
            }
            const int base = 5 * (n - 1);
            for (int i = int(keys() % 4); i > 0; --i)
                game.FormKeyDown(game.TeclasJuego[size_t(base + keys() % 3)]);
            game.FormKeyDown(game.TeclasJuego[size_t(base + 4)]);
            bench.playFrames(n);
        }
        if (game.Jugando)
            allocations += allocationCount() - before;
    }
    if (countingAllocations())
        state.counters["allocs/landing"] =
            benchmark::Counter(double(allocations) / double(std::max<std::int64_t>(landings, 1)));
    state.counters["landings/s"] =
        benchmark::Counter(double(landings), benchmark::Counter::kIsRate);
    state.SetItemsProcessed(landings);
}

void BM_RandomGameOneToOne(benchmark::State &state) {
    randomGame(state, true, GameMode::OneToOne);
}
void BM_RandomGameOnePlayer(benchmark::State &state) {
    randomGame(state, true, GameMode::OnePlayer);
}
void BM_RandomGameOneToOneNoPictures(benchmark::State &state) {
    randomGame(state, false, GameMode::OneToOne);
}

// A copy of the whole game state, as a look-ahead takes it.
void BM_GameCopy(benchmark::State &state) {
    Bench bench(true, GameMode::OneToOne);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench.game->headlessCopy());
}

// The worst landing played on a headless copy of the game.
void BM_WorstLandingOnGameCopy(benchmark::State &state) {
    Bench bench(false, GameMode::OneToOne);
    setWorstBoard(bench.game->player(1));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Game> copy = bench.game->headlessCopy();
        state.ResumeTiming();
        copy->Throw(copy->player(1));
        benchmark::DoNotOptimize(copy->player(1).Points);
    }
}

// The same landing on a board value with the rules alone, as the CPU players try it.
void BM_WorstLandingOnBoardValue(benchmark::State &state) {
    Bench bench(false, GameMode::OneToOne);
    TInfo &p = bench.game->player(1);
    setWorstBoard(p);
    Elimination out;
    std::uint64_t allocations = 0;
    for (auto _ : state) {
        TBoard board = p.Board;
        const std::uint64_t before = allocationCount();
        PairPlacement pair{p.Gem1Col, p.Gem1Row, p.Gem1Colour, p.Gem2Col, p.Gem2Row, p.Gem2Colour};
        LandPair(board, pair);
        EliminateGroups(board, {pair.col1, pair.row1}, {pair.col2, pair.row2}, {4, true}, out);
        benchmark::DoNotOptimize(out.points);
        allocations += allocationCount() - before;
    }
    if (out.eliminated != 98)
        state.SkipWithError("the cascade did not run as built");
    if (countingAllocations())
        state.counters["allocs/landing"] =
            benchmark::Counter(double(allocations), benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(BM_GameCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorstLandingOnGameCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorstLandingOnBoardValue)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorstLanding)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorstLandingWithDrawing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RandomGameOneToOne)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RandomGameOnePlayer)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RandomGameOneToOneNoPictures)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
