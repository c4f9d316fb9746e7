// The window plays the same game as the headless simulator: a game played in the real
// window, in real time, and its input log played by cobaltix-sim end alike.
#include "WindowFixture.h"

#include "engine/InputLog.h"
#include "harness/Harness.h"

#include <QAction>
#include <QProcess>
#include <QTest>

#include <random>

namespace {

QString simCommand(const Input &in) {
    switch (in.kind) {
    case InputKind::Key:
        return QStringLiteral("key %1").arg(in.code);
    case InputKind::SelectMode:
        return QStringLiteral("mode-select %1").arg(QStringList{"one", "two", "vs"}[in.code]);
    case InputKind::NewGame:
        return QStringLiteral("new");
    case InputKind::Pause:
        return QStringLiteral("pause");
    default:
        return {};
    }
}

} // namespace

TEST_F(WindowTest, AGamePlayedInTheWindowReplaysInTheSimulatorToTheSameStateAndPictures) {
    TestWindow w;
    InputLog log;
    w.juego().setInputObserver(&log);
    w.juego().random().seed(7);
    w.show();
    w.mnDosJugadores->trigger();
    ASSERT_TRUE(w.juego().Jugando);

    // Real keys at a person's pace, for both players.
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Return,
                            Qt::Key_A,    Qt::Key_D,     Qt::Key_W,  Qt::Key_S};
    std::mt19937 r(3);
    for (int i = 0; i < 40; ++i) {
        QTest::qWait(int(r() % 80));
        QTest::keyClick(&w, keys[r() % 9]);
    }
    QTest::qWait(300);
    const std::int64_t end = w.juego().clock().now();
    const std::uint64_t state = w.juego().stateHash();
    const std::uint64_t wells = ImageHash(w.imgFondo2->image(), ImageHash(w.imgFondo1->image()));
    w.juego().setInputObserver(nullptr);

    QStringList script = {QStringLiteral("stages \"%1\"").arg(scratch.filePath("Fases.dat")),
                          "art on", "seed 7"};
    std::int64_t at = 0;
    for (const InputLog::Entry &e : log.inputs) {
        const QString command = simCommand(e.input);
        ASSERT_FALSE(command.isEmpty()) << "an input the test cannot replay: " << int(e.input.kind);
        script << QStringLiteral("run %1").arg(e.time - at) << command;
        at = e.time;
    }
    script << QStringLiteral("run %1").arg(end - at) << "show hash";
    ASSERT_GT(log.inputs.size(), 20u);

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
