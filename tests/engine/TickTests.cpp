#include "Rig.h"

#include <gtest/gtest.h>

namespace {
// A one-to-one game (no stage texts, no target) with its first pair falling.
void startOneToOne(Rig &rig) {
    rig.game->TipoJuego = GameMode::OneToOne;
    rig.game->mnNuevoJuegoClick();
    rig.runUntil([&] { return rig.p(1).Falling && rig.p(2).Falling; });
}
} // namespace

TEST(Tick, FirstPairComesOneIntervalAfterTheStartInTheMiddleOfTheTopRow) {
    Rig rig;
    rig.random().forceColours({1, 2, 3, 4});
    rig.game->TipoJuego = GameMode::OneToOne;
    rig.game->mnNuevoJuegoClick();
    rig.run(499);
    EXPECT_FALSE(rig.p(1).Falling);
    rig.run(1);
    TInfo &p = rig.p(1);
    ASSERT_TRUE(p.Falling);
    EXPECT_EQ(p.Gem1Col, 2);
    EXPECT_EQ(p.Gem2Col, 3);
    EXPECT_EQ(p.Gem1Row, 0);
    EXPECT_EQ(p.Gem1Colour, 1);
    EXPECT_EQ(p.Gem2Colour, 2);
    EXPECT_EQ(p.PreviewColour1, 3);
    EXPECT_EQ(p.PreviewColour2, 4);
    EXPECT_EQ(p.GemsDealt, 2);
    // Both players get the same sequence.
    EXPECT_EQ(rig.p(2).Gem1Colour, 1);
    EXPECT_EQ(rig.p(2).PreviewColour2, 4);
    EXPECT_EQ(p.NextColours.Count(), 2); // two left: no top-up yet
}

TEST(Tick, PairFallsOneRowPerTickAndLandsLowerGemFirst) {
    Rig rig;
    startOneToOne(rig);
    TInfo &p = rig.p(1);
    rig.run(500);
    EXPECT_EQ(p.Gem1Row, 1);
    p.Rotate(); // gem 2 above gem 1
    const int lower = p.Gem1Colour, upper = p.Gem2Colour;
    rig.runUntil([&] { return p.Board(2, 15) != 0; });
    EXPECT_EQ(p.Board(2, 15), lower);
    EXPECT_EQ(p.Board(2, 14), upper);
}

TEST(Tick, HorizontalPairOverAHoleSplits) {
    Rig rig;
    startOneToOne(rig);
    TInfo &p = rig.p(1);
    rig.setBoard(1, bottom({"..R....", "..G.B.."}));
    const int c1 = p.Gem1Colour, c2 = p.Gem2Colour;
    rig.game->Throw(p);
    EXPECT_EQ(p.Board(2, 13), c1);
    EXPECT_EQ(p.Board(3, 15), c2);
}

TEST(Tick, BlockedDealEndsAOnePlayerGame) {
    Rig rig;
    rig.game->mnNuevoJuegoClick();
    rig.setBoard(1, std::vector<std::string>(16, "...R..."));
    rig.run(500);
    EXPECT_FALSE(rig.game->Jugando);
    EXPECT_FALSE(rig.p(1).Falling);
    EXPECT_EQ(rig.host.matching("gameover").back(), "gameover 1");
    EXPECT_EQ(rig.host.log.back(), "mixer off");
    EXPECT_FALSE(rig.tickTimer(1).isEnabled());
}

TEST(Tick, LevelRisesAtSeventyTimesLevelInOneToOne) {
    Rig rig;
    startOneToOne(rig);
    TInfo &p = rig.p(1);
    p.Eliminated = 69;
    rig.setBoard(1, {});
    rig.game->Throw(p);
    EXPECT_EQ(p.Level, 1);
    p.Eliminated = 70;
    rig.setBoard(1, {});
    rig.game->Throw(p);
    EXPECT_EQ(p.Level, 2);
    EXPECT_EQ(rig.tickTimer(1).interval(), 450);
    EXPECT_EQ(rig.label(1, Rig::Level).value, "2");
    EXPECT_EQ(rig.host.matching("sound SND_NIVEL").back(), "sound SND_NIVEL channel 1");
    // One level per landing, even past two thresholds.
    p.Eliminated = 1000;
    rig.setBoard(1, {});
    rig.game->Throw(p);
    EXPECT_EQ(p.Level, 3);
}

