// The main window offscreen: its outline, its components, the menu through a game's
// life, keys reaching the game, the pause picture, closing and dragging.
#include "WindowFixture.h"

#include "shell/Cristal.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "core/Texts.h"
#include "services/DataFiles.h"

namespace {
QString Caption(const QAction *a) {
    return a->text().section(QLatin1Char('\t'), 0, 0);
}
} // namespace

TEST_F(WindowTest, OutlineIsTheUnionOfTheEightAreas) {
    TestWindow w;
    const QRegion &r = w.region();
    EXPECT_EQ(w.size(), QSize(632, 460));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    // One point well inside each area.
    for (QPoint p : {QPoint(127, 205), QPoint(502, 205), QPoint(127, 435), QPoint(502, 435),
                     QPoint(315, 240), QPoint(326, 15), QPoint(350, 15), QPoint(290, 15)})
        EXPECT_TRUE(r.contains(p)) << p.x() << "," << p.y();
    // Gaps between the areas, the rounded corners and the hidden accelerator's place.
    for (QPoint p :
         {QPoint(257, 200), QPoint(372, 200), QPoint(313, 15), QPoint(338, 15), QPoint(365, 15),
          QPoint(255, 10), QPoint(0, 0), QPoint(254, 409), QPoint(0, 412), QPoint(127, 457),
          QPoint(631, 200), QPoint(260, 30), QPoint(369, 454)})
        EXPECT_FALSE(r.contains(p)) << p.x() << "," << p.y();
    EXPECT_EQ(r.boundingRect(), QRect(0, 0, 630, 455));
}

TEST_F(WindowTest, ComponentsSitAtTheirPlaces) {
    TestWindow w;
    const std::vector<std::pair<QWidget *, QRect>> places = {
        {w.imgFondo1, {5, 5, 245, 400}},        {w.imgFondo2, {380, 5, 245, 400}},
        {w.imgMarcador, {260, 30, 110, 425}},   {w.imgSgtes1, {265, 75, 70, 25}},
        {w.imgSgtes2, {294, 280, 70, 25}},      {w.lblPuntos1, {265, 121, 71, 16}},
        {w.lblEliminadas1, {265, 175, 71, 19}}, {w.lblNivel1, {337, 202, 31, 16}},
        {w.lblFase, {342, 236, 31, 16}},        {w.lblPuntos2, {295, 326, 71, 16}},
        {w.lblEliminadas2, {295, 380, 71, 16}}, {w.lblNivel2, {337, 407, 31, 16}},
        {w.imgStatus1, {0, 415, 255, 40}},      {w.imgStatus2, {375, 415, 255, 40}},
        {w.lblRocas1, {15, 422, 181, 13}},      {w.lblStatus1, {15, 436, 181, 13}},
        {w.lblRocas2, {390, 422, 181, 13}},     {w.lblStatus2, {390, 436, 181, 13}},
        {w.btnMenu, {270, 5, 41, 20}},          {w.btnMinimizar, {316, 5, 21, 20}},
        {w.btnCerrar, {340, 5, 21, 20}}};
    for (auto [widget, place] : places)
        EXPECT_EQ(widget->geometry(), place) << widget->objectName().toStdString();
    EXPECT_EQ(w.lblJugador1->pos(), QPoint(265, 35));
    EXPECT_EQ(w.lblJugador2->y(), 437);
    // Right aligned, its right edge under the numbers' right edge.
    EXPECT_EQ(w.lblJugador2->geometry().right(), w.lblPuntos2->geometry().right());
    EXPECT_EQ(w.lblJugador1->text(), "Player 1");
    EXPECT_EQ(w.lblJugador2->text(), "Player 2");
    for (TEtiqueta *l : {w.lblPuntos1, w.lblStatus2, w.lblJugador2}) {
        EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(Qt::white));
        EXPECT_TRUE(l->font().bold());
        EXPECT_FALSE(l->autoFillBackground());
    }
    EXPECT_EQ(w.lblPuntos1->font().pixelSize(), 13);
    EXPECT_EQ(w.lblStatus1->font().pixelSize(), 11);
    EXPECT_EQ(w.btnMenu->toolTip(), "Menu (ALT+M)");
    EXPECT_EQ(w.btnMinimizar->toolTip(), "Minimize");
    EXPECT_EQ(w.btnCerrar->toolTip(), "Close");
    // The glass layer lies over the scoreboard and its labels and takes the mouse.
    EXPECT_EQ(w.childAt(w.lblPuntos1->geometry().center()), w.imgCristal);
    EXPECT_EQ(w.childAt(QPoint(290, 15)), w.btnMenu);
    EXPECT_EQ(w.imgFondo1->image().size(), QSize(245, 400));
    EXPECT_EQ(w.imgSgtes1->image().size(), QSize(70, 25));
}

