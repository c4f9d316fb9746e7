#include "Rig.h"

#include <gtest/gtest.h>

namespace {
void start(Rig &rig, GameMode mode) {
    rig.game->TipoJuego = mode;
    rig.game->mnNuevoJuegoClick();
    rig.runUntil([&] { return rig.p(1).Falling; });
}

// Lands player n's pair so that it completes a group of four at the bottom.
void eliminateFour(Rig &rig, int n) {
    TInfo &p = rig.p(n);
    rig.setBoard(n, bottom({"RR....."}));
    p.Gem1Colour = p.Gem2Colour = 1;
    rig.placePair(n, 2, 15, 1, 3, 15, 1);
    rig.game->Throw(p);
}
} // namespace

TEST(Stages, NewGameStartsStageOneWithItsText) {
    Rig rig;
    rig.setStages(5, 30, true, true);
    start(rig, GameMode::OnePlayer);
    EXPECT_EQ(rig.game->FaseActual, 1);
    EXPECT_EQ(rig.game->Limite, 5);
    EXPECT_TRUE(rig.game->RocasAzar && rig.game->LineasRocas);
    EXPECT_EQ(rig.stageLabel().value, "1");
    EXPECT_EQ(rig.host.matching("message").size(), 1u);
    EXPECT_TRUE(rig.p(2).StageDone);
    EXPECT_FALSE(rig.p(2).Active);
}

TEST(Stages, StageBoardIsCopiedIntoEveryActiveWell) {
    Rig rig;
    rig.setStages(4, 30, false, false);
    for (TFase &f : rig.game->Fases)
        f.Tablero[size_t(TBoard::index(0, 15))] = 7;
    start(rig, GameMode::TwoPlayers);
    EXPECT_EQ(rig.p(1).Board(0, 15), 7);
    EXPECT_EQ(rig.p(2).Board(0, 15), 7);
}

TEST(Stages, OnePlayerCompletesAtOnceWithoutBonus) {
    Rig rig;
    rig.setStages(4, 4, false, false);
    start(rig, GameMode::OnePlayer);
    eliminateFour(rig, 1);
    EXPECT_EQ(rig.game->FaseActual, 2);
    EXPECT_EQ(rig.p(1).Points, 40);
    EXPECT_EQ(rig.p(1).StageEliminated, 0);
    EXPECT_FALSE(rig.p(1).StageDone);
    EXPECT_TRUE(rig.p(2).StageDone);
    EXPECT_EQ(rig.host.matching("sound SND_FASE").size(), 1u);
    EXPECT_TRUE(rig.tickTimer(1).isEnabled());
    EXPECT_EQ(rig.p(1).NextColours.Count(), 2 + 4);
}

TEST(Stages, FirstToFinishGetsTheBonusAndWaits) {
    Rig rig;
    rig.setStages(4, 4, false, false);
    start(rig, GameMode::TwoPlayers);
    rig.runUntil([&] { return rig.p(2).Falling; });
    eliminateFour(rig, 1);
    TInfo &p1 = rig.p(1);
    EXPECT_EQ(p1.Points, 1040);
    EXPECT_TRUE(p1.StageDone);
    EXPECT_FALSE(rig.tickTimer(1).isEnabled());
    EXPECT_EQ(rig.host.matching("wait").size(), 1u); // for its own animation first
    EXPECT_EQ(rig.game->FaseActual, 1);
    // The waiting player's count may go below zero.
    rig.game->TimerStatusTimer();
    eliminateFour(rig, 2);
    EXPECT_EQ(rig.game->FaseActual, 2);
    EXPECT_EQ(rig.p(2).Points, 40); // the second gets no bonus
    EXPECT_FALSE(p1.StageDone);
    EXPECT_FALSE(rig.p(2).StageDone);
    EXPECT_TRUE(rig.tickTimer(1).isEnabled() && rig.tickTimer(2).isEnabled());
    EXPECT_EQ(p1.Eliminated, 4); // counters other than the stage's carry over
}

