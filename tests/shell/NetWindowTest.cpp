#include "WindowFixture.h"

#include "ai/CpuController.h"
#include "dialogs/Red.h"
#include "net/NetSession.h"
#include "shell/RedJuego.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

// The window with the end of a game's dialogs recorded instead of shown.
class NetWindow : public TestWindow {
public:
    void NuevoRecordVs(int, bool won, const QString &name) override {
        if (won)
            winner = name;
        ++results;
    }
    void showHighScores() override { ++tablesShown; }
    QString winner;
    int results = 0, tablesShown = 0;
};

// Runs the event loop until done() holds or limitMs passed.
bool spin(const std::function<bool()> &done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

} // namespace

// The real window hosts; a headless peer on the loopback address joins; a short game is
// played in lockstep to its end, its result goes to the window's one-to-one table, and
// the window takes up local play again.
TEST_F(WindowTest, TheWindowHostsANetworkGameAHeadlessPeerJoins) {
    NetWindow w;
    NetChoice choice;
    choice.host = true;
    choice.port = 0;
    choice.name = QStringLiteral("Ana");
    choice.player = 5; // CPU Master
    choice.announce = false;
    ASSERT_TRUE(w.IniciarRed(choice, 120));
    ASSERT_NE(w.redJuego(), nullptr);
    EXPECT_FALSE(w.mnTeclas->isEnabled());
    EXPECT_TRUE(w.lblRed->isVisibleTo(&w));
    const std::uint16_t port = w.redJuego()->session().transport().localPort();

    Game peerGame(GameBindings{}, TPictures(), 1);
    std::string error;
    NetOptions options;
    options.name = QStringLiteral("Bea");
    NetSession peer(NetSession::Role::Join, peerGame, Transport::connect("127.0.0.1", port, error),
                    options, MakeCpuController(CpuLevel::Master, 2));
    int ended = 0;
    peer.gameEnded = [&](int, std::uint32_t, std::uint64_t) { ++ended; };
    QTimer peerPoll;
    QObject::connect(&peerPoll, &QTimer::timeout, [&] { peer.poll(0); });
    peerPoll.start(5);

    QStringList statuses;
    ASSERT_TRUE(spin(
        [&] {
            if (w.lblRed->isVisibleTo(&w))
                statuses << w.lblRed->text();
            return peer.finished() && !w.redJuego();
        },
        20000));
    EXPECT_FALSE(peer.failed()) << peer.error().toStdString();
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(w.lblJugador1->text(), "Ana");
    EXPECT_EQ(w.lblJugador2->text(), "Bea");
    EXPECT_TRUE(statuses.filter(QStringLiteral(" ms")).size() > 0)
        << statuses.join('|').toStdString();
    // A game of 3 s ends by its limit or a winner: a verdict is entered only with a winner.
    EXPECT_TRUE(w.results == 0 || w.results == 2);
    EXPECT_TRUE(w.messages.filter(QStringLiteral("heard")).isEmpty());
    EXPECT_FALSE(w.lblRed->isVisibleTo(&w));
    EXPECT_TRUE(w.mnTeclas->isEnabled());
    EXPECT_FALSE(w.juego().Jugando);
    EXPECT_TRUE(w.juego().controller(1).takesKeys()); // the person's keys again
}

// A network game is recorded as any game: it lands in the replays list once, with the
// other side as the network player under the name it gave and this side's CPU.
TEST_F(WindowTest, ANetworkGameLandsInTheReplaysWithTheOtherSideAsTheNetworkPlayer) {
    NetWindow w;
    w.juego().mnTipoJuegoClick(GameMode::TwoPlayers);
    w.juego().EndGame(false, nullptr);
    const size_t before = w.replayLibrary().list().size();
    NetChoice choice;
    choice.port = 0;
    choice.name = QStringLiteral("Ana");
    choice.player = 5; // CPU Master
    choice.announce = false;
    ASSERT_TRUE(w.IniciarRed(choice, 80));
    const std::uint16_t port = w.redJuego()->session().transport().localPort();
    Game peerGame(GameBindings{}, TPictures(), 1);
    std::string error;
    NetOptions options;
    options.name = QStringLiteral("Bea");
    NetSession peer(NetSession::Role::Join, peerGame, Transport::connect("127.0.0.1", port, error),
                    options, MakeCpuController(CpuLevel::Easy, 2));
    QTimer peerPoll;
    QObject::connect(&peerPoll, &QTimer::timeout, [&] { peer.poll(0); });
    peerPoll.start(5);
    ASSERT_TRUE(spin([&] { return peer.finished() && !w.redJuego(); }, 20000));
    ASSERT_FALSE(peer.failed()) << peer.error().toStdString();

    const std::vector<ReplayEntry> entries = w.replayLibrary().list();
    ASSERT_EQ(entries.size(), before + 1);
    const Replay &r = entries.front().replay;
    ASSERT_TRUE(r.finished());
    EXPECT_EQ(r.setup.mode, GameMode::OneToOne);
    EXPECT_EQ(r.setup.players[1].controller.word, "network:easy");
    EXPECT_EQ(r.setup.players[1].controller.playerName, "Bea");
    EXPECT_EQ(DescribeReplay(r).players, QStringLiteral("Ana (master) \u2013 Bea (network, easy)"));
    EXPECT_FALSE(entries.front().kept);
}

