// Replays: a recorded game plays again to the very state it ended in, whatever ended
// it, and the recording survives being cut short.
#include "ReplaySupport.h"

#include "harness/Placer.h"

#include <gtest/gtest.h>

namespace {

// Plays until the game ends or ms pass, stopping exactly at the end.
void playUntilEnd(RecordedGame &g, std::uint32_t seed, std::int64_t ms) {
    std::mt19937 r(seed);
    const std::int64_t end = g.game.clock().now() + ms;
    while (g.game.Jugando && g.game.clock().now() < end) {
        if (g.game.clock().runUntil([&] { return !g.game.Jugando; }, std::int64_t(r() % 200)))
            break;
        const unsigned pick = r() % 40;
        if (pick < 10)
            g.game.input(Input::move(1 + int(r() % 2), Move(r() % MoveCount)));
        else
            g.game.input(Input::key(g.game.TeclasJuego[r() % 10]));
        g.recorder.flush();
    }
}

void expectReplaysTo(const Replay &replay, std::uint64_t hash, std::uint64_t wells) {
    ShownReplay shown(replay);
    shown.playback.start();
    shown.playback.runToEnd();
    EXPECT_TRUE(shown.playback.atEnd());
    EXPECT_EQ(shown.game.stateHash(), hash);
    EXPECT_EQ(WellsHash(shown.views), wells);
}

struct ModeCase {
    GameMode mode;
    std::uint32_t seed;
};

class EveryMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(EveryMode, AGameLostReplaysToItsEndStateAndPictures) {
    RecordedGame g(GetParam().mode, GetParam().seed);
    g.game.input(Input::command(InputKind::NewGame));
    playUntilEnd(g, GetParam().seed, 30 * 60000);
    ASSERT_FALSE(g.game.Jugando);
    ASSERT_EQ(g.store.files.size(), 1u);
    ASSERT_TRUE(g.store.files[0].finished);
    const Replay replay = g.replay();
    ASSERT_TRUE(replay.finished());
    EXPECT_EQ(replay.result->how, GameEnd::Lost);
    EXPECT_EQ(replay.result->stateHash, g.game.stateHash());
    EXPECT_EQ(replay.result->endTime, g.game.clock().now());
    EXPECT_EQ(replay.result->points[0], g.game.player(1).Points);
    EXPECT_EQ(replay.result->points[1], g.game.player(2).Points);
    EXPECT_GT(replay.inputs.size(), 20u);
    expectReplaysTo(replay, g.game.stateHash(), WellsHash(g.views));
}

TEST_P(EveryMode, AGameStoppedByANewGameEndsWhereItWasStoppedAndTheNextIsRecordedAnew) {
    RecordedGame g(GetParam().mode, GetParam().seed + 10, 4, 1000);
    g.game.input(Input::command(InputKind::NewGame));
    g.play(GetParam().seed, 3000);
    // Asked and cancelled: the game goes on, and its replay must take the same answer.
    g.host.questions = {2, 1};
    g.game.input(Input::command(InputKind::NewGame));
    ASSERT_TRUE(g.game.Jugando);
    g.play(GetParam().seed + 1, 3000);
    g.game.input(Input::command(InputKind::NewGame));
    ASSERT_EQ(g.host.asked, 2);
    ASSERT_EQ(g.store.files.size(), 2u);
    ASSERT_TRUE(g.store.files[0].finished);
    EXPECT_FALSE(g.store.files[1].finished);

    const Replay first = g.replay(0);
    ASSERT_TRUE(first.finished());
    EXPECT_EQ(first.result->how, GameEnd::Stopped);
    EXPECT_EQ(first.answers.back().answer.value, 2)
        << "the question that stopped it is no answer of it";
    ShownReplay shown(first);
    shown.playback.start();
    shown.playback.runToEnd();
    EXPECT_FALSE(shown.game.Jugando);
    EXPECT_EQ(shown.game.stateHash(), first.result->stateHash);

    // The second game, unfinished, replays up to the moment reached live.
    g.play(GetParam().seed + 2, 2000);
    const Replay second = g.replay(1);
    EXPECT_FALSE(second.finished());
    ShownReplay again(second);
    again.playback.start();
    again.playback.runTo(g.game.clock().now());
    EXPECT_EQ(again.game.stateHash(), g.game.stateHash());
    EXPECT_EQ(WellsHash(again.views), WellsHash(g.views));
}

INSTANTIATE_TEST_SUITE_P(Modes, EveryMode,
                         ::testing::Values(ModeCase{GameMode::OnePlayer, 3},
                                           ModeCase{GameMode::TwoPlayers, 4},
                                           ModeCase{GameMode::OneToOne, 5}));

TEST(Replay, AOnePlayerGameAfterATwoPlayerOneReplaysWhatTheFirstLeftOfPlayerTwo) {
    RecordedGame g(GameMode::TwoPlayers, 14, 4, 1000);
    g.game.input(Input::command(InputKind::NewGame));
    g.play(7, 8000);
    ASSERT_GT(g.game.player(2).GemsDealt, 0);
    g.game.input(Input::command(InputKind::SelectMode, int(GameMode::OnePlayer)));
    ASSERT_EQ(g.store.files.size(), 2u);
    g.play(6, 4000);
    const Replay second = g.replay(1);
    EXPECT_EQ(second.setup.mode, GameMode::OnePlayer);
    ShownReplay shown(second);
    shown.playback.start();
    shown.playback.runTo(g.game.clock().now());
    EXPECT_EQ(shown.game.stateHash(), g.game.stateHash());
}

TEST(Replay, TheLastStageCompletedReplaysWithTheNamesTypedForTheRecords) {
    // Every gem vanishes as it lands, so each landing completes a stage.
    RecordedGame g(GameMode::TwoPlayers, 8, 1, 2);
    g.game.input(Input::command(InputKind::NewGame));
    for (int i = 0; i < 4000 && g.game.Jugando; ++i) {
        g.game.clock().run(60);
        g.game.input(Input::key(g.game.TeclasJuego[i % 2 ? 4 : 9]));
        g.recorder.flush();
    }
    ASSERT_FALSE(g.game.Jugando);
    const Replay replay = g.replay();
    ASSERT_TRUE(replay.finished());
    EXPECT_EQ(replay.result->how, GameEnd::Completed);
    EXPECT_EQ(replay.result->stage, LastStage);
    ASSERT_EQ(g.host.recorded, 2);
    ShownReplay shown(replay);
    shown.playback.start();
    shown.playback.runToEnd();
    EXPECT_EQ(shown.game.player(1).Name, g.game.player(1).Name);
    EXPECT_TRUE(shown.game.player(2).Name.startsWith(u"Zoe 2"));
    EXPECT_EQ(shown.game.stateHash(), g.game.stateHash());
}

TEST(Replay, KeysChangedInTheKeyDialogMidGameReplayFromThatMoment) {
    RecordedGame g(GameMode::TwoPlayers, 9, 4, 1000);
    g.game.input(Input::command(InputKind::NewGame));
    g.play(1, 2000);
    g.host.keysTaken = {false, true};
    for (int dialog = 0; dialog < 2; ++dialog) {
        g.game.input(Input::command(InputKind::KeysDialog));
        g.game.input(Input::key(114)); // F3 continues
        g.play(10 + dialog, 2000);
    }
    ASSERT_NE(g.game.TeclasJuego, DefaultKeys);
    g.game.input(Input::command(InputKind::NewGame));
    const Replay replay = g.replay(0);
    ShownReplay shown(replay);
    shown.playback.start();
    shown.playback.runToEnd();
    EXPECT_EQ(shown.game.TeclasJuego, g.game.TeclasJuego);
    EXPECT_EQ(shown.game.stateHash(), replay.result->stateHash);
}

TEST(Replay, AComputerPlayersMovesReplayWithoutItAndKeysStillPassItBy) {
    RecordedGame g(GameMode::OneToOne, 11);
    g.game.setController(2, std::make_unique<Placer>(100));
    g.game.input(Input::command(InputKind::NewGame));
    playUntilEnd(g, 12, 20 * 60000);
    const Replay replay = g.replay();
    ASSERT_TRUE(replay.finished());
    EXPECT_EQ(replay.setup.players[1].controller, (ReplayController{"placer", {}, false, true}));
    EXPECT_EQ(replay.setup.players[0].controller, ReplayController{});
    expectReplaysTo(replay, g.game.stateHash(), WellsHash(g.views));
}

// A computer player that plays under a name of its own, as the CPU levels do.
class NamedPlacer : public Placer {
public:
    NamedPlacer() : Placer(100) {}
    QString playerName() const override { return QStringLiteral("Robot"); }
};

TEST(Replay, APersonAfterANamedComputerPlayerReplaysWithTheNameKeptAside) {
    // By stages, where no names dialog gives the names anew.
    RecordedGame g(GameMode::TwoPlayers, 15, 4, 1000);
    g.game.setController(2, std::make_unique<NamedPlacer>());
    g.game.input(Input::command(InputKind::NewGame));
    g.play(8, 3000);
    EXPECT_EQ(g.game.player(2).Name, "Robot");
    g.game.EndGame(false, nullptr);
    g.game.setController(2, std::make_unique<KeyboardController>());
    g.game.input(Input::command(InputKind::NewGame));
    g.play(9, 3000);
    const Replay first = g.replay(0), second = g.replay(1);
    EXPECT_EQ(first.setup.players[1].controller.playerName, "Robot");
    EXPECT_TRUE(second.setup.players[1].controller.playerName.isEmpty());
    ShownReplay shown(second);
    shown.playback.start();
    shown.playback.runTo(g.game.clock().now());
    EXPECT_EQ(shown.game.player(2).Name, g.game.player(2).Name);
    EXPECT_EQ(shown.game.stateHash(), g.game.stateHash());
    ShownReplay before(first);
    before.playback.start();
    before.playback.runToEnd();
    EXPECT_EQ(before.game.stateHash(), first.result->stateHash);
}

TEST(Replay, PlayingOnFromAMomentRecordsAReplayThatPlaysToTheNewEnd) {
    RecordedGame g(GameMode::OneToOne, 13);
    g.game.input(Input::command(InputKind::NewGame));
    g.play(2, 6000);
    g.game.input(Input::command(InputKind::NewGame));
    const Replay original = g.replay(0);

    // From 4 s in, a new game takes the state over and plays something else.
    HeadlessReplay seek(original);
    seek.playback.start();
    seek.playback.runTo(original.setup.startTime + 4000);
    RecordedGame on(GameMode::OneToOne, 99);
    on.game.adoptState(*seek.game);
    EXPECT_EQ(on.game.stateHash(), seek.game->stateHash());
    EXPECT_EQ(on.game.player(1).Name, original.answers.at(0).answer.first);
    on.recorder.continueFrom(original, seek.playback.inputsApplied(), seek.host.answers.used());
    playUntilEnd(on, 77, 20 * 60000);
    if (on.game.Jugando)
        on.game.input(Input::command(InputKind::NewGame));
    const Replay continued = on.replay(0);
    ASSERT_TRUE(continued.finished());
    ShownReplay shown(continued);
    shown.playback.start();
    shown.playback.runToEnd();
    EXPECT_EQ(shown.game.stateHash(), continued.result->stateHash);
}

TEST(Replay, AFailingStoreIsReportedOnceAndTheGameGoesOnAsIfUnrecorded) {
    RecordedGame failing(GameMode::OneToOne, 21), plain(GameMode::OneToOne, 21);
    failing.store.capacity = 3000;
    plain.game.setInputObserver(nullptr);
    for (RecordedGame *g : {&failing, &plain}) {
        g->game.input(Input::command(InputKind::NewGame));
        g->play(3, 20000);
    }
    EXPECT_EQ(failing.store.failures, 1);
    EXPECT_EQ(failing.game.stateHash(), plain.game.stateHash());
    // What was written before the failure still reads as an unfinished replay.
    Replay cut;
    ASSERT_TRUE(ReadReplay(failing.store.files[0].bytes, cut).ok());
    EXPECT_FALSE(cut.finished());
    EXPECT_GT(cut.inputs.size(), 0u);
}

} // namespace