TEST(Tick, LevelNeverPassesNineNorTheIntervalHundred) {
    Rig rig;
    startOneToOne(rig);
    TInfo &p = rig.p(1);
    p.Eliminated = 100000;
    for (int i = 0; i < 12 && rig.game->Jugando; ++i) {
        rig.setBoard(1, {});
        rig.game->Throw(p);
    }
    EXPECT_EQ(p.Level, 9);
    EXPECT_EQ(rig.tickTimer(1).interval(), 100);
}

TEST(Tick, LevelRisesAtHundredFortyTimesLevelByStages) {
    Rig rig;
    rig.setStages(4, 100000, false, false);
    rig.game->mnNuevoJuegoClick();
    rig.runUntil([&] { return rig.p(1).Falling; });
    rig.p(1).Eliminated = 139;
    rig.game->Throw(rig.p(1));
    EXPECT_EQ(rig.p(1).Level, 1);
    rig.p(1).Eliminated = 140;
    rig.game->Throw(rig.p(1));
    EXPECT_EQ(rig.p(1).Level, 2);
}

TEST(Tick, NextPairWaitsForTheAnimation) {
    Rig rig;
    startOneToOne(rig);
    TInfo &p = rig.p(1);
    rig.setBoard(1, bottom({"RRRR..."}));
    p.Gem1Colour = p.Gem2Colour = 1;
    rig.placePair(1, 4, 15, 1, 5, 15, 1);
    rig.game->Throw(p);
    EXPECT_TRUE(p.Animating);
    EXPECT_TRUE(p.LandingPending);
    EXPECT_FALSE(p.Falling);
    rig.settle();
    EXPECT_TRUE(p.Falling); // the end of the animation dealt at once
    EXPECT_FALSE(p.LandingPending);
}

// A horizontal pair rotated in row 0 over a column filled to row 1 would leave a gem
// in the border ring; the landing ends the player's game instead.
TEST(Tick, GemLeftAboveTheWellEndsTheGameAndKeepsTheRing) {
    Rig rig;
    startOneToOne(rig);
    TInfo &p = rig.p(1);
    std::vector<std::string> rows(16, "..R....");
    rows[0] = ".......";
    rig.setBoard(1, rows);
    p.Rotate(); // gem 2 to (2, -1)
    ASSERT_EQ(p.Gem2Row, -1);
    rig.run(500);
    EXPECT_EQ(boardProblem(p), "");
    EXPECT_FALSE(rig.game->Jugando);
    EXPECT_EQ(rig.host.matching("record-vs").size(), 2u);
    EXPECT_EQ(rig.p(2).Points, 1000); // the other player won
}

TEST(Tick, GemLeftAboveTheWellPutsAPlayerOutInTwoPlayers) {
    Rig rig;
    rig.setStages(4, 1000, false, false);
    rig.game->TipoJuego = GameMode::TwoPlayers;
    rig.game->mnNuevoJuegoClick();
    rig.runUntil([&] { return rig.p(1).Falling; });
    TInfo &p = rig.p(1);
    std::vector<std::string> rows(16, "..R....");
    rows[0] = ".......";
    rig.setBoard(1, rows);
    p.Rotate();
    rig.run(500);
    EXPECT_EQ(boardProblem(p), "");
    EXPECT_TRUE(rig.game->Jugando);
    EXPECT_FALSE(p.Active);
    EXPECT_TRUE(rig.p(2).Active);
}
