// The sound cues over the real mixer on whatever device the machine has (the silent
// one without audio): a failing mixer is reported once and the game goes on.
#include "shell/Sonidos.h"
#include "sound/SoundMix.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {
struct Cues : ::testing::Test {
    Cues() {
        sonidos.Reportar = [this](const QString &m) { reports << m; };
        sonidos.Crear();
    }
    TSonidos sonidos;
    QStringList reports;
};
} // namespace

TEST_F(Cues, TheSixWavesLoadFromTheProgramsResources) {
    ASSERT_NE(sonidos.SoundMix(), nullptr) << reports.join('\n').toStdString();
    sonidos.Abrir();
    for (TSonido w : {TSonido::Depositar, TSonido::Eliminar, TSonido::Nivel, TSonido::Rocas,
                      TSonido::Lineas, TSonido::Fase})
        EXPECT_NE(sonidos.wave(w), nullptr) << SoundName(w);
    EXPECT_TRUE(reports.isEmpty()) << reports.join('\n').toStdString();
    sonidos.setActivated(true);
    EXPECT_TRUE(sonidos.activated());
    sonidos.Play(TSonido::Eliminar, 0);
    sonidos.Play(TSonido::Nivel, 3);
    sonidos.setActivated(false);
    EXPECT_FALSE(sonidos.activated());
    EXPECT_TRUE(reports.isEmpty()) << reports.join('\n').toStdString();
    sonidos.Liberar();
    EXPECT_EQ(sonidos.wave(TSonido::Fase), nullptr);
}

TEST_F(Cues, AFailingCueIsReportedOnceAndLaterCuesStaySilent) {
    ASSERT_NE(sonidos.SoundMix(), nullptr);
    sonidos.Abrir();
    sonidos.setActivated(true);
    // Channel 9 is not open: the mixer refuses the cue.
    sonidos.Play(TSonido::Depositar, 9);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(sonidos.failed());
    sonidos.Play(TSonido::Depositar, 9);
    sonidos.Play(TSonido::Depositar, 0);
    EXPECT_EQ(reports.size(), 1);
    // The next game tries again; a new failure is not shown a second time.
    sonidos.setActivated(false);
    sonidos.setActivated(true);
    EXPECT_FALSE(sonidos.failed());
    sonidos.Play(TSonido::Depositar, 0);
    EXPECT_FALSE(sonidos.failed());
    sonidos.Play(TSonido::Depositar, 9);
    EXPECT_EQ(reports.size(), 1);
}

TEST_F(Cues, SwitchedOffMakesNoCallAtAll) {
    ASSERT_NE(sonidos.SoundMix(), nullptr);
    sonidos.Abrir();
    sonidos.setActivated(true);
    sonidos.Habilitado = false;
    // Would fail if it reached the mixer.
    sonidos.Play(TSonido::Depositar, 9);
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_FALSE(sonidos.failed());
}

TEST(CuesWithoutWaves, CuesBeforeTheWavesAreLoadedAreSilent) {
    TSonidos sonidos;
    QStringList reports;
    sonidos.Reportar = [&](const QString &m) { reports << m; };
    sonidos.Play(TSonido::Fase, 0); // no mixer yet
    sonidos.Crear();
    sonidos.setActivated(true);
    sonidos.Play(TSonido::Fase, 0); // no waves yet
    EXPECT_TRUE(reports.isEmpty());
}

// The mixer and the waves come once, when a game first wants sound.
TEST(CuesWithoutWaves, PreparedOnceOnDemand) {
    TSonidos sonidos;
    QStringList reports;
    sonidos.Reportar = [&](const QString &m) { reports << m; };
    EXPECT_EQ(sonidos.SoundMix(), nullptr);
    sonidos.Preparar();
    TSoundMix *mixer = sonidos.SoundMix();
    ASSERT_NE(mixer, nullptr) << reports.join('\n').toStdString();
    TMixerWave *fase = sonidos.wave(TSonido::Fase);
    EXPECT_NE(fase, nullptr);
    sonidos.Preparar();
    EXPECT_EQ(sonidos.SoundMix(), mixer);
    EXPECT_EQ(sonidos.wave(TSonido::Fase), fase);
    EXPECT_TRUE(reports.isEmpty());
}
