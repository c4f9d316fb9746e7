#include "Rig.h"

#include <gtest/gtest.h>

namespace {
struct Pair {
    int c1, r1, c2, r2;
    bool operator==(const Pair &) const = default;
};
Pair pairOf(const TInfo &p) {
    return {p.Gem1Col, p.Gem1Row, p.Gem2Col, p.Gem2Row};
}
} // namespace

TEST(Moves, SidewaysStopsAtTheBorder) {
    Rig rig;
    rig.placePair(1, 0, 3, 1, 1, 3, 2);
    EXPECT_FALSE(rig.p(1).TryMove(-1, 0));
    rig.placePair(1, 5, 3, 1, 6, 3, 2);
    EXPECT_FALSE(rig.p(1).TryMove(1, 0));
    EXPECT_TRUE(rig.p(1).TryMove(-1, 0));
    EXPECT_EQ(pairOf(rig.p(1)), (Pair{4, 3, 5, 3}));
}

TEST(Moves, FallStopsOnTheBottomAndOnTheStack) {
    Rig rig;
    rig.placePair(1, 2, 15, 1, 3, 15, 2);
    EXPECT_FALSE(rig.p(1).TryMove(0, 1));
    rig.setBoard(1, bottom({"...R..."}));
    rig.placePair(1, 2, 14, 1, 3, 14, 2);
    EXPECT_FALSE(rig.p(1).TryMove(0, 1)); // one of the two cells below is taken
    EXPECT_FALSE(rig.p(1).Board(2, 14));  // moves never write the board
}

TEST(Moves, NothingMovesWithoutAFallingPair) {
    Rig rig;
    rig.placePair(1, 2, 3, 1, 3, 3, 2);
    rig.p(1).Falling = false;
    EXPECT_FALSE(rig.p(1).TryMove(-1, 0));
}

TEST(Moves, RotationTurnsCounterClockwiseAndComesBackAfterFour) {
    Rig rig;
    rig.placePair(1, 2, 5, 1, 3, 5, 2); // gem 1 left, gem 2 right
    TInfo &p = rig.p(1);
    p.Rotate();
    EXPECT_EQ(pairOf(p), (Pair{2, 5, 2, 4})); // right gem onto the cell above the left
    p.Rotate();
    EXPECT_EQ(pairOf(p), (Pair{3, 5, 2, 5})); // top gem down, bottom gem right
    p.Rotate();
    EXPECT_EQ(pairOf(p), (Pair{2, 4, 2, 5}));
    p.Rotate();
    EXPECT_EQ(pairOf(p), (Pair{2, 5, 3, 5}));
}

TEST(Moves, VerticalPairAgainstTheRightWallKicksLeft) {
    Rig rig;
    rig.placePair(1, 6, 4, 1, 6, 5, 2); // gem 1 on top in column 6
    rig.p(1).Rotate();
    EXPECT_EQ(pairOf(rig.p(1)), (Pair{5, 5, 6, 5}));
}

TEST(Moves, VerticalPairInColumnZeroBlockedOnTheRightStays) {
    Rig rig;
    rig.setBoard(1, bottom({".R.....", ".R.....", ".R....."}));
    rig.placePair(1, 0, 12, 1, 0, 13, 2);
    rig.p(1).Rotate();
    EXPECT_EQ(pairOf(rig.p(1)), (Pair{0, 12, 0, 13}));
}

TEST(Moves, VerticalPairBlockedOnBothSidesStays) {
    Rig rig;
    rig.setBoard(1, bottom({"R.R....", "R.R....", "R.R...."}));
    rig.placePair(1, 1, 12, 1, 1, 13, 2);
    rig.p(1).Rotate();
    EXPECT_EQ(pairOf(rig.p(1)), (Pair{1, 12, 1, 13}));
}

TEST(Moves, MovingRedrawsOnlyThePair) {
    Rig rig;
    rig.placePair(1, 2, 3, 1, 3, 3, 2);
    rig.p(1).TryMove(1, 0);
    QImage expected = rig.game->pictures().FondoVacio;
    const TPictures &pics = rig.game->pictures();
    Raster::drawMasked(expected, {105, 75}, pics.FichaAND, pics.Sprites[0]);
    Raster::drawMasked(expected, {140, 75}, pics.FichaAND, pics.Sprites[1]);
    EXPECT_EQ(rig.well(1).picture, expected);
}

TEST(Moves, ThrowLandsAtOnceEvenWhenResting) {
    Rig rig;
    rig.game->TipoJuego = GameMode::OneToOne;
    rig.game->mnNuevoJuegoClick();
    rig.run(500); // first pair dealt
    TInfo &p = rig.p(1);
    ASSERT_TRUE(p.Falling);
    const int c1 = p.Gem1Colour, c2 = p.Gem2Colour;
    rig.game->Throw(p);
    EXPECT_EQ(p.Board(2, 15), c1);
    EXPECT_EQ(p.Board(3, 15), c2);
    EXPECT_EQ(p.GemsDealt, 4); // the landing's own tick dealt the next pair
    // A pair already resting lands without moving.
    p.Gem1Colour = p.Gem2Colour = 0;
    rig.placePair(1, 2, 14, 3, 3, 14, 4);
    rig.game->Throw(p);
    EXPECT_EQ(p.Board(2, 14), 3);
    EXPECT_EQ(p.Board(3, 14), 4);
}
