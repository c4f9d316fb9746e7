// The CPU's judgement on hand-built wells: what a level must see and what it must
// never do.
#include "AiKit.h"
#include "ai/Evaluate.h"
#include "ai/Planner.h"

#include <gtest/gtest.h>

namespace {

// What the chosen placement does to the well.
struct Result {
    bool lost;
    int eliminated;
    TBoard board;
};

Result play(const Sight &s, Placement place) {
    Result r{false, 0, s.own};
    PairPlacement landed;
    if (!LandAt(r.board, place, s.pair.colour1, s.pair.colour2, landed)) {
        r.lost = true;
        return r;
    }
    Elimination e;
    EliminateGroups(r.board, {landed.col1, landed.row1}, {landed.col2, landed.row2},
                    {s.limit, s.oneToOne()}, e);
    r.eliminated = e.eliminated;
    r.lost = r.board(2, 0) != Cell::Empty || r.board(3, 0) != Cell::Empty;
    return r;
}

Result choose(const Sight &s, CpuLevel level, std::uint64_t seed = 1) {
    CpuRandom random(seed);
    const Choice choice = ChoosePlacement(s, ParamsOf(level), random);
    EXPECT_TRUE(choice.found);
    return play(s, choice.place);
}

// Guards the basic skill of the middle and top levels: three reds wait at the side
// of an otherwise quiet well and a red comes; the group is taken at once.
TEST(Planner, MediumAndUpTakeAReadyGroup) {
    const Sight s =
        DealtSight({"B......", "Y......", "BM.....", "YB....R", "BY....R", "MMY...R"}, "RG", "BY");
    for (CpuLevel level : {CpuLevel::Medium, CpuLevel::Hard, CpuLevel::Master})
        for (std::uint64_t seed = 1; seed <= 5; ++seed)
            EXPECT_EQ(choose(s, level, seed).eliminated, 4)
                << CpuLevelWord(level) << " seed " << seed;
}

// Guards survival at every level: the well is full but for a low channel and the
// entry columns stand one gem short of the top; the pair must not go where it seals
// the entry.
TEST(Planner, NoLevelBlocksTheTopRowWhenAnotherPlaceExists) {
    const Sight s = DealtSight({"..YR...", "RBGBYRG", "GRBYBRG", "BYRMYMG", "MGRBMBM", "RBYMYRB",
                                "GRBGRYG", "BYRBGBM", "RMGYMGR", "GBYRBYG", "RGBMGBR", "BYRYRMB",
                                "MRGBYGR", "GBMRBYM", "RMYGBRG"},
                               "GM", "YB");
    // The entry columns have one free cell left, the others two: the pair fits beside
    // the entry, not over it.
    for (int level = 0; level < CpuLevelCount; ++level)
        for (std::uint64_t seed = 1; seed <= 8; ++seed)
            EXPECT_FALSE(choose(s, CpuLevel(level), seed).lost)
                << CpuLevelWord(CpuLevel(level)) << " seed " << seed;
}

// Guards the answer to a threat: a cascade stands ready. With nothing on its way the
// master keeps building; with three rows of rocks about to fall on it, it sets the
// cascade off before the rocks bury it.
TEST(Planner, MasterClearsBeforeRocksBuryIt) {
    Sight s =
        DealtSight({"R......", "G......", "G.....B", "GRRR..B"}, "GY", "MB", GameMode::OneToOne);
    s.rival = WellOf({"RGB.BGR", "GBR.RBG"});
    const Result calm = choose(s, CpuLevel::Master);
    EXPECT_EQ(calm.eliminated, 0);
    s.rocksPending = 21;
    const Result threatened = choose(s, CpuLevel::Master);
    EXPECT_GE(threatened.eliminated, 8);
}

// Guards the potential: the cascade a ready well holds is found, group by group.
TEST(Evaluate, ACascadeReadyForOneMoreGemIsFound) {
    const Sight s =
        DealtSight({"R......", "G......", "G......", "GRRR..."}, "GY", "", GameMode::OneToOne);
    const Evaluator judge(s, 4, true);
    const Potential p = judge.findPotential(s.own);
    EXPECT_EQ(p.groups, 2);
    EXPECT_EQ(p.eliminated, 8);
    EXPECT_EQ(p.rocks, RocksSent(4, 1, 4) + RocksSent(4, 3, 4));
    // A lower judgement does not look for it.
    EXPECT_EQ(Evaluator(s, 2).potential(s.own), 0);
}

// Guards the danger term: the same gems stacked over the entry score worse than
// spread at the side.
TEST(Evaluate, StacksOverTheEntryScoreWorseThanStacksAtTheSide) {
    std::vector<std::string> side(12, "R.....B"), entry(12, "..RB...");
    for (int judgement = 0; judgement <= 4; ++judgement) {
        const Evaluator judge(DealtSight({}, "RG", ""), judgement);
        EXPECT_GT(judge.board(WellOf(side)), judge.board(WellOf(entry))) << judgement;
    }
}

} // namespace
