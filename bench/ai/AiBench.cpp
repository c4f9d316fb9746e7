#include "ai/CpuController.h"
#include "ai/Planner.h"
#include "engine/Game.h"
#include "harness/Harness.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

// The cost of one CPU decision, over positions recorded from real games: master against
// master in one to one, and master alone through stages with random rocks and lines.
namespace {

// Plays like the CPU it wraps and keeps what its player saw at each new pair.
class Recorder : public PlayerController {
public:
    Recorder(std::unique_ptr<PlayerController> inner, std::vector<Sight> &out)
        : inner(std::move(inner)), out(out) {}
    bool takesKeys() const override { return false; }
    bool needsSteps() const override { return true; }
    void reset() override { inner->reset(); }
    void step(Game &game, int player) override {
        const TInfo &p = game.player(player);
        if (p.Falling && p.GemsDealt != lastDealt) {
            lastDealt = p.GemsDealt;
            out.push_back(SightOf(game, player));
        }
        inner->step(game, player);
    }

private:
    std::unique_ptr<PlayerController> inner;
    std::vector<Sight> &out;
    int lastDealt = -1;
};

std::vector<Sight> recordPositions() {
    std::vector<Sight> positions;
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        for (GameMode mode : {GameMode::OneToOne, GameMode::OnePlayer}) {
            Game game(GameBindings{}, TPictures(), seed);
            TFaseTable stages;
            for (int n = 0; n < StageCount; ++n)
                stages[size_t(n)] = PlainStage(n % 3 == 2 ? 3 : 4, 60, n % 2 == 1, n % 4 == 3);
            game.Fases = stages;
            game.Sonido = false;
            game.TipoJuego = mode;
            for (int n = 1; n <= 2; ++n)
                game.setController(
                    n, std::make_unique<Recorder>(MakeCpuController(CpuLevel::Master, seed + n),
                                                  positions));
            game.mnNuevoJuegoClick();
            game.clock().runUntil([&] { return !game.Jugando; }, 10 * 60 * 1000);
        }
    }
    return positions;
}

const std::vector<Sight> &positions() {
    static const std::vector<Sight> all = recordPositions();
    return all;
}

void decide(benchmark::State &state, CpuLevel level) {
    const std::vector<Sight> &all = positions();
    CpuRandom random(1);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ChoosePlacement(all[i], ParamsOf(level), random));
        i = (i + 1) % all.size();
    }
    state.counters["positions"] = double(all.size());
}

// The spread over the positions: each decided once per iteration, timed alone.
void BM_MasterDecisionSpread(benchmark::State &state) {
    const std::vector<Sight> &all = positions();
    CpuRandom random(1);
    std::vector<double> us(all.size(), 1e9);
    for (auto _ : state) {
        for (size_t i = 0; i < all.size(); ++i) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(ChoosePlacement(all[i], ParamsOf(CpuLevel::Master), random));
            const std::chrono::duration<double, std::micro> took =
                std::chrono::steady_clock::now() - start;
            us[i] = std::min(us[i], took.count());
        }
    }
    std::sort(us.begin(), us.end());
    state.counters["median_us"] = us[us.size() / 2];
    state.counters["p99_us"] = us[us.size() * 99 / 100];
    state.counters["worst_us"] = us.back();
    state.counters["positions"] = double(all.size());
}

void BM_MasterDecision(benchmark::State &state) {
    decide(state, CpuLevel::Master);
}
void BM_HardDecision(benchmark::State &state) {
    decide(state, CpuLevel::Hard);
}
void BM_MediumDecision(benchmark::State &state) {
    decide(state, CpuLevel::Medium);
}
void BM_BeginnerDecision(benchmark::State &state) {
    decide(state, CpuLevel::Beginner);
}

} // namespace

BENCHMARK(BM_MasterDecision)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MasterDecisionSpread)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HardDecision)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MediumDecision)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BeginnerDecision)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
