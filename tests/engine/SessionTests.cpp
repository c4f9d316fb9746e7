#include "Rig.h"

#include <gtest/gtest.h>

namespace {
void start(Rig &rig, GameMode mode) {
    rig.game->TipoJuego = mode;
    rig.game->mnNuevoJuegoClick();
    rig.runUntil([&] { return rig.p(1).Falling; });
}
bool anyTimerOn(Rig &rig) {
    for (int i = 0; i < 5; ++i)
        if (rig.game->clock().timer(i).isEnabled())
            return true;
    return false;
}
} // namespace

TEST(Session, PauseKeyDoesNothingWithoutAGame) {
    Rig rig;
    rig.game->FormKeyDown(114);
    EXPECT_FALSE(rig.game->Pausado);
    start(rig, GameMode::OneToOne);
    rig.game->EndGame(false, nullptr);
    rig.game->FormKeyDown(114);
    EXPECT_FALSE(rig.game->Pausado);
}

TEST(Session, PauseStopsEverythingAndShowsThePausePicture) {
    Rig rig;
    start(rig, GameMode::TwoPlayers);
    const QImage well1 = rig.well(1).picture, well2 = rig.well(2).picture;
    rig.game->FormKeyDown(114);
    EXPECT_TRUE(rig.game->Pausado);
    EXPECT_FALSE(anyTimerOn(rig));
    EXPECT_EQ(rig.host.log.back(), "mixer off");
    QImage expected = rig.game->pictures().FondoVacio;
    Raster::drawMasked(expected, {12, 75}, rig.game->pictures().PausaAND,
                       rig.game->pictures().PausaXOR);
    EXPECT_EQ(rig.well(1).picture, expected);
    EXPECT_EQ(rig.well(2).picture, expected);
    // Keys do not move a pair while paused, and drawing steps wait.
    const int col = rig.p(1).Gem1Col;
    rig.game->FormKeyDown(37);
    EXPECT_EQ(rig.p(1).Gem1Col, col);
    rig.p(1).Drawings.Push(0, 0, 9);
    rig.game->TimerDibujarTimer(1);
    EXPECT_EQ(rig.p(1).Drawings.Count(), 1);

    rig.game->mnPausaClick();
    EXPECT_FALSE(rig.game->Pausado);
    EXPECT_EQ(rig.well(1).picture, well1);
    EXPECT_EQ(rig.well(2).picture, well2);
    EXPECT_TRUE(rig.tickTimer(1).isEnabled() && rig.tickTimer(2).isEnabled() && rig.statusTimer().isEnabled());
    EXPECT_TRUE(rig.drawTimer(1).isEnabled() && rig.drawTimer(2).isEnabled());
    EXPECT_EQ(rig.host.log.back(), "mixer on");
}

TEST(Session, OnePlayerPauseLeavesWellTwoAlone) {
    Rig rig;
    start(rig, GameMode::OnePlayer);
    const QImage well2 = rig.well(2).picture;
    rig.game->mnPausaClick();
    EXPECT_EQ(rig.well(2).picture, well2);
    rig.game->mnPausaClick();
    EXPECT_FALSE(rig.tickTimer(2).isEnabled());
}

TEST(Session, StoppingAPausedGameLiftsThePause) {
    Rig rig;
    start(rig, GameMode::OneToOne);
    const QImage well1 = rig.well(1).picture;
    rig.game->mnPausaClick();
    rig.game->EndGame(false, nullptr);
    EXPECT_FALSE(rig.game->Pausado);
    EXPECT_FALSE(rig.game->isPauseEnabled());
    EXPECT_EQ(rig.well(1).picture, well1);
    EXPECT_FALSE(anyTimerOn(rig));
}

TEST(Session, KeyOfBothPlayersMovesBothPairs) {
    Rig rig;
    rig.game->TeclasJuego = {37, 39, 38, 40, 13, 37, 68, 87, 83, 17};
    start(rig, GameMode::OneToOne);
    rig.game->FormKeyDown(37);
    EXPECT_EQ(rig.p(1).Gem1Col, 1);
    EXPECT_EQ(rig.p(2).Gem1Col, 1);
    rig.game->FormKeyDown(68);
    EXPECT_EQ(rig.p(1).Gem1Col, 1);
    EXPECT_EQ(rig.p(2).Gem1Col, 2);
}

