// The replays window lists what the folder holds, filters by mode, keeps one for good,
// deletes one after asking, and names the files it cannot read.
#include "dialogs/Repeticiones.h"

#include "ModalDriver.h"
#include "dialogs/Mensajes.h"
#include "engine/Game.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class Repeticiones : public ::testing::Test {
protected:
    void SetUp() override {
        recorder.wallClock = [this] { return at += 60000; };
        game.setInputObserver(&recorder);
        for (GameMode mode : {GameMode::OnePlayer, GameMode::OneToOne, GameMode::TwoPlayers}) {
            game.TipoJuego = mode;
            game.input(Input::command(InputKind::NewGame));
            game.clock().run(2500);
            game.EndGame(false, nullptr);
        }
        QFile junk(dir.filePath("old.replay"));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("garbage");
    }
    QStringList column(const TfRepeticiones &d, int c) const {
        QStringList texts;
        for (int i = 0; i < d.lvLista->topLevelItemCount(); ++i)
            texts << d.lvLista->topLevelItem(i)->text(c);
        return texts;
    }

    QTemporaryDir dir;
    ReplayLibrary library{dir.path()};
    Game game{GameBindings{}, TPictures(), 2};
    ReplayRecorder recorder{game, library};
    std::int64_t at = 1700000000000;
};

TEST_F(Repeticiones, ListsNewestFirstFiltersByModeAndNamesWhatItCannotRead) {
    TfRepeticiones d(library);
    EXPECT_EQ(d.windowTitle(), "Replays");
    EXPECT_EQ(column(d, 1), (QStringList{"Two players", "One to one", "One player"}));
    EXPECT_EQ(column(d, 3), (QStringList{"Stopped", "Stopped", "Stopped"}));
    EXPECT_EQ(column(d, 5), (QStringList{"0:02", "0:02", "0:02"}));
    EXPECT_TRUE(d.lblProblemas->text().contains("old.replay is not a Cobaltix replay."));
    d.cbModo->setCurrentIndex(3);
    EXPECT_EQ(column(d, 1), QStringList{"One to one"});
    EXPECT_EQ(column(d, 2), QStringList{"Player 1 \u2013 Player 2"});
    d.cbModo->setCurrentIndex(1);
    EXPECT_EQ(column(d, 1), QStringList{"One player"});
    EXPECT_EQ(column(d, 2), QStringList{"Player 1"});
}

TEST_F(Repeticiones, WatchKeepAndDeleteActOnTheChosenReplay) {
    TfRepeticiones d(library);
    d.lvLista->setCurrentItem(d.lvLista->topLevelItem(1));
    d.btnGuardar->click();
    EXPECT_EQ(d.lvLista->topLevelItem(1)->text(6), "\u2713");
    EXPECT_TRUE(d.btnGuardar->isChecked());
    d.Refrescar();
    EXPECT_EQ(column(d, 6), (QStringList{"", "\u2713", ""}));

    // Deleting asks; Cancel keeps it, OK removes it.
    d.lvLista->setCurrentItem(d.lvLista->topLevelItem(0));
    ModalDriver cancel({[](QWidget *box) { static_cast<TfMensaje *>(box)->btnCancelar->click(); }});
    d.btnBorrar->click();
    EXPECT_EQ(cancel.stepsLeft(), 0u);
    EXPECT_EQ(d.lvLista->topLevelItemCount(), 3);
    ModalDriver ok({[](QWidget *box) { static_cast<TfMensaje *>(box)->btnAceptar->click(); }});
    d.btnBorrar->click();
    EXPECT_EQ(d.lvLista->topLevelItemCount(), 2);
    EXPECT_EQ(library.list().size(), 2u);

    d.lvLista->setCurrentItem(d.lvLista->topLevelItem(0));
    d.btnVer->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(d.chosen().contains("/kept/"));
}

} // namespace
