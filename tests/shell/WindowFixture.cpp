#include "WindowFixture.h"

#include "services/Fases.h"

#include <QAction>
#include <QFile>
#include <QTest>

void WindowTest::SetUp() {
    ASSERT_TRUE(scratch.isValid());
    TFaseTable stages{};
    for (TFase &f : stages) {
        for (int c = -1; c <= 7; ++c)
            for (int r = -1; r <= 16; ++r)
                f.Tablero[size_t(18 * (c + 1) + (r + 1))] =
                    (c < 0 || c > 6 || r < 0 || r > 15) ? -1 : 0;
        f.Objetivo = 100;
    }
    QFile file(scratch.filePath("Fases.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(SerializeStages(stages));
    file.close();
    previousDir = QDir::currentPath();
    QDir::setCurrent(scratch.path());
    qputenv("XDG_CONFIG_HOME", scratch.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", scratch.filePath("data").toUtf8());
    SetErrorReporter(
        [this](const QString &caption, const QString &text) { errors << caption + ": " + text; });
}

void WindowTest::TearDown() {
    SetErrorReporter({});
    QDir::setCurrent(previousDir);
}

void WindowTest::startGame(TestWindow &w) {
    w.mnNuevoJuego->trigger();
    ASSERT_TRUE(w.juego().Jugando);
}

void WindowTest::freezeAGame(TestWindow &w) {
    w.mnDosJugadores->trigger();
    ASSERT_TRUE(w.juego().Jugando);
    auto bothFalling = [&w] { return w.juego().player(1).Falling && w.juego().player(2).Falling; };
    for (int i = 0; i < 150 && !bothFalling(); ++i)
        QTest::qWait(20);
    ASSERT_TRUE(bothFalling());
    for (ITimer *t : {w.Timer1, w.Timer2, w.TimerDibujar1, w.TimerDibujar2, w.TimerStatus})
        t->setEnabled(false);
}