TEST(Stages, PartnerGoingOutCompletesTheStageForTheWaitingPlayer) {
    Rig rig;
    rig.setStages(4, 4, false, false);
    start(rig, GameMode::TwoPlayers);
    rig.runUntil([&] { return rig.p(2).Falling; });
    eliminateFour(rig, 1);
    ASSERT_TRUE(rig.p(1).StageDone);
    rig.p(2).Falling = false;
    rig.setBoard(2, std::vector<std::string>(16, "..R...."));
    rig.game->TimerTimer(2);
    EXPECT_FALSE(rig.p(2).Active);
    EXPECT_EQ(rig.host.matching("gameover").back(), "gameover 2");
    EXPECT_EQ(rig.game->FaseActual, 2);
    EXPECT_FALSE(rig.p(1).StageDone);
    // Player 2's well keeps its last picture: only the active player gets stage 2.
    EXPECT_EQ(rig.p(2).Board(2, 5), 1);
    EXPECT_EQ(rig.p(1).Board(2, 5), 0);
}

namespace {
// Player 1 reaches the target and waits for its animation; player 2's tick comes
// before the first frame of that animation.
void reachTargetBeforePartnersTick(Rig &rig, const std::vector<std::string> &rows1) {
    rig.tickTimer(2).scheduleAt(rig.now() + 1);
    rig.setBoard(1, bottom(rows1));
    rig.placePair(1, 2, 15, 1, 3, 15, 1);
    rig.game->Throw(rig.p(1));
}

std::vector<QString> takeMessages(TInfo &p) {
    std::vector<QString> texts;
    while (!p.Messages.IsEmpty()) {
        QString text;
        p.Messages.Pop(text);
        texts.push_back(text);
    }
    return texts;
}
} // namespace

TEST(Stages, PartnerGoingOutDuringTheWaitStartsTheNextStageClean) {
    Rig rig;
    rig.setStages(4, 4, false, false);
    start(rig, GameMode::TwoPlayers);
    rig.runUntil([&] { return rig.p(2).Falling; });
    rig.p(2).Falling = false;
    rig.setBoard(2, std::vector<std::string>(16, "..R...."));
    TInfo &p1 = rig.p(1);
    // The G above the group would be drawn one row down by the stage-1 animation.
    reachTargetBeforePartnersTick(rig, {"G......", "RR....."});
    EXPECT_FALSE(rig.p(2).Active);
    EXPECT_EQ(rig.game->FaseActual, 2);
    EXPECT_EQ(rig.host.matching("wait").size(), 1u);
    // No first-place bonus and no waiting text in the new stage.
    EXPECT_EQ(p1.Points, 40);
    EXPECT_EQ(rig.label(1, Rig::Points).value, "40");
    EXPECT_EQ(takeMessages(p1), (std::vector<QString>{"4", "4", ""}));
    EXPECT_FALSE(p1.StageDone || p1.Animating || p1.LandingPending);
    EXPECT_TRUE(p1.Drawings.IsEmpty());
    EXPECT_TRUE(rig.tickTimer(1).isEnabled());
    // The fresh well stays as the empty stage board drew it.
    rig.run(400);
    EXPECT_TRUE(rig.well(1).picture == rig.game->pictures().FondoVacio);
    rig.runUntil([&] { return p1.Falling; });
    EXPECT_EQ(p1.Board(0, 15), 0);
    EXPECT_TRUE(rig.game->Jugando);
}

TEST(Stages, PartnerReachingTheTargetDuringTheWaitCompletesTheStageOnce) {
    Rig rig;
    rig.setStages(4, 4, false, false);
    start(rig, GameMode::TwoPlayers);
    rig.runUntil([&] { return rig.p(2).Falling; });
    rig.setBoard(2, bottom({"RR....."}));
    rig.placePair(2, 2, 15, 1, 3, 15, 1);
    reachTargetBeforePartnersTick(rig, {"RR....."});
    // Player 2 lands in player 1's wait and completes the stage after its own wait.
    EXPECT_EQ(rig.host.matching("wait").size(), 2u);
    EXPECT_EQ(rig.host.matching("sound SND_FASE"),
              (std::vector<std::string>{"sound SND_FASE channel 2"}));
    EXPECT_EQ(rig.game->FaseActual, 2);
    EXPECT_EQ(rig.p(1).Points, 40);
    EXPECT_EQ(rig.p(2).Points, 40);
    EXPECT_FALSE(rig.p(1).StageDone || rig.p(2).StageDone);
    EXPECT_TRUE(rig.tickTimer(1).isEnabled() && rig.tickTimer(2).isEnabled());
}

