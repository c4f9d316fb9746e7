// Pad moves enter the game as every input does, stamped with the game clock: a game
// played with two pads in the window, in real time, and its input log played by
// cobaltix-sim end alike.
#include "WindowFixture.h"

#include "engine/InputLog.h"
#include "harness/Harness.h"
#include "tests/pad/VirtualPad.h"

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QTest>

#include <random>

namespace {

QString simCommand(const Input &in) {
    switch (in.kind) {
    case InputKind::MoveOf:
        return QStringLiteral("move %1 %2").arg(in.player).arg(MoveName(Move(in.code)));
    case InputKind::SelectMode:
        return QStringLiteral("mode-select %1").arg(QStringList{"one", "two", "vs"}[in.code]);
    case InputKind::Pause:
        return QStringLiteral("pause");
    default:
        return {};
    }
}

} // namespace

TEST_F(WindowTest, AGamePlayedWithTwoPadsReplaysInTheSimulator) {
    TestWindow w;
    InputLog log;
    w.juego().setInputObserver(&log);
    w.juego().random().seed(11);
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.startPads();
    VirtualPad one("One"), two("Two");
    w.mandos().poll();
    w.mnDosJugadores->trigger();
    ASSERT_TRUE(w.juego().Jugando);

    // Presses at a person's pace on both pads, read by the window's own polling; Start
    // twice pauses and continues.
    const SDL_GameControllerButton buttons[] = {
        SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_A,
        SDL_CONTROLLER_BUTTON_B,         SDL_CONTROLLER_BUTTON_DPAD_DOWN,  SDL_CONTROLLER_BUTTON_Y};
    std::mt19937 r(5);
    for (int i = 0; i < 40; ++i) {
        VirtualPad &pad = r() % 2 ? one : two;
        const auto button = i == 20 || i == 21 ? SDL_CONTROLLER_BUTTON_START : buttons[r() % 6];
        pad.press(button);
        QTest::qWait(15 + int(r() % 30));
        pad.release(button);
        QTest::qWait(15 + int(r() % 40));
    }
    QTest::qWait(200);
    const std::int64_t end = w.juego().clock().now();
    const std::uint64_t state = w.juego().stateHash();
    const std::uint64_t wells = ImageHash(w.imgFondo2->image(), ImageHash(w.imgFondo1->image()));
    w.juego().setInputObserver(nullptr);

    QStringList script = {QStringLiteral("stages \"%1\"").arg(scratch.filePath("Fases.dat")),
                          "art on", "seed 11"};
    std::int64_t at = 0;
    int moves = 0, pauses = 0;
    for (const InputLog::Entry &e : log.inputs) {
        const QString command = simCommand(e.input);
        ASSERT_FALSE(command.isEmpty()) << "an input the test cannot replay: " << int(e.input.kind);
        moves += e.input.kind == InputKind::MoveOf;
        pauses += e.input.kind == InputKind::Pause;
        script << QStringLiteral("run %1").arg(e.time - at) << command;
        at = e.time;
    }
    script << QStringLiteral("run %1").arg(end - at) << "show hash";
    EXPECT_GE(moves, 30);
    EXPECT_EQ(pauses, 2);

    QProcess sim;
    sim.start(QStringLiteral(COBALTIX_SIM), {});
    ASSERT_TRUE(sim.waitForStarted());
    sim.write(script.join('\n').toUtf8() + '\n');
    sim.closeWriteChannel();
    ASSERT_TRUE(sim.waitForFinished(30000));
    const QStringList lines = QString::fromUtf8(sim.readAllStandardOutput()).split('\n');
    const QString expected = QStringLiteral("hash state %1 wells %2")
                                 .arg(state, 16, 16, QLatin1Char('0'))
                                 .arg(wells, 16, 16, QLatin1Char('0'));
    EXPECT_TRUE(lines.contains(expected))
        << "window: " << expected.toStdString() << "\nsimulator:\n"
        << lines.join('\n').toStdString();
}
