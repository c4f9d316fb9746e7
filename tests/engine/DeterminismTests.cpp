// The game as a deterministic simulation: the same seed and the same inputs at the same
// clock times give the same game, replayed or copied.
#include "engine/Game.h"
#include "engine/InputLog.h"
#include "harness/Harness.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct Step {
    int delayMs;
    Input input;
};

// A seeded stream of plausible play: pauses, the ten game keys, now and then F3 twice,
// and a new game whenever one has ended.
std::vector<Step> randomSteps(std::uint32_t seed, int count) {
    std::mt19937 r(seed);
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i) {
        const int delay = int(r() % 240);
        const int pick = int(r() % 40);
        if (pick == 0) {
            steps.push_back({delay, Input::key(114)});
            steps.push_back({int(r() % 100), Input::key(114)});
        } else if (pick == 1) {
            steps.push_back({delay, Input::command(InputKind::NewGame)});
        } else if (pick < 8) {
            steps.push_back({delay, Input::move(1 + int(r() % 2), Move(r() % MoveCount))});
        } else {
            steps.push_back({delay, Input::key(DefaultKeys[r() % 10])});
        }
    }
    return steps;
}

struct Headless {
    Headless(GameMode mode, std::uint32_t seed)
        : game(views.bindings(nullptr), TPictures::plain(), seed) {
        for (int n = 1; n <= 2; ++n)
            views.player(n).well.picture = game.pictures().FondoVacio;
        game.Fases.fill(PlainStage(4, 12, true, true));
        game.TipoJuego = mode;
    }
    void play(const std::vector<Step> &steps) {
        for (const Step &s : steps) {
            game.clock().run(s.delayMs);
            game.input(game.Jugando || s.input.kind == InputKind::NewGame
                           ? s.input
                           : Input::command(InputKind::NewGame));
        }
    }
    std::uint64_t wells() { return WellsHash(views); }

    HeadlessViews views;
    Game game;
};

// Plays steps live while logging, replays the log from the clock on a fresh game, and
// checks both end alike, state and pictures.
void expectReplayMatches(GameMode mode, std::uint32_t seed, int count) {
    Headless live(mode, seed);
    InputLog log;
    live.game.setInputObserver(&log);
    live.game.input(Input::command(InputKind::NewGame));
    live.play(randomSteps(seed, count));
    const std::int64_t end = live.game.clock().now();

    Headless replay(mode, seed);
    InputSchedule schedule(replay.game, log.inputs);
    replay.game.clock().setEvents(&schedule);
    replay.game.clock().run(end);
    ASSERT_TRUE(schedule.done());
    EXPECT_EQ(replay.game.stateHash(), live.game.stateHash()) << "seed " << seed;
    EXPECT_EQ(replay.wells(), live.wells()) << "seed " << seed;
}

// Guards the input log: stamps taken when inputs apply must place them exactly again.
TEST(Determinism, ALoggedGameReplaysToTheSameStateAndPictures) {
    for (GameMode mode : {GameMode::OnePlayer, GameMode::TwoPlayers, GameMode::OneToOne})
        expectReplayMatches(mode, 11, 400);
}

// Guards copies of the game for look-ahead: every piece of state must be copied.
TEST(Determinism, ACopyAdvancedWithTheSameInputsEndsLikeTheOriginal) {
    for (GameMode mode : {GameMode::OnePlayer, GameMode::TwoPlayers, GameMode::OneToOne}) {
        Headless original(mode, 5);
        original.game.input(Input::command(InputKind::NewGame));
        original.play(randomSteps(5, 60));
        std::unique_ptr<Game> copy = original.game.headlessCopy();
        EXPECT_EQ(copy->stateHash(), original.game.stateHash());
        const std::vector<Step> more = randomSteps(6, 120);
        original.play(more);
        for (const Step &s : more) {
            copy->clock().run(s.delayMs);
            copy->input(copy->Jugando || s.input.kind == InputKind::NewGame
                            ? s.input
                            : Input::command(InputKind::NewGame));
        }
        EXPECT_EQ(copy->stateHash(), original.game.stateHash()) << int(mode);
    }
}

// Guards against anything but the seed and the inputs deciding the play. COBALTIX_SOAK_GAMES
// sets the number of games (bench/soak/run.sh plays thousands).
TEST(Determinism, SoakOfSeededGamesReplaysIdentically) {
    const int wanted = qEnvironmentVariableIntValue("COBALTIX_SOAK_GAMES");
    const int total = wanted > 0 ? wanted : 150;
    int games = 0;
    for (std::uint32_t seed = 100; games < total; ++seed) {
        for (GameMode mode : {GameMode::OnePlayer, GameMode::TwoPlayers, GameMode::OneToOne}) {
            expectReplayMatches(mode, seed, 25);
            ++games;
        }
        if (::testing::Test::HasFailure())
            return;
    }
}

// Guards the hash itself: different play must not hash alike.
TEST(Determinism, DifferentSeedsGiveDifferentStates) {
    Headless a(GameMode::OneToOne, 1), b(GameMode::OneToOne, 2);
    for (Headless *h : {&a, &b}) {
        h->game.input(Input::command(InputKind::NewGame));
        h->play(randomSteps(3, 50));
    }
    EXPECT_NE(a.game.stateHash(), b.game.stateHash());
}

} // namespace
