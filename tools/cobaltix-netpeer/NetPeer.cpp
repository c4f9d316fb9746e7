#include "tools/cobaltix-netpeer/NetPeer.h"

#include "ai/CpuController.h"
#include "ai/Levels.h"
#include "engine/Game.h"
#include "engine/ReplayRecorder.h"
#include "net/NetSession.h"
#include "services/ReplayFiles.h"

#include <QDir>

#include <cstdio>
#include <utility>

namespace {

std::uint16_t parsePort(const QString &word) {
    bool ok = false;
    const uint port = word.toUInt(&ok);
    if (!ok || port > 65535)
        throw NetPeerError("bad port: " + word.toStdString());
    return std::uint16_t(port);
}

long long parseNumber(const QString &word, long long low, long long high, const char *what) {
    bool ok = false;
    const long long n = word.toLongLong(&ok);
    if (!ok || n < low || n > high)
        throw NetPeerError(std::string("bad ") + what + ": " + word.toStdString());
    return n;
}

// Options after the contract's words.
void parseOptions(const QStringList &args, int from, NetPeerCommand &c) {
    for (int i = from; i < args.size(); ++i) {
        const QString &word = args[i];
        auto value = [&]() -> const QString & {
            if (i + 1 >= args.size())
                throw NetPeerError(word.toStdString() + " needs a value");
            return args[++i];
        };
        if (word == u"--fast")
            c.fast = true;
        else if (word == u"--stats")
            c.stats = true;
        else if (word == u"--limit")
            c.limitMs = parseNumber(value(), 0, 24LL * 3600 * 1000, "limit");
        else if (word == u"--min-delay")
            c.minDelay = int(parseNumber(value(), 1, 60, "delay"));
        else if (word == u"--silence")
            c.silenceMs = int(parseNumber(value(), 500, 600000, "silence"));
        else if (word == u"--record")
            c.recordDir = value();
        else if (word == u"--disagree-after")
            c.disagreeAfter = std::uint32_t(parseNumber(value(), 1, 1 << 30, "step count"));
        else if (word == u"--bind" && c.host)
            c.address = value().toStdString();
        else
            throw NetPeerError("unknown word: " + word.toStdString());
    }
}

int firstOption(const QStringList &args, int from) {
    for (int i = from; i < args.size(); ++i)
        if (args[i].startsWith(u"--"))
            return i;
    return int(args.size());
}

// Hands out the winner of a one to one game by the name the game gives it.
class PeerHost : public IGameHost {
public:
    void NuevoRecordVs(int, bool won, const QString &name) override {
        if (won)
            winnerName = name;
    }
    QString winnerName;
};

// Each game's replay in a folder of its own, named by the game's number.
class GameFiles : public IReplayStore {
public:
    explicit GameFiles(QString dir) : dir(std::move(dir)) {}
    // The next recording is game number n's.
    void expect(int n) { number = n; }
    std::unique_ptr<IReplaySink> begin(const ReplaySetup &) override {
        if (number == 0)
            return nullptr;
        const QString path =
            QStringLiteral("%1/game-%2.replay").arg(dir).arg(std::exchange(number, 0));
        auto sink = std::make_unique<ReplayFileSink>(path, path);
        QString why;
        if (sink->open(why))
            return sink;
        std::fprintf(stderr, "warning: %s cannot be written: %s\n", path.toLocal8Bit().constData(),
                     why.toLocal8Bit().constData());
        return nullptr;
    }
    void failed() override {
        std::fprintf(stderr, "warning: a replay in %s could not be written\n",
                     dir.toLocal8Bit().constData());
    }

private:
    QString dir;
    int number = 0;
};

} // namespace