// The other machine's state strays: the game stops with the message, which says where
// this side's replay is kept for good; the list shows at which step they parted.
TEST_F(WindowTest, ADisagreementKeepsTheNetworkGamesReplayAndSaysWhere) {
    NetWindow w;
    NetChoice choice;
    choice.port = 0;
    choice.player = 2;
    choice.announce = false;
    ASSERT_TRUE(w.IniciarRed(choice, 4000));
    const std::uint16_t port = w.redJuego()->session().transport().localPort();
    Game peerGame(GameBindings{}, TPictures(), 1);
    std::string error;
    NetSession peer(NetSession::Role::Join, peerGame, Transport::connect("127.0.0.1", port, error),
                    NetOptions{}, MakeCpuController(CpuLevel::Easy, 2));
    bool strayed = false;
    QTimer peerPoll;
    QObject::connect(&peerPoll, &QTimer::timeout, [&] {
        peer.poll(0);
        if (!strayed && peer.lockstep().played() >= 10) {
            peerGame.player(2).Points += 1;
            strayed = true;
        }
    });
    peerPoll.start(5);
    ASSERT_TRUE(spin([&] { return peer.finished() && !w.redJuego(); }, 10000));
    EXPECT_EQ(peer.failureKind(), NetSession::Failure::Disagree);

    const QString kept = w.replayRecorder().keptPath();
    EXPECT_TRUE(kept.contains("/kept/")) << kept.toStdString();
    EXPECT_EQ(
        w.messages.filter(GetText(17020)),
        QStringList{GetText(17020) + ' ' + GetTextFmt(17023, {QDir::toNativeSeparators(kept)})});
    const std::vector<ReplayEntry> entries = w.replayLibrary().list();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front().path, kept);
    EXPECT_TRUE(entries.front().kept);
    EXPECT_EQ(DescribeReplay(entries.front().replay).result, GetTextFmt(16234, {40}));
}

// While a network game runs, F2 asks whether to leave it; leaving ends it for both
// sides, the other with its message.
TEST_F(WindowTest, F2DuringANetworkGameAsksToLeaveIt) {
    NetWindow w;
    NetChoice choice;
    choice.port = 0;
    choice.player = 2;
    choice.announce = false;
    ASSERT_TRUE(w.IniciarRed(choice, 4000));
    const std::uint16_t port = w.redJuego()->session().transport().localPort();
    Game peerGame(GameBindings{}, TPictures(), 1);
    std::string error;
    NetSession peer(NetSession::Role::Join, peerGame, Transport::connect("127.0.0.1", port, error),
                    NetOptions{}, MakeCpuController(CpuLevel::Easy, 2));
    QTimer peerPoll;
    QObject::connect(&peerPoll, &QTimer::timeout, [&] { peer.poll(0); });
    peerPoll.start(5);
    ASSERT_TRUE(spin([&] { return w.juego().Jugando; }, 10000));
    w.answer = 2; // stay
    w.mnNuevoJuego->trigger();
    EXPECT_NE(w.redJuego(), nullptr);
    EXPECT_TRUE(w.juego().Jugando);
    w.answer = 1; // leave
    w.mnNuevoJuego->trigger();
    ASSERT_TRUE(spin([&] { return peer.finished() && !w.redJuego(); }, 10000));
    EXPECT_EQ(peer.failureKind(), NetSession::Failure::Left);
    EXPECT_FALSE(w.juego().Jugando);
    EXPECT_EQ(w.messages.filter(GetText(17014)).size(), 2);
    // Left without a verdict: its replay is a stopped game, as a local one given up.
    const std::vector<ReplayEntry> entries = w.replayLibrary().list();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(DescribeReplay(entries.front().replay).result, GetText(16217));
    EXPECT_FALSE(entries.front().kept);
}
