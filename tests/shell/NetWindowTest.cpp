#include "WindowFixture.h"

#include "ai/CpuController.h"
#include "dialogs/Red.h"
#include "net/NetSession.h"
#include "shell/RedJuego.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>
#include <memory>

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

// Hosting from the window on a port the system picks, without the announcement;
// player 0 is the person, 1 to 5 the CPU levels.
NetChoice hostChoice(int player, const QString &name = {}) {
    NetChoice choice;
    choice.port = 0;
    choice.name = name;
    choice.player = player;
    choice.announce = false;
    return choice;
}

NetOptions named(const QString &name) {
    NetOptions options;
    options.name = name;
    return options;
}

std::unique_ptr<Transport> toWindow(NetWindow &w) {
    std::string error;
    return Transport::connect("127.0.0.1", w.redJuego()->session().transport().localPort(), error);
}

// A headless peer on the loopback address that joins the game the window hosts, read
// every 5 ms; each() runs after every read.
struct JoiningPeer {
    JoiningPeer(NetWindow &w, CpuLevel level, const QString &name = {})
        : session(NetSession::Role::Join, game, toWindow(w), named(name),
                  MakeCpuController(level, 2)) {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            session.poll(0);
            if (each)
                each();
        });
        timer.start(5);
    }
    Game game{GameBindings{}, TPictures(), 1};
    NetSession session;
    std::function<void()> each;
    QTimer timer;
};

} // namespace

// The real window hosts; a headless peer on the loopback address joins; a short game is
// played in lockstep to its end, its result goes to the window's one-to-one table, and
// the window takes up local play again.
TEST_F(WindowTest, TheWindowHostsANetworkGameAHeadlessPeerJoins) {
    NetWindow w;
    ASSERT_TRUE(w.IniciarRed(hostChoice(5, QStringLiteral("Ana")), 120)); // CPU Master
    ASSERT_NE(w.redJuego(), nullptr);
    EXPECT_FALSE(w.mnTeclas->isEnabled());
    EXPECT_TRUE(w.lblRed->isVisibleTo(&w));
    JoiningPeer joining(w, CpuLevel::Master, QStringLiteral("Bea"));
    NetSession &peer = joining.session;
    int ended = 0;
    peer.gameEnded = [&](int, std::uint32_t, std::uint64_t) { ++ended; };

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
    ASSERT_TRUE(w.IniciarRed(hostChoice(5, QStringLiteral("Ana")), 80)); // CPU Master
    JoiningPeer joining(w, CpuLevel::Easy, QStringLiteral("Bea"));
    NetSession &peer = joining.session;
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
    ASSERT_TRUE(w.IniciarRed(hostChoice(2), 4000));
    JoiningPeer joining(w, CpuLevel::Easy);
    NetSession &peer = joining.session;
    bool strayed = false;
    joining.each = [&] {
        if (!strayed && peer.lockstep().played() >= 10) {
            joining.game.player(2).Points += 1;
            strayed = true;
        }
    };
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
    ASSERT_TRUE(w.IniciarRed(hostChoice(2), 4000));
    JoiningPeer joining(w, CpuLevel::Easy);
    NetSession &peer = joining.session;
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
