#include "ai/CpuController.h"

#include "ai/Planner.h"
#include "core/Texts.h"
#include "engine/Game.h"

namespace {

constexpr int CpuNameText = 16005;

// Plays one player's pairs: plans where each goes when it is dealt, waits its think
// time, then makes one move per move delay along the shortest path there, and drops
// the pair. It plans again when what it planned on changed under it (rocks on their
// way, a move that was refused).
class CpuController : public PlayerController {
public:
    CpuController(const LevelParams &params, int level, std::uint32_t seed)
        : params(params), level(level), seed(seed) {}

    bool takesKeys() const override { return false; }
    bool needsSteps() const override { return true; }
    void reset() override {
        planned = false;
        seeded = false;
    }
    QString playerName() const override {
        if (level < 0)
            return QStringLiteral("Greedy");
        return GetTextFmt(CpuNameText, {CpuLevelName(CpuLevel(level))});
    }
    QString controllerWord() const override {
        return QLatin1String(level < 0 ? "greedy" : CpuLevelWord(CpuLevel(level)));
    }
    void step(Game &game, int player) override;

private:
    void plan(const Game &game, int player);
    std::int64_t pause(int ms, int spread) { return ms + random.around(spread); }

    LevelParams params;
    int level; // -1: the greedy baseline
    std::uint32_t seed;
    CpuRandom random;
    bool seeded = false;

    bool planned = false;
    int pairDealt = -1; // the player's GemsDealt when the plan was made
    Placement target;
    TBoard plannedOn;
    int plannedRocks = 0;
    int stepsLeft = 0; // step-downs still to make before the throw
    std::int64_t nextMoveAt = 0;
};

void CpuController::plan(const Game &game, int player) {
    const Sight sight = SightOf(game, player);
    const Choice choice =
        level < 0 ? ChooseGreedy(sight, random) : ChoosePlacement(sight, params, random);
    target = choice.found ? choice.place : Placement{sight.pair.minCol(), TurnOf(sight.pair)};
    plannedOn = sight.own;
    plannedRocks = sight.rocksPending;
    planned = true;
    stepsLeft = random.below(params.dropSteps + 1);
}

void CpuController::step(Game &game, int player) {
    const TInfo &p = game.player(player);
    if (!p.Falling || !game.Jugando || game.Pausado)
        return;
    if (!seeded) {
        random.reseed((std::uint64_t(seed) << 8) ^ std::uint64_t(player) ^ 0x5eedull);
        seeded = true;
    }
    const std::int64_t now = game.clock().now();
    if (!planned || p.GemsDealt != pairDealt) {
        pairDealt = p.GemsDealt;
        plan(game, player);
        nextMoveAt = now + pause(params.thinkMs, params.thinkSpreadMs);
        return;
    }
    if (p.Board.cells != plannedOn.cells || p.RocksPending != plannedRocks)
        plan(game, player);
    if (now < nextMoveAt)
        return;

    const PairState at{p.Gem1Col, p.Gem1Row, p.Gem2Col, p.Gem2Row, p.Gem1Colour, p.Gem2Colour};
    PairPaths paths;
    paths.search(p.Board, at);
    if (!paths.reachable(target)) {
        // A move was refused or the pair fell past a way through: choose again from here.
        plan(game, player);
        paths.search(p.Board, at);
    }
    const std::vector<Move> moves = paths.movesTo(target);
    Move move = Move::Throw;
    if (!moves.empty()) {
        move = moves.front();
    } else if (stepsLeft > 0) {
        move = Move::StepDown;
        --stepsLeft;
    }
    game.input(Input::move(player, move));
    nextMoveAt = now + pause(params.moveMs, params.moveSpreadMs);
}

LevelParams greedyParams() {
    LevelParams params = ParamsOf(CpuLevel::Hard);
    params.slipPerMille = 0;
    params.noise = 0;
    return params;
}

} // namespace

std::unique_ptr<PlayerController> MakeCpuController(CpuLevel level) {
    return MakeCpuController(level, 1);
}

std::unique_ptr<PlayerController> MakeCpuController(CpuLevel level, std::uint32_t seed) {
    return std::make_unique<CpuController>(ParamsOf(level), int(level), seed);
}

std::unique_ptr<PlayerController> MakeGreedyController(std::uint32_t seed) {
    return std::make_unique<CpuController>(greedyParams(), -1, seed);
}
