#include "ai/Planner.h"

#include "ai/Evaluate.h"

#include <algorithm>

namespace {

struct Candidate {
    Placement place;
    int score = 0;
    int moves = 0;
};

// Boards after the preview pair, best first, of which the few best get the costly look
// at the cascades they hold.
constexpr int PotentialLeaves = 3;

class Search {
public:
    Search(const Sight &sight, const LevelParams &params)
        : sight(sight), params(params), judge(sight, params.judgement, params.lookAhead >= 3) {}

    // The value of placing the falling pair at place, looking ahead as the level does.
    int value(Placement place) {
        TBoard board = sight.own;
        PairPlacement landed;
        if (!LandAt(board, place, sight.pair.colour1, sight.pair.colour2, landed))
            return LostScore;
        LandingOutcome outcome = eliminate(board, landed);
        // Rocks already on their way fall before the next pair.
        FallRocksEvenly(board, sight.rocksPending);
        const int now = judge.action(outcome);
        const int standing = judge.board(board);
        if (standing <= LostScore)
            return LostScore + now / 1000;
        if (params.lookAhead < 2 || !sight.hasPreview())
            return now + standing + judge.potential(board);
        return now + next(board);
    }

private:
    LandingOutcome eliminate(TBoard &board, const PairPlacement &landed) {
        EliminateGroups(board, {landed.col1, landed.row1}, {landed.col2, landed.row2},
                        judge.rules(), scratch);
        return OutcomeOf(scratch);
    }

    // The best value of the preview pair on board, dealt at the top as usual.
    int next(const TBoard &board) {
        const int c1 = sight.preview1, c2 = sight.preview2;
        PairPaths paths;
        paths.search(board, PairAt({2, Turn::Gem1Left}, 0, c1, c2));
        struct Leaf {
            int score;
            TBoard board;
        };
        std::array<Leaf, PotentialLeaves> top;
        int kept = 0;
        int best = LostScore;
        for (const Placement &place : AllPlacements()) {
            // One colour twice: the turned-over arrangements land alike.
            if (c1 == c2 && place.turn >= Turn::Gem1Right)
                break;
            if (!paths.reachable(place))
                continue;
            TBoard after = board;
            PairPlacement landed;
            if (!LandAt(after, place, c1, c2, landed))
                continue;
            const int now = judge.action(eliminate(after, landed)) * 9 / 10;
            const int score = now + judge.board(after);
            best = std::max(best, score);
            if (judge.judgement() < 3 || score <= LostScore)
                continue;
            // Keep the best few, best first.
            int at = std::min(kept, PotentialLeaves - 1);
            if (kept == PotentialLeaves && top[size_t(at)].score >= score)
                continue;
            kept = std::min(kept + 1, PotentialLeaves);
            while (at > 0 && top[size_t(at - 1)].score < score) {
                top[size_t(at)] = top[size_t(at - 1)];
                --at;
            }
            top[size_t(at)] = {score, after};
        }
        for (int i = 0; i < kept; ++i)
            best = std::max(best, top[size_t(i)].score + judge.potential(top[size_t(i)].board));
        return best;
    }

    const Sight &sight;
    const LevelParams &params;
    Evaluator judge;
    Elimination scratch;
};

// Best first; among equals the one needing fewer moves, then the earlier placement.
void rank(std::vector<Candidate> &list) {
    std::stable_sort(list.begin(), list.end(), [](const Candidate &a, const Candidate &b) {
        return a.score != b.score ? a.score > b.score : a.moves < b.moves;
    });
}

} // namespace

Choice ChoosePlacement(const Sight &sight, const LevelParams &params, CpuRandom &random) {
    PairPaths paths;
    paths.search(sight.own, sight.pair);
    Search search(sight, params);
    std::vector<Candidate> list;
    list.reserve(PlacementCount);
    for (const Placement &place : AllPlacements()) {
        if (!paths.reachable(place))
            continue;
        int score = search.value(place);
        if (score > LostScore / 2)
            score += random.around(params.noise);
        list.push_back({place, score, paths.distanceTo(place)});
    }
    if (list.empty())
        return {};
    rank(list);
    size_t pick = 0;
    // A slip: now and then a pair goes to one of the next best places instead.
    if (params.slipChoices > 1 && random.below(1000) < params.slipPerMille) {
        size_t choices = 1;
        while (choices < list.size() && int(choices) < params.slipChoices &&
               list[choices].score > LostScore / 2)
            ++choices;
        if (choices > 1)
            pick = 1 + size_t(random.below(int(choices) - 1));
    }
    return {true, list[pick].place, list[pick].score};
}

Choice ChooseGreedy(const Sight &sight, CpuRandom &random) {
    PairPaths paths;
    paths.search(sight.own, sight.pair);
    Elimination scratch;
    const RuleSettings rules{sight.limit, sight.oneToOne()};
    Choice best;
    int ties = 0;
    for (const Placement &place : AllPlacements()) {
        if (!paths.reachable(place))
            continue;
        TBoard board = sight.own;
        PairPlacement landed;
        if (!LandAt(board, place, sight.pair.colour1, sight.pair.colour2, landed))
            continue;
        EliminateGroups(board, {landed.col1, landed.row1}, {landed.col2, landed.row2}, rules,
                        scratch);
        const int score = scratch.eliminated * 100 + landed.row1 + landed.row2;
        if (!best.found || score > best.score) {
            best = {true, place, score};
            ties = 1;
        } else if (score == best.score && random.below(++ties) == 0) {
            best.place = place;
        }
    }
    return best;
}
