#include "Rig.h"

#include <gtest/gtest.h>

namespace {
// A seed whose first Random(7) gives col.
std::uint32_t seedForColumn(int col) {
    for (std::uint32_t s = 1;; ++s) {
        TRandom r(s);
        if (r.Random(7) == col)
            return s;
    }
}

void clearAnimation(TInfo &p) {
    p.Drawings.Clear();
    p.Animating = false;
}
} // namespace

TEST(RockFall, NineRocksFromColumnFourWrapToTheNextRowAndDrop) {
    Rig rig;
    rig.game->TipoJuego = GameMode::OneToOne;
    TInfo &p = rig.p(1);
    p.RocksPending = 9;
    rig.game->random().seed(seedForColumn(4));
    EXPECT_TRUE(rig.game->RockFall(p));
    EXPECT_EQ(p.RocksPending, 0);
    EXPECT_TRUE(p.Animating);
    const auto rows = rig.boardRows(1);
    EXPECT_EQ(rows[15], "XXXXXXX");
    EXPECT_EQ(rows[14], "....XX.");
    EXPECT_EQ(rows[13], ".......");
    EXPECT_EQ(boardProblem(p), "");
    // The first frames show the rocks appearing one by one along the top.
    int col, row, code;
    ASSERT_TRUE(p.Drawings.Pop(col, row, code));
    EXPECT_EQ((std::vector<int>{col, row, code}), (std::vector<int>{4, 0, 7}));
}

TEST(RockFall, FullColumnKeepsItsTopRock) {
    Rig rig;
    rig.game->TipoJuego = GameMode::OneToOne;
    std::vector<std::string> rows(16, ".......");
    for (int r = 1; r < 16; ++r)
        rows[size_t(r)] = "R......";
    rig.setBoard(1, rows);
    rig.p(1).RocksPending = 1;
    rig.game->random().seed(seedForColumn(0));
    rig.game->RockFall(rig.p(1));
    EXPECT_EQ(rig.p(1).Board(0, 0), 7);
    EXPECT_EQ(boardProblem(rig.p(1)), "");
}

TEST(RockFall, RocksWithoutRoomAreDropped) {
    Rig rig;
    rig.game->TipoJuego = GameMode::OneToOne;
    rig.setBoard(1, std::vector<std::string>(16, "RGBYMRG"));
    rig.p(1).RocksPending = 5;
    EXPECT_TRUE(rig.game->RockFall(rig.p(1)));
    EXPECT_EQ(rig.p(1).RocksPending, 0);
}

TEST(RockFall, RandomRocksComeBeforeEveryFifthPair) {
    Rig rig;
    rig.game->RocasAzar = true;
    TInfo &p = rig.p(1);
    std::vector<int> fell;
    for (int dealt = 0; dealt <= 30; dealt += 2) {
        p.ResetBoard();
        clearAnimation(p);
        p.GemsDealt = dealt;
        if (rig.game->RockFall(p))
            fell.push_back(dealt);
    }
    EXPECT_EQ(fell, (std::vector<int>{0, 10, 20, 30}));
}

TEST(RockFall, WithLinesRocksComeEverySeventhPairAndLinesEveryEighth) {
    Rig rig;
    rig.game->RocasAzar = rig.game->LineasRocas = true;
    TInfo &p = rig.p(1);
    std::vector<int> fell, lines;
    for (int dealt = 0; dealt <= 48; dealt += 2) {
        p.ResetBoard();
        clearAnimation(p);
        p.GemsDealt = dealt;
        const size_t before = rig.host.matching("sound SND_LINEAS").size();
        if (rig.game->RockFall(p))
            fell.push_back(dealt);
        if (rig.host.matching("sound SND_LINEAS").size() > before)
            lines.push_back(dealt);
    }
    EXPECT_EQ(fell, (std::vector<int>{0, 14, 28, 42}));
    EXPECT_EQ(lines, (std::vector<int>{0, 16, 32, 48}));
}

TEST(RockFall, NoRandomRocksOrLinesInOneToOne) {
    Rig rig;
    rig.game->TipoJuego = GameMode::OneToOne;
    rig.game->RocasAzar = rig.game->LineasRocas = true;
    EXPECT_FALSE(rig.game->RockFall(rig.p(1)));
    EXPECT_EQ(gemsOnBoard(rig.p(1)) + rig.p(1).Board(0, 15), 0);
}

TEST(RockFall, LinePushesTheWellUpAndLosesRowZero) {
    Rig rig;
    rig.game->LineasRocas = true;
    std::vector<std::string> rows(16, ".......");
    for (int r = 0; r < 16; ++r)
        rows[size_t(r)] = std::string(1, "RGBY"[r % 4]) + "......";
    rows[15] = "RG.....";
    rig.setBoard(1, rows);
    rig.p(1).GemsDealt = 16;
    EXPECT_FALSE(rig.game->RockFall(rig.p(1)));
    const auto after = rig.boardRows(1);
    EXPECT_EQ(after[0][0], 'G'); // old row 1
    EXPECT_EQ(after[14], "RG.....");
    EXPECT_EQ(after[15], "XXXXXXX");
    EXPECT_EQ(boardProblem(rig.p(1)), "");
}