TEST(Session, EachKeyDoesItsMove) {
    Rig rig;
    start(rig, GameMode::OneToOne);
    TInfo &p = rig.p(1);
    rig.game->FormKeyDown(39);
    EXPECT_EQ(p.Gem1Col, 3);
    rig.game->FormKeyDown(40);
    EXPECT_EQ(p.Gem1Row, 1);
    rig.game->FormKeyDown(38);
    EXPECT_TRUE(p.isVertical());
    const int dealt = p.GemsDealt;
    rig.game->FormKeyDown(13);
    EXPECT_EQ(p.GemsDealt, dealt + 2); // thrown, landed, next pair dealt
    rig.game->FormKeyDown(-5);         // odd codes are ignored
    rig.game->FormKeyDown(70000);
}

TEST(Session, PlayerTwoKeysDoNothingInAOnePlayerGame) {
    Rig rig;
    start(rig, GameMode::OnePlayer);
    rig.game->FormKeyDown(65);
    EXPECT_FALSE(rig.p(2).Falling);
    EXPECT_EQ(gemsOnBoard(rig.p(2)), 0);
    EXPECT_EQ(rig.label(2, Rig::Points).value, "0");
}

TEST(Session, NewGameDuringAGameAsksAndCancelKeepsIt) {
    Rig rig;
    start(rig, GameMode::OneToOne);
    rig.p(1).Points = 77;
    rig.host.answers = {2};
    rig.game->FormKeyDown(113);
    EXPECT_TRUE(rig.game->Jugando);
    EXPECT_EQ(rig.p(1).Points, 77);
    EXPECT_FALSE(rig.game->Pausado); // the question does not pause
    rig.game->FormKeyDown(113);      // OK
    EXPECT_TRUE(rig.game->Jugando);
    EXPECT_EQ(rig.p(1).Points, 0);
    EXPECT_EQ(rig.host.matching("message").size(), 2u);
}

TEST(Session, PausedNewGameAsksThenStartsAfresh) {
    Rig rig;
    start(rig, GameMode::TwoPlayers);
    rig.game->FormKeyDown(114);
    rig.game->FormKeyDown(113);
    EXPECT_TRUE(rig.game->Jugando);
    EXPECT_FALSE(rig.game->Pausado);
    EXPECT_TRUE(rig.tickTimer(1).isEnabled());
}

TEST(Session, ModeChangeCancelKeepsTheOldModeAndGame) {
    Rig rig;
    start(rig, GameMode::OneToOne);
    rig.host.answers = {2};
    rig.game->mnTipoJuegoClick(GameMode::OnePlayer);
    EXPECT_EQ(rig.game->TipoJuego, GameMode::OneToOne);
    EXPECT_TRUE(rig.game->Jugando);
    rig.game->mnTipoJuegoClick(GameMode::OnePlayer);
    EXPECT_EQ(rig.game->TipoJuego, GameMode::OnePlayer);
    EXPECT_TRUE(rig.game->Jugando);
    EXPECT_EQ(rig.game->FaseActual, 1);
}

TEST(Session, OneToOneAsksNamesAndStartsWithoutStage) {
    Rig rig;
    rig.game->FaseActual = 7;
    start(rig, GameMode::OneToOne);
    EXPECT_EQ(rig.host.matching("names").size(), 1u);
    EXPECT_EQ(rig.p(2).Name, "Bob");
    EXPECT_EQ(rig.label(2, Rig::Name).value, "Bob");
    EXPECT_EQ(rig.game->FaseActual, 0);
    EXPECT_EQ(rig.stageLabel().value, "0");
    EXPECT_EQ(rig.game->Limite, 4);
    EXPECT_TRUE(rig.p(1).NextColours.Jokers);
    EXPECT_EQ(rig.p(2).NextColours.RepeatChance, 25);
    EXPECT_TRUE(rig.host.matching("message").empty());
}

