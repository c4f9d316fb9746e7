// Replays in the real window: every game it plays is recorded, the simulator plays the
// recording to the same end, and watching, seeking and playing on take the recorded
// states exactly.
#include "WindowFixture.h"

#include "engine/ReplayPlayer.h"
#include "shell/ReplayWatch.h"

#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QTest>

#include <random>

namespace {

// Plays a one-to-one game with real keys at a person's pace for both players, then
// starts a new game, which stops it: its replay is complete.
ReplayEntry playAndStop(TestWindow &w, std::uint32_t seed) {
    w.juego().random().seed(seed);
    w.mnUnoUno->trigger();
    EXPECT_TRUE(w.juego().Jugando);
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Return,
                            Qt::Key_A,    Qt::Key_D,     Qt::Key_W,  Qt::Key_S};
    std::mt19937 r(seed);
    for (int i = 0; i < 40; ++i) {
        QTest::qWait(int(r() % 120));
        QTest::keyClick(&w, keys[r() % 9]);
    }
    w.mnNuevoJuego->trigger();
    const auto entries = w.replayLibrary().list();
    EXPECT_EQ(entries.size(), 1u);
    return entries.empty() ? ReplayEntry{} : entries.front();
}

QStringList runSim(const QString &script) {
    QProcess sim;
    sim.start(QStringLiteral(COBALTIX_SIM), {});
    EXPECT_TRUE(sim.waitForStarted());
    sim.write(script.toUtf8());
    sim.closeWriteChannel();
    EXPECT_TRUE(sim.waitForFinished(30000));
    return QString::fromUtf8(sim.readAllStandardOutput()).split('\n');
}

QString hex(std::uint64_t v) {
    return QStringLiteral("%1").arg(v, 16, 16, QLatin1Char('0'));
}

} // namespace

TEST_F(WindowTest, AGameRecordedByTheWindowReplaysInTheSimulatorToTheSameState) {
    TestWindow w;
    w.show();
    const ReplayEntry entry = playAndStop(w, 7);
    ASSERT_TRUE(entry.replay.finished());
    EXPECT_EQ(entry.replay.setup.mode, GameMode::OneToOne);
    EXPECT_GT(entry.replay.inputs.size(), 20u);
    EXPECT_EQ(entry.replay.answers.front().answer.first, "Ann");
    EXPECT_TRUE(entry.path.startsWith(scratch.filePath("data/cobaltix/replays/")));

    const QStringList lines = runSim(QStringLiteral("replay \"%1\"\nshow hash\n").arg(entry.path));
    EXPECT_TRUE(lines.filter(QStringLiteral("replay-end ")).value(0).endsWith(" same yes"))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.filter(QStringLiteral("hash state "))
                    .value(0)
                    .startsWith("hash state " + hex(entry.replay.result->stateHash)))
        << lines.join('\n').toStdString();
}

TEST_F(WindowTest, WatchingStepsByFramesSeeksAndLeavesTheTablesAlone) {
    TestWindow w;
    w.show();
    const ReplayEntry entry = playAndStop(w, 11);
    const std::int64_t length = entry.replay.length();
    ASSERT_GT(length, 1500);
    ASSERT_TRUE(w.watchReplay(entry.path));
    EXPECT_FALSE(w.juego().Jugando) << "watching ends the window's own game";
    ReplayWatch *watch = w.replayWatch();
    ASSERT_TRUE(watch);
    EXPECT_TRUE(w.controles.left->isVisible());
    watch->setPaused(true);
    for (int i = 0; i < 40; ++i)
        watch->stepFrame();
    EXPECT_EQ(watch->position(), 40 * DrawInterval);

    // Half way, as the headless replay has it; then the end, as recorded.
    HeadlessReplay ahead(entry.replay);
    ahead.playback.start();
    ahead.playback.runTo(entry.replay.setup.startTime + length / 2);
    watch->seekTo(length / 2);
    EXPECT_EQ(watch->game().stateHash(), ahead.game->stateHash());
    watch->setSpeed(8);
    watch->seekTo(length);
    EXPECT_TRUE(watch->atEnd());
    EXPECT_EQ(watch->game().stateHash(), entry.replay.result->stateHash);
    EXPECT_FALSE(watch->canPlayOn());
    EXPECT_EQ(w.recordCalls, 0);

    w.stopWatching();
    EXPECT_FALSE(w.replayWatch());
    EXPECT_FALSE(w.controles.left->isVisible());
}

