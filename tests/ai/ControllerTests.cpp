// The CPU as a player of the game: it moves only through the move vocabulary, at its
// pace, ignores the keys, plays every mode, and replays alike from a seed.
#include "ai/CpuController.h"
#include "ai/Levels.h"
#include "ai/Planner.h"
#include "core/Texts.h"
#include "engine/Game.h"
#include "harness/Harness.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Logged {
    std::int64_t time;
    Input input;
};

class InputLog : public IInputObserver {
public:
    void inputApplied(std::int64_t time, const Input &input) override {
        inputs.push_back({time, input});
    }
    std::vector<Logged> inputs;
};

class NamesHost : public IGameHost {
public:
    void PedirNombres(QString &, QString &) override { asked.push_back("both"); }
    void PedirNombre(int player, QString &name, const QString &rival) override {
        asked.push_back(QStringLiteral("%1 against %2").arg(player).arg(rival));
        name = QStringLiteral("Ann");
    }
    void NuevoRecordVs(int, bool won, const QString &name) override {
        if (won)
            winner = name;
    }
    QStringList asked;
    QString winner;
};

struct CpuGame {
    explicit CpuGame(GameMode mode, std::uint32_t seed = 3) {
        GameBindings b;
        b.Host = &host;
        game = std::make_unique<Game>(b, TPictures(), seed);
        for (int n = 0; n < StageCount; ++n)
            game->Fases[size_t(n)] = PlainStage(4, 20, n % 2 == 1, n % 3 == 2);
        game->Sonido = false;
        game->TipoJuego = mode;
        game->setInputObserver(&log);
    }
    bool runToEnd(std::int64_t limitMs) {
        return game->clock().runUntil([this] { return !game->Jugando; }, limitMs);
    }
    NamesHost host;
    InputLog log;
    std::unique_ptr<Game> game;
};

// Guards the seam: two CPUs finish a one-to-one game, and everything that entered the
// game came as moves of the two players, spaced at least a controller step apart.
TEST(CpuController, TwoCpusFinishAGameThroughMovesOnly) {
    CpuGame g(GameMode::OneToOne);
    g.game->setController(1, MakeCpuController(CpuLevel::Master, 7));
    g.game->setController(2, MakeCpuController(CpuLevel::Easy, 7));
    g.game->mnNuevoJuegoClick();
    ASSERT_TRUE(g.runToEnd(30 * 60 * 1000));
    EXPECT_EQ(g.host.winner, QStringLiteral("CPU Master"));
    ASSERT_GT(g.log.inputs.size(), 50u);
    std::int64_t last[2] = {-1000, -1000};
    for (const Logged &l : g.log.inputs) {
        ASSERT_EQ(l.input.kind, InputKind::MoveOf);
        ASSERT_TRUE(l.input.player == 1 || l.input.player == 2);
        std::int64_t &previous = last[l.input.player - 1];
        EXPECT_GE(l.time - previous, ControlInterval);
        previous = l.time;
    }
}

// Guards determinism: the same seed gives the same game, move for move.
TEST(CpuController, TheSameSeedPlaysTheSameGame) {
    std::uint64_t hashes[2];
    std::vector<std::int64_t> times[2];
    for (int run = 0; run < 2; ++run) {
        CpuGame g(GameMode::OneToOne, 9);
        g.game->setController(1, MakeCpuController(CpuLevel::Beginner, 9));
        g.game->setController(2, MakeCpuController(CpuLevel::Hard, 9));
        g.game->mnNuevoJuegoClick();
        g.game->clock().run(90 * 1000);
        hashes[run] = g.game->stateHash();
        for (const Logged &l : g.log.inputs)
            times[run].push_back(l.time);
    }
    EXPECT_EQ(hashes[0], hashes[1]);
    EXPECT_EQ(times[0], times[1]);
}