TEST(Session, HelpPausesAndDefineKeysKeepsTheGamePaused) {
    Rig rig;
    start(rig, GameMode::OneToOne);
    rig.game->FormKeyDown(112);
    EXPECT_TRUE(rig.game->Pausado);
    rig.game->FormKeyDown(116);
    EXPECT_TRUE(rig.game->Pausado);
    EXPECT_EQ(rig.game->TeclasJuego, DefaultKeys);
}

TEST(Session, SoundSwitchSilencesCuesButNotTheMixer) {
    Rig rig;
    rig.game->Sonido = false;
    start(rig, GameMode::OneToOne);
    rig.game->Throw(rig.p(1));
    EXPECT_TRUE(rig.host.matching("sound").empty());
    EXPECT_EQ(rig.host.matching("mixer on").size(), 1u);
}

TEST(Session, SameSeedReplaysTheSameGame) {
    auto play = [](std::uint32_t seed) {
        Rig rig(seed, false);
        start(rig, GameMode::OneToOne);
        for (int i = 0; i < 40 && rig.game->Jugando; ++i) {
            rig.game->FormKeyDown(i % 3 == 0 ? 37 : 38);
            rig.game->FormKeyDown(13);
            rig.run(300);
        }
        return rig.boardRows(1);
    };
    EXPECT_EQ(play(9), play(9));
    EXPECT_NE(play(9), play(10));
}

TEST(Session, GameWithoutPicturesOrHostStillPlays) {
    GameBindings none;
    Game game(none, TPictures(), 3);
    game.TipoJuego = GameMode::TwoPlayers;
    for (TFase &f : game.Fases) {
        f.Objetivo = 4;
        f.Limite = 4;
        for (int c = -1; c <= 7; ++c)
            for (int r = -1; r <= 16; ++r)
                f.Tablero[size_t(TBoard::index(c, r))] =
                    (c < 0 || c > 6 || r < 0 || r > 15) ? -1 : 0;
    }
    game.mnNuevoJuegoClick();
    for (int i = 0; i < 3000 && game.Jugando; ++i) {
        game.TimerTimer(1 + i % 2);
        game.TimerDibujarTimer(1 + i % 2);
        game.FormKeyDown(i % 2 ? 13 : 17);
    }
    EXPECT_GT(game.FaseActual + int(!game.Jugando), 1);
}

// A failing cue must not end the tick that made it: the first failure is reported,
// the game goes on silently, and the next new game tries sound again.
TEST(Session, FailingSoundIsReportedOnceAndTheGameGoesOn) {
    Rig rig;
    start(rig, GameMode::OneToOne);
    rig.host.failSound = true;
    for (int i = 0; i < 5; ++i) {
        rig.setBoard(1, {});
        rig.game->Throw(rig.p(1));
    }
    EXPECT_EQ(rig.p(1).GemsDealt, 12); // every landing dealt the next pair
    EXPECT_EQ(rig.host.matching("error"),
              (std::vector<std::string>{"error Failed to write block to device. title Cobaltix"}));
    rig.host.failSound = false;
    rig.game->Throw(rig.p(1));
    EXPECT_TRUE(rig.host.matching("sound").empty()); // silent for the rest of the game
    rig.game->FormKeyDown(113);
    rig.runUntil([&] { return rig.p(1).Falling; });
    rig.game->Throw(rig.p(1));
    EXPECT_EQ(rig.host.matching("sound").size(), 1u);
}

TEST(Session, FailingMixerActivationStillStartsTheGame) {
    Rig rig;
    rig.host.failMixer = true;
    start(rig, GameMode::OneToOne);
    EXPECT_TRUE(rig.game->Jugando);
    EXPECT_TRUE(rig.p(1).Falling);
    rig.game->FormKeyDown(114);
    rig.game->FormKeyDown(114);
    EXPECT_EQ(rig.host.matching("error").size(), 1u);
}