TEST_F(WindowTest, PlayingOnFromAMomentTakesItsStateAndRecordsTheRestAsOneGame) {
    TestWindow w;
    w.show();
    const ReplayEntry entry = playAndStop(w, 13);
    ASSERT_TRUE(w.watchReplay(entry.path));
    ReplayWatch *watch = w.replayWatch();
    watch->setPaused(true);
    watch->seekTo(entry.replay.length() / 2);
    ASSERT_TRUE(watch->canPlayOn());
    const std::uint64_t moment = watch->game().stateHash();
    w.playFromHere();
    EXPECT_FALSE(w.replayWatch());
    EXPECT_EQ(w.juego().stateHash(), moment);
    EXPECT_TRUE(w.juego().Jugando);
    EXPECT_EQ(w.juego().player(2).Name, "Bob");

    for (int i = 0; i < 10; ++i) {
        QTest::qWait(40);
        QTest::keyClick(&w, i % 2 ? Qt::Key_Return : Qt::Key_A);
    }
    w.mnNuevoJuego->trigger();
    // The game watching stopped, then the one played on.
    const auto entries = w.replayLibrary().list();
    ASSERT_EQ(entries.size(), 3u);
    const Replay &continued = entries.front().replay;
    ASSERT_TRUE(continued.finished());
    EXPECT_GT(continued.inputs.size(), entry.replay.inputs.size() / 2);
    HeadlessReplay again(continued);
    again.playback.start();
    again.playback.runToEnd();
    EXPECT_EQ(again.game->stateHash(), continued.result->stateHash);
}

TEST_F(WindowTest, AFileThatIsNoReplayIsNamedAndNothingElseHappens) {
    TestWindow w;
    w.show();
    // With nothing recorded yet, the last game is none.
    w.mnVerUltima->trigger();
    EXPECT_EQ(w.messages.value(0), GetText(16225));

    const QString junk = scratch.filePath("junk.replay");
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a replay at all");
    file.close();
    startGame(w);
    EXPECT_FALSE(w.watchReplay(junk));
    EXPECT_TRUE(w.juego().Jugando);
    EXPECT_FALSE(w.replayWatch());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Error: junk.replay is not a Cobaltix replay.");
}

namespace {
// The letters marked with & in the menu's own items (not its submenus'), doubled ones
// listed: a letter two items share only moves between them.
QStringList sharedMnemonics(const QMenu *menu) {
    QStringList seen, shared;
    for (const QAction *a : menu->actions()) {
        const QString text = a->text();
        const qsizetype at = text.indexOf('&');
        if (at < 0 || at + 1 >= text.size())
            continue;
        const QString letter = text.mid(at + 1, 1).toLower();
        (seen.contains(letter) ? shared : seen) << letter;
    }
    return shared;
}
} // namespace

// In a paused game too, where the pause item reads Continue.
TEST_F(WindowTest, TheMenusLettersStayOneItemEachWithTheReplayItemsInBothLanguages) {
    TestWindow w;
    auto check = [&w] {
        EXPECT_EQ(sharedMnemonics(w.Menu), QStringList()) << "no game";
        w.mnUnoUno->trigger();
        QTest::keyClick(&w, Qt::Key_F3);
        ASSERT_TRUE(w.mnPausa->text().startsWith(GetText(10011)));
        EXPECT_EQ(sharedMnemonics(w.Menu), QStringList()) << "paused";
        w.juego().EndGame(false, nullptr);
    };
    check();
    if (!QFile::exists(QCoreApplication::applicationDirPath() + "/esp.dll"))
        GTEST_SKIP() << "no language module beside the test program";
    w.mnEspaniol->trigger();
    EXPECT_EQ(w.mnRepeticiones->text(), GetText(16227));
    check();
    w.mnEnglish->trigger();
}
