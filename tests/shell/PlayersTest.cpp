#include "WindowFixture.h"

#include "dialogs/Nombres.h"
#include "engine/InputLog.h"
#include "services/Settings.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

// Who plays each side is chosen in the menu: a CPU plays at once when no game runs,
// under its level's name, and only the person is asked a name.

namespace {

// Answers the names dialog when it opens: the person's box gets `name`; what the
// other box showed is kept.
struct NamesAnswer {
    explicit NamesAnswer(QString name) : name(std::move(name)) {
        QObject::connect(&poll, &QTimer::timeout, [this] { answer(); });
        poll.start(10);
    }
    void answer() {
        auto *dialog = qobject_cast<TfNombres *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        ++asked;
        enabled = {dialog->cbJugador1->isEnabled(), dialog->cbJugador2->isEnabled()};
        other = dialog->cbJugador2->currentText();
        dialog->cbJugador1->setEditText(name);
        dialog->btnAceptar->click();
    }
    QString name, other;
    std::array<bool, 2> enabled{};
    int asked = 0;
    QTimer poll;
};

} // namespace

TEST_F(WindowTest, ACpuChosenForPlayerTwoPlaysOneToOneAndOnlyThePersonIsNamed) {
    TestWindow w;
    w.mnControles[1][5]->trigger(); // CPU Master
    EXPECT_EQ(w.juego().controller(2).playerName(), "CPU Master");
    EXPECT_FALSE(w.juego().controller(2).takesKeys());

    InputLog log;
    w.juego().setInputObserver(&log);
    NamesAnswer names(QStringLiteral("Carla"));
    w.mnUnoUno->trigger();
    ASSERT_TRUE(w.juego().Jugando);
    EXPECT_EQ(names.asked, 1);
    EXPECT_EQ(names.enabled, (std::array<bool, 2>{true, false}));
    EXPECT_EQ(names.other, "CPU Master");
    EXPECT_EQ(w.lblJugador1->text(), "Carla");
    EXPECT_EQ(w.lblJugador2->text(), "CPU Master");

    // The CPU moves its pair through the moves, with no key pressed.
    auto cpuMoves = [&log] {
        return std::count_if(log.inputs.begin(), log.inputs.end(), [](const InputLog::Entry &e) {
            return e.input.kind == InputKind::MoveOf && e.input.player == 2;
        });
    };
    for (int i = 0; i < 400 && cpuMoves() < 3; ++i)
        QTest::qWait(20);
    w.juego().setInputObserver(nullptr);
    EXPECT_GE(cpuMoves(), 3);

    TConfiguracion stored;
    LeerConfiguracion(stored);
    EXPECT_EQ(stored.Jugadores[0], "person");
    EXPECT_EQ(stored.Jugadores[1], "master");
    // The person's name is what is kept, never the CPU's.
    EXPECT_EQ(stored.Nombre1, "Carla");
    EXPECT_EQ(stored.Nombre2, "Player 2");
}

TEST_F(WindowTest, APlayerChosenDuringAGameTakesOverWhenItEnds) {
    TestWindow w;
    startGame(w);
    w.mnControles[0][1]->trigger(); // CPU Beginner for player 1
    EXPECT_TRUE(w.juego().controller(1).takesKeys());
    w.juego().EndGame(false, nullptr);
    EXPECT_EQ(w.juego().controller(1).playerName(), "CPU Beginner");
    // A stored choice comes back with the next start.
    TestWindow again;
    EXPECT_EQ(again.juego().controller(1).playerName(), "CPU Beginner");
    EXPECT_TRUE(again.juego().controller(2).takesKeys());
}