TEST_F(WindowTest, MenuFollowsIdlePlayingAndPaused) {
    TestWindow w;
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    // Idle.
    EXPECT_FALSE(w.mnPausa->isEnabled());
    EXPECT_EQ(Caption(w.mnPausa), "&Pause");
    EXPECT_EQ(w.mnPausa->text(), "&Pause\tF3");
    EXPECT_TRUE(w.mnUnJugador->isChecked());
    EXPECT_TRUE(w.mnSonido->isChecked());
    EXPECT_TRUE(w.mnEnglish->isChecked());
    EXPECT_EQ(w.mnUnJugador->property("Tag").toInt(), 10015);
    EXPECT_EQ(w.mnEspaniol->property("Tag").toInt(), 1);
    w.mnPausa->trigger();
    EXPECT_FALSE(w.juego().Pausado);

    // Playing.
    startGame(w);
    EXPECT_TRUE(w.mnPausa->isEnabled());
    EXPECT_TRUE(w.Timer1->isEnabled());
    EXPECT_TRUE(w.TimerDibujar1->isEnabled());
    EXPECT_TRUE(w.TimerStatus->isEnabled());
    EXPECT_FALSE(w.Timer2->isEnabled());
    EXPECT_EQ(w.lblFase->text(), "1");

    // Paused.
    w.mnPausa->trigger();
    EXPECT_TRUE(w.juego().Pausado);
    EXPECT_EQ(Caption(w.mnPausa), "&Continue");
    for (TTemporizador *t : {w.Timer1, w.Timer2, w.TimerDibujar1, w.TimerDibujar2, w.TimerStatus})
        EXPECT_FALSE(t->isEnabled()) << t->objectName().toStdString();

    // Continue.
    w.mnPausa->trigger();
    EXPECT_FALSE(w.juego().Pausado);
    EXPECT_EQ(Caption(w.mnPausa), "&Pause");
    EXPECT_TRUE(w.Timer1->isEnabled());
}

TEST_F(WindowTest, CancelledModeChangeKeepsTheOldModeAndGame) {
    TestWindow w;
    startGame(w);
    w.answer = 2;
    w.mnUnoUno->trigger();
    EXPECT_TRUE(w.mnUnJugador->isChecked());
    EXPECT_FALSE(w.mnUnoUno->isChecked());
    EXPECT_TRUE(w.juego().Jugando);
    EXPECT_EQ(w.juego().TipoJuego, GameMode::OnePlayer);

    w.answer = 1;
    w.mnUnoUno->trigger();
    EXPECT_TRUE(w.mnUnoUno->isChecked());
    EXPECT_EQ(w.juego().TipoJuego, GameMode::OneToOne);
    EXPECT_TRUE(w.Timer2->isEnabled());
    EXPECT_EQ(w.lblJugador1->text(), "Ann");
    EXPECT_EQ(w.lblJugador2->text(), "Bob");
    EXPECT_EQ(w.lblFase->text(), "0");
}

