#include "ai/Planner.h"

namespace {

RuleSettings rulesOf(const Sight &s) {
    return {s.limit, s.oneToOne()};
}

} // namespace

Choice ChooseGreedy(const Sight &sight) {
    PairPaths paths;
    paths.search(sight.own, sight.pair);
    Elimination scratch;
    Choice best;
    for (const Placement &place : AllPlacements()) {
        if (!paths.reachable(place))
            continue;
        TBoard board = sight.own;
        PairPlacement landed;
        if (!LandAt(board, place, sight.pair.colour1, sight.pair.colour2, landed))
            continue;
        EliminateGroups(board, {landed.col1, landed.row1}, {landed.col2, landed.row2},
                        rulesOf(sight), scratch);
        const int score = scratch.eliminated;
        if (!best.found || score > best.score)
            best = {true, place, score};
    }
    return best;
}

Choice ChoosePlacement(const Sight &sight, const LevelParams &params, CpuRandom &random) {
    (void)params, (void)random;
    return ChooseGreedy(sight);
}