// Guards the pace: a beginner takes its time over a pair, a master is quick, and both
// wait before their first move.
TEST(CpuController, LevelsKeepTheirPace) {
    std::int64_t firstMove[2];
    int moves[2];
    const CpuLevel levels[2] = {CpuLevel::Beginner, CpuLevel::Master};
    for (int i = 0; i < 2; ++i) {
        CpuGame g(GameMode::OnePlayer);
        g.game->setController(1, MakeCpuController(levels[i], 1));
        g.game->mnNuevoJuegoClick();
        g.game->clock().run(20 * 1000);
        ASSERT_FALSE(g.log.inputs.empty());
        firstMove[i] = g.log.inputs.front().time;
        moves[i] = int(g.log.inputs.size());
    }
    // The first pair comes at the first tick (500 ms); the think time follows.
    EXPECT_GE(firstMove[0], 500 + ParamsOf(CpuLevel::Beginner).thinkMs -
                                ParamsOf(CpuLevel::Beginner).thinkSpreadMs);
    EXPECT_GE(firstMove[1],
              500 + ParamsOf(CpuLevel::Master).thinkMs - ParamsOf(CpuLevel::Master).thinkSpreadMs);
    EXPECT_LT(firstMove[1], firstMove[0]);
    EXPECT_GT(moves[1], moves[0]);
}

// Guards the keys: a CPU player's keys do nothing, the other player's still work.
TEST(CpuController, KeysOfACpuPlayerAreIgnored) {
    CpuGame g(GameMode::TwoPlayers);
    g.game->setController(2, MakeCpuController(CpuLevel::Beginner, 1));
    g.game->mnNuevoJuegoClick();
    g.game->clock().run(500); // both pairs dealt; the beginner still thinks
    const TInfo &p1 = g.game->player(1), &p2 = g.game->player(2);
    ASSERT_TRUE(p1.Falling && p2.Falling);
    const int col1 = p1.Gem1Col, col2 = p2.Gem1Col;
    g.game->FormKeyDown(g.game->TeclasJuego[5]); // player 2's left
    g.game->FormKeyDown(g.game->TeclasJuego[0]); // player 1's left
    EXPECT_EQ(p2.Gem1Col, col2);
    EXPECT_EQ(p1.Gem1Col, col1 - 1);
}

// Guards the second thoughts: a cascade stands ready and the master means to build on;
// rocks announced while its pair falls make it set the cascade off with that pair.
TEST(CpuController, RocksAnnouncedMidFallMakeItThinkAgain) {
    int firstLanding[2];
    for (int announce = 0; announce < 2; ++announce) {
        CpuGame g(GameMode::OneToOne);
        g.game->setController(1, MakeCpuController(CpuLevel::Master, 1));
        g.game->random().forceColours({2, 4, 5, 3});
        g.game->mnNuevoJuegoClick();
        TInfo &p = g.game->player(1);
        const char *rows[4] = {"R......", "G......", "G......", "GRRR..."};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 7; ++c)
                p.Board(c, 12 + r) = std::string(".RGBYMJX").find(rows[r][c]);
        firstLanding[announce] = -1;
        g.game->LandingHook = [&](const TInfo &t, bool after) {
            if (after && t.Number == 1 && firstLanding[announce] < 0)
                firstLanding[announce] = t.Eliminated;
        };
        g.game->clock().run(550); // the pair came at 500; the master is thinking
        ASSERT_TRUE(p.Falling);
        if (announce)
            p.RocksPending = 21;
        g.game->clock().run(5000);
    }
    EXPECT_EQ(firstLanding[0], 0);
    EXPECT_GE(firstLanding[1], 8);
}

