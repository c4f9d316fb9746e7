#include "Rig.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct Snapshot {
    int gems, eliminated, stageEliminated, points;
};

// Stages of every kind: limits 3 to 5, small targets, random rocks, lines, and a few
// rocks and gems already in the well.
void varietyStages(Rig &rig) {
    for (int i = 0; i < StageCount; ++i) {
        TFase &f = rig.game->Fases[size_t(i)];
        f.Limite = 3 + i % 3;
        f.Objetivo = 12 + 4 * (i % 4);
        f.RocasAzar = i % 2 == 1;
        f.LineasRocas = i % 3 == 2;
        if (i % 4 == 3) {
            for (int c = 0; c < 7; ++c)
                f.Tablero[size_t(TBoard::index(c, 15))] = c % 2 ? 7 : 1 + c % 5;
        }
    }
}

class Soak {
public:
    Soak(GameMode mode, std::uint32_t seed, bool pictures) : rig(seed, pictures), keys(seed) {
        rig.setStages(4, 20, false, false);
        varietyStages(rig);
        rig.game->TipoJuego = mode;
        rig.game->LandingHook = [this](const TInfo &p, bool after) { onLanding(p, after); };
    }

    void run(int wantedLandings) {
        for (long events = 0; landings < wantedLandings; ++events) {
            ASSERT_LT(events, 40L * wantedLandings) << "the game stopped making progress";
            step();
            checkAlways();
            if (::testing::Test::HasFailure())
                return;
        }
    }

    int games = 0;
    int landings = 0;
    int eliminations = 0;

private:
    void step() {
        Game &g = *rig.game;
        if (!g.Jugando) {
            ++games;
            g.FormKeyDown(113);
            return;
        }
        const int roll = int(keys() % 100);
        if (roll < 2) {
            g.FormKeyDown(114); // pause and continue at once
            g.FormKeyDown(114);
        } else if (roll < 70) {
            // Mostly throws, so the wells fill and empty quickly.
            static const int moves[] = {0, 1, 2, 3, 4, 4, 4, 0, 1, 2};
            const int who = g.TipoJuego == GameMode::OnePlayer ? 0 : int(keys() % 2);
            g.FormKeyDown(g.TeclasJuego[size_t(5 * who + moves[keys() % 10])]);
        } else {
            rig.run(10 + long(keys() % 190));
        }
    }

    void onLanding(const TInfo &p, bool after) {
        Snapshot &s = before[size_t(p.Number - 1)];
        if (!after) {
            s = {gemsOnBoard(p), p.Eliminated, p.StageEliminated, p.Points};
            return;
        }
        ++landings;
        const int removed = p.Eliminated - s.eliminated;
        eliminations += removed > 0;
        ASSERT_EQ(boardProblem(p), "") << "after landing " << landings;
        ASSERT_EQ(gemsOnBoard(p), s.gems + 2 - removed) << "landing " << landings;
        ASSERT_EQ(p.StageEliminated - s.stageEliminated, removed);
        if (removed == 0) {
            ASSERT_EQ(p.Points, s.points);
            ASSERT_FALSE(p.Animating);
        } else {
            ASSERT_GE(p.Points - s.points, 10 * removed);
            ASSERT_TRUE(p.Animating);
        }
        ASSERT_EQ(rig.label(p.Number, Rig::Points).value, QString::number(p.Points));
        ASSERT_EQ(rig.label(p.Number, Rig::Eliminated).value, QString::number(p.Eliminated));
    }

    void checkAlways() {
        for (int n = 1; n <= 2; ++n) {
            const TInfo &p = rig.p(n);
            ASSERT_EQ(boardProblem(p), "") << "player " << n;
            ASSERT_GE(p.Level, 1);
            ASSERT_LE(p.Level, 9);
            ASSERT_EQ(rig.tickTimer(n).interval(), 500 - 50 * (p.Level - 1));
            ASSERT_GE(p.RocksPending, 0);
            ASSERT_EQ(p.GemsDealt % 2, 0);
            if (p.Falling) {
                ASSERT_EQ(p.Board(p.Gem1Col, std::max(p.Gem1Row, 0)), 0);
                ASSERT_EQ(p.Board(p.Gem2Col, std::max(p.Gem2Row, 0)), 0);
                ASSERT_GE(p.Gem1Colour, 1);
                ASSERT_LE(p.Gem1Colour, 6);
            }
            if (rig.game->TipoJuego != GameMode::OneToOne)
                ASSERT_EQ(p.RocksPending, 0);
        }
    }

    Rig rig;
    std::mt19937 keys;
    Snapshot before[2]{};
};

} // namespace

// Seeded random play over thousands of landings: after every landing the ring holds,
// every column is packed and the counters agree with what left the board.
TEST(Soak, OnePlayerByStages) {
    Soak soak(GameMode::OnePlayer, 101, true);
    soak.run(3000);
    EXPECT_GT(soak.eliminations, 100);
    EXPECT_GT(soak.games, 1);
}

TEST(Soak, TwoPlayersByStages) {
    Soak soak(GameMode::TwoPlayers, 202, false);
    soak.run(3000);
    EXPECT_GT(soak.eliminations, 100);
}

TEST(Soak, OneToOne) {
    Soak soak(GameMode::OneToOne, 303, false);
    soak.run(3000);
    EXPECT_GT(soak.eliminations, 100);
    EXPECT_GT(soak.games, 1);
}
