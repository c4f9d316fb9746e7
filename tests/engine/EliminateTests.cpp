#include "Rig.h"

#include <gtest/gtest.h>

namespace {
// Lands a pair whose gems already stand on the board at their final cells.
void landAt(Rig &rig, int c1, int r1, int colour1, int c2, int r2, int colour2) {
    TInfo &p = rig.p(1);
    p.Board(c1, r1) = colour1;
    p.Board(c2, r2) = colour2;
    p.Gem1Col = c1;
    p.Gem1Row = r1;
    p.Gem2Col = c2;
    p.Gem2Row = r2;
    rig.game->Eliminate(p, rig.p(2));
}

std::vector<QString> statusLines(Rig &rig, int ticks) {
    std::vector<QString> lines;
    for (int i = 0; i < ticks; ++i) {
        rig.game->TimerStatusTimer();
        lines.push_back(rig.label(1, Rig::Status).value);
    }
    return lines;
}

// Six rows of four in five colours: the landing completes the bottom row, and every
// row that falls is searched again: a cascade of six groups from one landing.
std::vector<std::string> sixRowCascade() {
    return bottom({"RRRR...", "MMMM...", "YYYY...", "BBBB...", "GGGG...", "RRRR..."});
}
} // namespace

TEST(Eliminate, LandingWithoutGroupPlaysTheLandingSoundAndPostsNothing) {
    Rig rig;
    rig.setBoard(1, bottom({"RR....."}));
    landAt(rig, 2, 15, 1, 3, 15, 2);
    EXPECT_EQ(rig.p(1).Points, 0);
    EXPECT_FALSE(rig.p(1).Animating);
    EXPECT_TRUE(rig.p(1).Messages.IsEmpty());
    EXPECT_TRUE(rig.p(1).Drawings.IsEmpty());
    EXPECT_EQ(rig.host.matching("sound").back(), "sound SND_DEPOSITAR channel 0");
}

TEST(Eliminate, OneGroupOfFourScoresForty) {
    Rig rig;
    rig.setBoard(1, bottom({"RRR...."}));
    landAt(rig, 3, 15, 1, 4, 15, 2);
    EXPECT_EQ(rig.p(1).Points, 40);
    EXPECT_EQ(rig.p(1).Eliminated, 4);
    EXPECT_EQ(rig.p(1).StageEliminated, 4);
    EXPECT_TRUE(rig.p(1).Animating);
    EXPECT_EQ(rig.label(1, Rig::Points).value, "40");
    EXPECT_EQ(rig.label(1, Rig::Eliminated).value, "4");
    EXPECT_EQ(rig.boardRows(1)[15], "....G..");
    EXPECT_EQ(statusLines(rig, 3), (std::vector<QString>{"4", "4", "4"}));
}

TEST(Eliminate, OneGroupOfSixScoresTwoHundredSixty) {
    Rig rig;
    rig.setBoard(1, bottom({"RRRR..."}));
    landAt(rig, 4, 15, 1, 5, 15, 1);
    EXPECT_EQ(rig.p(1).Points, 260);
    EXPECT_EQ(rig.p(1).Eliminated, 6);
}

TEST(Eliminate, GroupOfFourThenCascadeOfFiveScoresFourNinety) {
    Rig rig;
    rig.game->TipoJuego = GameMode::OneToOne;
    rig.setBoard(1, bottom({"GGG....", "RRR.G.."}));
    landAt(rig, 3, 15, 1, 3, 14, 2);
    EXPECT_EQ(rig.p(1).Points, 490);
    EXPECT_EQ(rig.p(1).Eliminated, 9);
    EXPECT_EQ(rig.p(2).RocksPending, 4);
    EXPECT_EQ(gemsOnBoard(rig.p(1)), 0);
    EXPECT_EQ(statusLines(rig, 3), (std::vector<QString>{"4", "4+5", "4+5=9"}));
}

TEST(Eliminate, StatusLineBuildsUpOneStepPerStatusTick) {
    Rig rig;
    rig.setBoard(1, bottom({"GGGG...", "RRRR..."}));
    landAt(rig, 4, 15, 1, 5, 15, 3);
    EXPECT_EQ(statusLines(rig, 4), (std::vector<QString>{"5", "5+4", "5+4=9", "5+4=9"}));
}

TEST(Eliminate, MultiplierRunsOneThreeNineTwentySevenThirtyThirtyThree) {
    Rig rig;
    rig.game->TipoJuego = GameMode::OneToOne;
    rig.setBoard(1, sixRowCascade());
    landAt(rig, 4, 15, 1, 5, 15, 3);
    // 150 for the first group of five, then 40 x (3 + 9 + 27 + 30 + 33).
    EXPECT_EQ(statusLines(rig, 7).back(), "5+4+4+4+4+4=25");
    EXPECT_EQ(rig.p(1).Points, 150 + 40 * 102);
    EXPECT_EQ(rig.p(1).Eliminated, 25);
    // Rocks: 2 for the first group, then 2, 5, 14, 16, 17 for groups of the limit.
    EXPECT_EQ(rig.p(2).RocksPending, 2 + 2 + 5 + 14 + 16 + 17);
    EXPECT_EQ(rig.boardRows(1)[15], ".....B.");
    EXPECT_EQ(boardProblem(rig.p(1)), "");
}