TEST_F(WindowTest, KeysReachTheGame) {
    TestWindow w;
    startGame(w);
    TInfo &p1 = w.juego().player(1);
    // Let the first pair come into play.
    for (int i = 0; i < 100 && !p1.Falling; ++i)
        QTest::qWait(20);
    ASSERT_TRUE(p1.Falling);
    const int col = p1.Gem1Col;
    QTest::keyClick(&w, Qt::Key_Left);
    EXPECT_EQ(p1.Gem1Col, col - 1);
    QTest::keyClick(&w, Qt::Key_Right);
    EXPECT_EQ(p1.Gem1Col, col);
    // A function key runs its command: F3 pauses, and paused pairs do not move.
    QTest::keyClick(&w, Qt::Key_F3);
    EXPECT_TRUE(w.juego().Pausado);
    QTest::keyClick(&w, Qt::Key_Left);
    EXPECT_EQ(p1.Gem1Col, col);
    // Player 2's keys do nothing in a one-player game.
    QTest::keyClick(&w, Qt::Key_F3);
    QTest::keyClick(&w, Qt::Key_A);
    EXPECT_EQ(p1.Gem1Col, col);
    EXPECT_FALSE(w.juego().player(2).Falling);
}

TEST_F(WindowTest, PauseShowsThePicturesAndRestoresTheWells) {
    TestWindow w;
    w.mnDosJugadores->trigger();
    ASSERT_TRUE(w.juego().Jugando);
    QTest::qWait(600);
    const QImage well1 = w.imgFondo1->image().copy();
    const QImage well2 = w.imgFondo2->image().copy();
    w.mnPausa->trigger();
    for (TImagen *well : {w.imgFondo1, w.imgFondo2}) {
        const QImage &shown = well->image();
        // Outside the pause picture the empty well shows; inside it, the picture.
        EXPECT_EQ(shown.copy(0, 300, 245, 100),
                  w.juego().pictures().FondoVacio.copy(0, 300, 245, 100));
        EXPECT_NE(shown.copy(12, 75, 222, 35),
                  w.juego().pictures().FondoVacio.copy(12, 75, 222, 35));
    }
    w.mnPausa->trigger();
    EXPECT_EQ(w.imgFondo1->image(), well1);
    EXPECT_EQ(w.imgFondo2->image(), well2);
}

TEST_F(WindowTest, ClosingAsksOnlyDuringAGame) {
    TestWindow w;
    QCloseEvent idle;
    QApplication::sendEvent(&w, &idle);
    EXPECT_TRUE(idle.isAccepted());
    EXPECT_TRUE(w.messages.isEmpty());

    startGame(w);
    w.messages.clear();
    w.answer = 2;
    QCloseEvent cancelled;
    QApplication::sendEvent(&w, &cancelled);
    EXPECT_FALSE(cancelled.isAccepted());
    EXPECT_EQ(w.messages, QStringList{"Do you want to leave the current game?"});
    EXPECT_TRUE(w.juego().Pausado);

    // Asked again while paused: once, and the pause is not toggled.
    w.answer = 1;
    QCloseEvent confirmed;
    QApplication::sendEvent(&w, &confirmed);
    EXPECT_TRUE(confirmed.isAccepted());
    EXPECT_EQ(w.messages.size(), 2);
    EXPECT_TRUE(w.juego().Pausado);

    // A shutdown signal closes without the question.
    w.setCloseWithoutAsking(true);
    QCloseEvent signalled;
    QApplication::sendEvent(&w, &signalled);
    EXPECT_TRUE(signalled.isAccepted());
    EXPECT_EQ(w.messages.size(), 2);
}

TEST_F(WindowTest, DraggingMovesByThePointersMovement) {
    TestWindow w;
    w.move(100, 100);
    const QPoint start = w.pos();
    w.imgCristalMouseDown({400, 300});
    w.imgCristalMouseMove({410, 295});
    w.imgCristalMouseMove({430, 320});
    EXPECT_EQ(w.pos(), start + QPoint(30, 20));
    w.imgCristalMouseUp();
    w.imgCristalMouseMove({500, 500});
    EXPECT_EQ(w.pos(), start + QPoint(30, 20));
}