NetPeerCommand ParseNetPeerCommand(const QStringList &args) {
    NetPeerCommand c;
    if (args.isEmpty())
        throw NetPeerError("usage: cobaltix-netpeer host PORT LEVEL [GAMES [SEED]] | join "
                           "ADDRESS:PORT LEVEL");
    const int words = firstOption(args, 1);
    CpuLevel level;
    if (args[0] == u"host") {
        if (words < 3 || words > 5)
            throw NetPeerError("usage: cobaltix-netpeer host PORT LEVEL [GAMES [SEED]]");
        c.port = parsePort(args[1]);
        c.level = args[2];
        if (words > 3)
            c.games = int(parseNumber(args[3], 1, 65535, "number of games"));
        if (words > 4)
            c.seed = std::uint32_t(parseNumber(args[4], 0, 0xffffffffLL, "seed"));
    } else if (args[0] == u"join") {
        if (words != 3)
            throw NetPeerError("usage: cobaltix-netpeer join ADDRESS:PORT LEVEL");
        c.host = false;
        const int colon = int(args[1].lastIndexOf(QLatin1Char(':')));
        if (colon <= 0)
            throw NetPeerError("bad address, ADDRESS:PORT expected: " + args[1].toStdString());
        c.address = args[1].left(colon).toStdString();
        c.port = parsePort(args[1].mid(colon + 1));
        if (c.port == 0)
            throw NetPeerError("bad port: 0");
        c.level = args[2];
    } else {
        throw NetPeerError("unknown command: " + args[0].toStdString());
    }
    if (!ParseCpuLevel(c.level, level))
        throw NetPeerError("unknown level: " + c.level.toStdString());
    parseOptions(args, words, c);
    return c;
}

int RunNetPeer(const NetPeerCommand &c) {
    if (!c.recordDir.isEmpty() && !QDir().mkpath(c.recordDir)) {
        std::fprintf(stderr, "error: cannot create the folder %s\n",
                     c.recordDir.toLocal8Bit().constData());
        return 1;
    }
    std::string error;
    std::unique_ptr<Transport> link = c.host ? Transport::listen(c.address, c.port, error)
                                             : Transport::connect(c.address, c.port, error);
    if (!link) {
        std::fprintf(stderr, "error: %s\n", error.c_str());
        return 1;
    }
    // On standard error: standard output holds only the game lines.
    if (c.host)
        std::fprintf(stderr, "listening %u\n", unsigned(link->localPort()));

    PeerHost host;
    GameBindings bindings;
    bindings.Host = &host;
    Game game(bindings, TPictures(), 1);
    game.Sonido = false;
    GameFiles files(c.recordDir);
    ReplayRecorder recorder(game, files);
    if (!c.recordDir.isEmpty())
        game.setInputObserver(&recorder);

    CpuLevel level;
    ParseCpuLevel(c.level, level);
    NetOptions options;
    options.name = GetTextFmt(16005, {CpuLevelName(level)});
    options.realTime = !c.fast;
    options.minDelay = c.minDelay;
    options.silenceMs = c.silenceMs;
    options.games = c.games;
    options.seed = c.seed;
    if (c.limitMs >= 0)
        options.limitSteps = std::uint32_t(c.limitMs / StepMs);
    const auto role = c.host ? NetSession::Role::Host : NetSession::Role::Join;
    NetSession session(role, game, std::move(link), options, MakeCpuController(level, c.seed));
    session.gameStarted = [&](int number) {
        host.winnerName.clear();
        files.expect(number);
    };
    session.disagreed = [&](const ReplayMismatch &m) { recorder.endsOnMismatch(m); };
    session.gameEnded = [&](int number, std::uint32_t, std::uint64_t hash) {
        int winner = 0;
        for (int n = 1; n <= 2 && !host.winnerName.isEmpty(); ++n)
            if (game.player(n).Name == host.winnerName)
                winner = n;
        std::printf("game %d winner %d hash %016llx\n", number, winner,
                    static_cast<unsigned long long>(hash));
        std::fflush(stdout);
    };
    bool skewed = false;
    while (!session.finished()) {
        session.poll(5);
        recorder.flush();
        if (c.disagreeAfter > 0 && !skewed && session.state() == NetSession::State::Playing &&
            session.lockstep().played() >= c.disagreeAfter) {
            game.player(session.localPlayer()).Points += 1;
            skewed = true;
        }
    }
    if (c.stats) {
        const NetSession::Stats s = session.stats();
        std::printf("stats rtt %d delay %d sent %llu received %llu dropped %llu stalls %d "
                    "stalled-ms %lld\n",
                    s.roundTripMs, s.delay, static_cast<unsigned long long>(s.bytesSent),
                    static_cast<unsigned long long>(s.bytesReceived),
                    static_cast<unsigned long long>(s.drops.total()), s.stalls,
                    static_cast<long long>(s.stalledMs));
    }
    std::fflush(stdout);
    if (session.failed()) {
        QString why = session.error();
        if (session.failureKind() == NetSession::Failure::Disagree &&
            !recorder.keptPath().isEmpty())
            why += QStringLiteral(" (its replay is kept in %1)").arg(recorder.keptPath());
        std::fprintf(stderr, "error: %s\n", why.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