TEST(Eliminate, ByStagesSendsNoRocks) {
    Rig rig;
    rig.setBoard(1, sixRowCascade());
    landAt(rig, 4, 15, 1, 5, 15, 3);
    EXPECT_EQ(rig.p(2).RocksPending, 0);
}

TEST(Eliminate, GroupOfTheLimitScoresTenTimesLimit) {
    Rig rig;
    rig.game->Limite = 3;
    rig.setBoard(1, bottom({"RR....."}));
    landAt(rig, 2, 15, 1, 3, 15, 2);
    EXPECT_EQ(rig.p(1).Points, 30);
}

TEST(Eliminate, BothLandedGemsInOneGroupCountOnce) {
    Rig rig;
    rig.setBoard(1, bottom({"RR....."}));
    landAt(rig, 2, 15, 1, 3, 15, 1);
    EXPECT_EQ(rig.p(1).Eliminated, 4);
    EXPECT_EQ(rig.p(1).Points, 40);
}

TEST(Eliminate, JokerGoesWithTheFirstGroupSearched) {
    Rig rig;
    rig.setBoard(1, bottom({"RRR.GGG"}));
    landAt(rig, 3, 15, 6, 3, 14, 3);
    EXPECT_EQ(rig.p(1).Eliminated, 4);
    EXPECT_EQ(rig.boardRows(1)[15], "...BGGG");
}

TEST(Eliminate, JokerJoinsGemsOfOneColourThroughIt) {
    Rig rig;
    rig.setBoard(1, bottom({"RR.R..."}));
    landAt(rig, 2, 15, 6, 2, 14, 2);
    EXPECT_EQ(rig.p(1).Eliminated, 4);
    EXPECT_EQ(rig.boardRows(1)[15], "..G....");
}

TEST(Eliminate, RockNextToTwoGemsIsDestroyedOnceAndNotCounted) {
    Rig rig;
    rig.setBoard(1, bottom({"RX.....", "RR....."}));
    landAt(rig, 2, 15, 1, 2, 14, 1);
    TInfo &p = rig.p(1);
    EXPECT_EQ(p.Eliminated, 5);
    EXPECT_EQ(p.Points, 150);
    EXPECT_EQ(p.Board(1, 14), 0);
    // An unbroken rock would fall into the hole below it and pass the check above.
    EXPECT_EQ(rig.boardRows(1)[15], ".......") << "the rock is gone";
    int erasures = 0, col, row, code;
    while (p.Drawings.Pop(col, row, code))
        erasures += col == 1 && row == 14 && code == 0;
    EXPECT_EQ(erasures, 1);
}

TEST(Eliminate, ColumnWithTwoHolesIsClosedCompletely) {
    Rig rig;
    rig.setBoard(1, bottom({"B......", "RR.....", "GR.....", "RR....."}));
    landAt(rig, 1, 12, 1, 1, 11, 4);
    EXPECT_EQ(rig.p(1).Eliminated, 6);
    EXPECT_EQ(boardProblem(rig.p(1)), "");
    const auto rows = rig.boardRows(1);
    EXPECT_EQ(rows[15], "GY.....");
    EXPECT_EQ(rows[14], "B......");
}

TEST(Eliminate, AnimationIsOneFramePerRemovedGemThenTheFalls) {
    Rig rig;
    rig.setBoard(1, bottom({"RRR...."}));
    landAt(rig, 3, 15, 1, 4, 15, 2);
    TInfo &p = rig.p(1);
    std::vector<std::vector<int>> frames(1);
    int col, row, code;
    while (p.Drawings.Pop(col, row, code)) {
        if (code == -1)
            frames.emplace_back();
        else
            frames.back().push_back(code);
    }
    // Sound + first erase, three more erases, four closing frames, end of animation.
    ASSERT_EQ(frames.size(), 9u);
    EXPECT_EQ(frames[0], (std::vector<int>{9, 0}));
    EXPECT_EQ(frames[3], (std::vector<int>{0}));
    EXPECT_EQ(frames[8], (std::vector<int>{8}));
}

TEST(Eliminate, PlayingTheAnimationDrawsTheFinalBoard) {
    Rig rig;
    rig.setBoard(1, bottom({"GGG....", "RRR.G.."}));
    landAt(rig, 3, 15, 1, 3, 14, 2);
    rig.p(1).DrawCell(3, 15, 1); // the landed gems as the tick draws them
    rig.p(1).DrawCell(3, 14, 2);
    while (!rig.p(1).Drawings.IsEmpty())
        rig.game->TimerDibujarTimer(1);
    EXPECT_FALSE(rig.p(1).Animating);
    EXPECT_EQ(rig.well(1).picture, rig.game->pictures().FondoVacio);
    EXPECT_EQ(rig.host.matching("sound SND_ELIMINAR").size(), 2u);
}