// A change that let the old game's stage end go on in the new one survived every test:
// a new game (F2, or a mode chosen) while a player waits for the animation before its
// stage end. The one-player game marks player 2's stage done, so only the game's
// identity tells the old wait from the new game there.
TEST(Stages, NewGameDuringTheWaitForTheStageEndLeavesTheNewGameAlone) {
    struct Case {
        GameMode mode;
        int waiting;
        GameMode next;
    } cases[] = {{GameMode::OnePlayer, 1, GameMode::OnePlayer},
                 {GameMode::TwoPlayers, 1, GameMode::TwoPlayers},
                 {GameMode::TwoPlayers, 2, GameMode::OnePlayer}};
    for (const Case &k : cases) {
        Rig rig;
        rig.setStages(4, 4, false, false);
        start(rig, k.mode);
        rig.runUntil([&] { return k.mode == GameMode::OnePlayer || rig.p(2).Falling; });
        rig.host.duringWait = [&] { rig.game->mnTipoJuegoClick(k.next); };
        eliminateFour(rig, k.waiting);
        ASSERT_EQ(rig.host.matching("wait").size(), 1u);
        TInfo &p = rig.p(k.waiting);
        // The old stage 1 neither completes nor gives its bonus in the new game.
        EXPECT_EQ(rig.game->FaseActual, 1);
        EXPECT_TRUE(rig.host.matching("sound SND_FASE").empty());
        EXPECT_EQ(p.Points, 0);
        EXPECT_EQ(p.StageEliminated, 0);
        EXPECT_TRUE(p.Messages.IsEmpty()) << "no bonus or waiting text";
        EXPECT_TRUE(rig.game->Jugando);
        EXPECT_TRUE(rig.tickTimer(1).isEnabled());
        // The new game plays on from its first pair.
        rig.runUntil([&] { return rig.p(1).Falling; });
        EXPECT_EQ(rig.game->FaseActual, 1);
    }
}

TEST(Stages, SecondLoserEndsTheGameAndBothAreEnteredFirstOutFirst) {
    Rig rig;
    rig.setStages(4, 1000, false, false);
    start(rig, GameMode::TwoPlayers);
    rig.p(1).Points = 111;
    rig.p(2).Points = 222;
    rig.p(1).Falling = false;
    rig.setBoard(1, std::vector<std::string>(16, "..R...."));
    rig.game->TimerTimer(1);
    ASSERT_TRUE(rig.game->Jugando);
    rig.p(2).Falling = false;
    rig.setBoard(2, std::vector<std::string>(16, "...R..."));
    rig.game->TimerTimer(2);
    EXPECT_FALSE(rig.game->Jugando);
    const auto records = rig.host.matching("record-stages");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].substr(0, 34), "record-stages points 111 stage 1 n");
    EXPECT_EQ(records[1].substr(0, 34), "record-stages points 222 stage 1 n");
    EXPECT_EQ(rig.host.matching("gameover"),
              (std::vector<std::string>{"gameover 1", "gameover 2"}));
}

