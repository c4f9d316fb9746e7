#include "Rig.h"

#include <gtest/gtest.h>

TEST(Board, FreshBoardHasBorderRingAndEmptyWell) {
    Rig rig;
    int border = 0, empty = 0;
    for (int c = -1; c <= 7; ++c)
        for (int r = -1; r <= 16; ++r) {
            border += rig.p(1).Board(c, r) == -1;
            empty += rig.p(1).Board(c, r) == 0;
        }
    EXPECT_EQ(border, 50);
    EXPECT_EQ(empty, 112);
    EXPECT_EQ(TBoard::index(0, 0), 19); // column-major with the ring
}

TEST(Board, ResetBoardEmptiesTheWellAndKeepsTheRing) {
    Rig rig;
    rig.setBoard(1, {".......", "XXXXXXX"});
    rig.p(1).ResetBoard();
    EXPECT_EQ(boardProblem(rig.p(1)), "");
    EXPECT_EQ(gemsOnBoard(rig.p(1)), 0);
    EXPECT_EQ(rig.p(1).Board(3, 1), 0);
    EXPECT_EQ(rig.well(1).picture, rig.game->pictures().FondoVacio);
}

TEST(Board, ResetCountersPutsLabelsBackAndClearsThePreview) {
    Rig rig;
    TInfo &p = rig.p(2);
    p.Points = 900;
    p.Level = 5;
    p.ShowPoints();
    p.ShowLevel();
    p.DrawPreview(1, 2);
    p.ResetCounters();
    EXPECT_EQ(rig.label(2, Rig::Points).value, "0");
    EXPECT_EQ(rig.label(2, Rig::Eliminated).value, "0");
    EXPECT_EQ(rig.label(2, Rig::Level).value, "1");
    EXPECT_EQ(rig.tickTimer(2).interval(), 500);
    EXPECT_EQ(p.PreviewColour1, 0);
    // The preview shows the scoreboard under it again.
    EXPECT_EQ(rig.preview(2).picture, rig.game->pictures().Marcador.copy(QRect(34, 250, 70, 25)));
}

TEST(Board, ResetQueuesKeepsColourSettings) {
    Rig rig;
    TInfo &p = rig.p(1);
    p.NextColours.Configure(true, 25);
    p.NextColours.Generate();
    p.Drawings.Push(0, 0, 8);
    p.Messages.Push("x");
    p.Animating = p.Falling = true;
    p.ResetQueues();
    EXPECT_TRUE(p.NextColours.IsEmpty() && p.Drawings.IsEmpty() && p.Messages.IsEmpty());
    EXPECT_FALSE(p.Animating || p.Falling);
    EXPECT_TRUE(p.NextColours.Jokers);
}