// Guards the names: only people are asked, a CPU plays under its level's name, and
// the person's name it replaced comes back when a person plays that side again.
TEST(CpuController, OnlyPeopleAreAskedTheirNames) {
    CpuGame g(GameMode::OneToOne);
    g.game->player(2).Name = QStringLiteral("Bob");
    g.game->setController(2, MakeCpuController(CpuLevel::Master, 1));
    g.game->mnNuevoJuegoClick();
    EXPECT_EQ(g.host.asked, QStringList{QStringLiteral("1 against CPU Master")});
    EXPECT_EQ(g.game->player(1).Name, QStringLiteral("Ann"));
    EXPECT_EQ(g.game->player(2).Name, QStringLiteral("CPU Master"));
    EXPECT_EQ(g.game->personName(2), QStringLiteral("Bob"));

    g.host.asked.clear();
    g.game->EndGame(false, nullptr);
    g.game->setController(1, MakeCpuController(CpuLevel::Easy, 1));
    g.game->mnNuevoJuegoClick();
    EXPECT_TRUE(g.host.asked.isEmpty());
    EXPECT_EQ(g.game->player(1).Name, QStringLiteral("CPU Easy"));

    g.game->EndGame(false, nullptr);
    g.game->setController(1, std::make_unique<KeyboardController>());
    g.game->setController(2, std::make_unique<KeyboardController>());
    g.game->mnNuevoJuegoClick();
    EXPECT_EQ(g.host.asked, QStringList{QStringLiteral("both")});
    EXPECT_EQ(g.game->player(1).Name, QStringLiteral("Ann"));
    EXPECT_EQ(g.game->player(2).Name, QStringLiteral("Bob"));
}

// Guards the two-player stages: a CPU beside another CPU plays on through stages with
// rocks, each in its own well.
TEST(CpuController, TwoCpusPlayTheStagesSideBySide) {
    CpuGame g(GameMode::TwoPlayers);
    g.game->setController(1, MakeCpuController(CpuLevel::Easy, 2));
    g.game->setController(2, MakeCpuController(CpuLevel::Beginner, 2));
    g.game->mnNuevoJuegoClick();
    g.game->clock().run(4 * 60 * 1000);
    EXPECT_GE(g.game->FaseActual, 3);
    EXPECT_GT(g.game->player(1).Eliminated, 30);
    EXPECT_GT(g.game->player(2).Eliminated, 30);
}

// Guards what a CPU sees: two games alike but for the colours queued beyond the
// preview and the state of the generator give the same sight and the same choice.
TEST(CpuController, NothingBeyondThePreviewIsSeen) {
    CpuGame a(GameMode::OneToOne, 5), b(GameMode::OneToOne, 5);
    for (CpuGame *g : {&a, &b}) {
        g->game->mnNuevoJuegoClick();
        g->game->clock().run(500);
        ASSERT_TRUE(g->game->player(1).Falling);
    }
    b.game->player(1).NextColours.Append(6);
    b.game->player(1).NextColours.Append(6);
    b.game->random().Random(100);
    const Sight sa = SightOf(*a.game, 1), sb = SightOf(*b.game, 1);
    EXPECT_EQ(sa.own.cells, sb.own.cells);
    EXPECT_EQ(sa.preview1, sb.preview1);
    EXPECT_EQ(sa.preview2, sb.preview2);
    EXPECT_EQ(sa.pair.colour1, sb.pair.colour1);
    for (int level = 0; level < CpuLevelCount; ++level) {
        CpuRandom ra(3), rb(3);
        const Choice ca = ChoosePlacement(sa, ParamsOf(CpuLevel(level)), ra);
        const Choice cb = ChoosePlacement(sb, ParamsOf(CpuLevel(level)), rb);
        EXPECT_EQ(ca.place, cb.place);
        EXPECT_EQ(ca.score, cb.score);
    }
}

// Guards the words and names of the levels, in both languages' table.
TEST(CpuLevels, WordsParseBackAndNamesComeFromTheTexts) {
    for (int i = 0; i < CpuLevelCount; ++i) {
        CpuLevel level;
        ASSERT_TRUE(ParseCpuLevel(QLatin1String(CpuLevelWord(CpuLevel(i))), level));
        EXPECT_EQ(int(level), i);
        EXPECT_FALSE(CpuLevelName(CpuLevel(i)).isEmpty());
    }
    CpuLevel level;
    EXPECT_FALSE(ParseCpuLevel(QStringLiteral("Master"), level));
    EXPECT_FALSE(ParseCpuLevel(QStringLiteral("greedy"), level));
    EXPECT_EQ(MakeCpuController(CpuLevel::Hard)->playerName(), QStringLiteral("CPU Hard"));
    EXPECT_TRUE(KeyboardController().playerName().isEmpty());
}

} // namespace