TEST(Stages, LastStageEndsWithTheFinalFormAndTenThousandPoints) {
    Rig rig;
    rig.setStages(4, 4, false, false);
    start(rig, GameMode::OnePlayer);
    rig.game->FaseActual = 25;
    eliminateFour(rig, 1);
    EXPECT_FALSE(rig.game->Jugando);
    EXPECT_EQ(rig.p(1).Points, 10040);
    const auto &log = rig.host.log;
    auto at = [&](const std::string &prefix) {
        for (size_t i = log.size(); i-- > 0;)
            if (log[i].rfind(prefix, 0) == 0)
                return int(i);
        return -1;
    };
    EXPECT_LT(at("sound SND_FASE"), at("final"));
    EXPECT_LT(at("final"), at("mixer off"));
    EXPECT_LT(at("mixer off"), at("record-stages points 10040 stage 25"));
    EXPECT_EQ(rig.host.matching("record-stages").size(), 2u);
}

TEST(Stages, OneToOneLoserIsNamedFirstAndTheWinnerGetsAThousand) {
    Rig rig;
    for (QString &t : rig.game->TextosDerrota)
        t = QStringLiteral("%s lost to %s");
    start(rig, GameMode::OneToOne);
    EXPECT_EQ(rig.label(1, Rig::Name).value, "Ann");
    rig.p(1).Points = 50;
    rig.p(2).Points = 70;
    rig.p(2).Falling = false;
    rig.setBoard(2, std::vector<std::string>(16, "..R...."));
    rig.game->TimerTimer(2);
    EXPECT_FALSE(rig.game->Jugando);
    EXPECT_EQ(rig.p(1).Points, 1050);
    EXPECT_EQ(rig.label(1, Rig::Points).value, "1050");
    EXPECT_EQ(rig.host.matching("sound SND_FASE").back(), "sound SND_FASE channel 2");
    EXPECT_EQ(rig.host.matching("message").back().rfind("message \"Bob lost to Ann\" title", 0),
              0u);
    EXPECT_EQ(rig.host.matching("record-vs"),
              (std::vector<std::string>{"record-vs points 1050 won yes name Ann",
                                        "record-vs points 70 won no name Bob"}));
    EXPECT_EQ(rig.host.log[rig.host.log.size() - 2], "highscores");
    EXPECT_TRUE(rig.host.matching("gameover").empty());
}

TEST(Stages, StatusLineShowsGemsRemainingOrRocksToFall) {
    Rig rig;
    rig.setStages(4, 30, false, false);
    start(rig, GameMode::OnePlayer);
    rig.p(1).StageEliminated = 12;
    rig.game->TimerStatusTimer();
    // Texts come from the language tables; the numbers must be the right ones.
    const QString one = rig.label(1, Rig::Rocks).value, two = rig.label(2, Rig::Rocks).value;
    if (!one.isEmpty()) {
        EXPECT_TRUE(one.contains("18"));
        EXPECT_TRUE(two.contains("30"));
    }
}

TEST(Stages, TargetOfZeroIsReachedByTheFirstLanding) {
    Rig rig;
    rig.setStages(4, 0, false, false);
    start(rig, GameMode::OnePlayer);
    rig.game->Throw(rig.p(1));
    EXPECT_EQ(rig.game->FaseActual, 2);
}

// Random rocks and lines are timed from the start of the game, not of the stage.
TEST(Stages, GemsDealtLevelAndIntervalCarryOverToTheNextStage) {
    Rig rig;
    rig.setStages(4, 4, false, false);
    start(rig, GameMode::OnePlayer);
    rig.p(1).Eliminated = 139;
    eliminateFour(rig, 1);
    EXPECT_EQ(rig.game->FaseActual, 2);
    EXPECT_EQ(rig.p(1).GemsDealt, 2);
    EXPECT_EQ(rig.p(1).Level, 2);
    EXPECT_EQ(rig.tickTimer(1).interval(), 450);
}

TEST(Stages, GroupsOnTheStageBoardStayUntilALandingReachesThem) {
    Rig rig;
    rig.setStages(4, 100, false, false);
    for (TFase &f : rig.game->Fases)
        for (int c = 0; c < 4; ++c)
            f.Tablero[size_t(TBoard::index(c, 15))] = 2;
    start(rig, GameMode::OnePlayer);
    rig.run(2000);
    EXPECT_EQ(rig.p(1).Board(0, 15), 2);
    EXPECT_EQ(rig.p(1).Eliminated, 0);
}