TEST_F(WindowTest, KeysAreStoredAsSoonAsTheyChange) {
    const QString store = scratch.filePath("config/cobaltix/store.json");
    {
        TestWindow w;
        w.storeSettingsIfChanged();
        EXPECT_FALSE(QFile::exists(store)); // nothing changed yet
        w.juego().TeclasJuego[0] = 90;
        w.storeSettingsIfChanged();
        EXPECT_TRUE(QFile::exists(store));
    }
    TestWindow again;
    EXPECT_EQ(again.juego().TeclasJuego[0], 90);
}

TEST_F(WindowTest, MissingStageFileIsReportedAndSettingsStillSaved) {
    // Only an empty directory is searched, whatever lies beside the test program.
    QFile::remove("Fases.dat");
    QTemporaryDir empty;
    SetDataFileDirs({empty.path()});
    const auto restore = qScopeGuard([] { SetDataFileDirs({}); });
    {
        TestWindow w;
        EXPECT_TRUE(w.stageFileFailed());
        ASSERT_EQ(errors.size(), 1);
        EXPECT_EQ(errors[0], "Fatal error: Error opening Fases.dat.");
    }
    EXPECT_TRUE(QFile::exists(scratch.filePath("config/cobaltix/store.json")));
}

TEST_F(WindowTest, LanguageSwitchRetranslatesTheWindowAndItsPictures) {
    if (!QFile::exists(QCoreApplication::applicationDirPath() + "/esp.dll"))
        GTEST_SKIP() << "no language module beside the test program";
    TestWindow w;
    startGame(w);
    w.mnPausa->trigger();
    const QImage english = w.imgMarcador->image().copy();
    w.mnEspaniol->trigger();
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    EXPECT_TRUE(w.mnEspaniol->isChecked());
    EXPECT_FALSE(w.mnEnglish->isChecked());
    EXPECT_NE(Caption(w.mnNuevoJuego), "&New game");
    EXPECT_TRUE(w.mnNuevoJuego->text().endsWith("\tF2"));
    // The pause item keeps telling that the game is paused.
    EXPECT_EQ(Caption(w.mnPausa), GetText(10011));
    EXPECT_EQ(w.lblJugador1->text(), GetText(12000));
    EXPECT_NE(w.imgMarcador->image(), english);
    EXPECT_EQ(w.imgMarcador->image().size(), QSize(110, 425));

    w.mnEnglish->trigger();
    EXPECT_EQ(Caption(w.mnNuevoJuego), "&New game");
    EXPECT_EQ(Caption(w.mnPausa), "&Continue");
    EXPECT_EQ(w.btnCerrar->toolTip(), "Close");
    EXPECT_EQ(w.imgMarcador->image(), english);
    EXPECT_EQ(w.lblJugador2->text(), "Player 2");
}

TEST_F(WindowTest, LosingActivationAndTheMenuButtonPauseOnlyARunningGame) {
    TestWindow w;
    w.AplicacionDesactivada();
    EXPECT_FALSE(w.juego().Pausado);
    startGame(w);
    w.AplicacionDesactivada();
    EXPECT_TRUE(w.juego().Pausado);
    // Deactivated again while paused: the pause is not toggled back.
    w.AplicacionDesactivada();
    EXPECT_TRUE(w.juego().Pausado);
    w.mnPausa->trigger();
    ASSERT_FALSE(w.juego().Pausado);
    // Alt+M opens the menu under the menu button and pauses the game.
    QTest::keyClick(&w, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(w.juego().Pausado);
    EXPECT_TRUE(w.Menu->isVisible());
    EXPECT_EQ(w.Menu->pos(), w.mapToGlobal(QPoint(270, 25)));
    w.Menu->hide();
    EXPECT_TRUE(w.juego().Pausado);
}
