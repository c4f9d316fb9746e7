#include "net/NetSession.h"

#include "engine/Game.h"
#include "net/Seats.h"

#include <algorithm>

namespace {

constexpr int PingCount = 8, PingIntervalMs = 30, MeasureMs = 2000;
constexpr int ClosingMs = 2000;

// A name as it may travel: valid, short, never empty.
std::string travellingName(const QString &name, const char *fallback) {
    QString clean;
    for (QChar c : name)
        if (c.unicode() >= 0x20 && !(c.unicode() >= 0x7f && c.unicode() < 0xa0))
            clean += c;
    std::string bytes = clean.trimmed().toStdString();
    while (!bytes.empty() && !wire::IsValidName(bytes))
        bytes.pop_back();
    return bytes.empty() ? std::string(fallback) : bytes;
}

template <class T> const T *as(const wire::Message &m) {
    return std::get_if<T>(&m);
}

} // namespace

const char *NetProgramVersion() {
    return COBALTIX_NET_VERSION;
}

NetSession::NetSession(Role role, Game &game, std::unique_ptr<Transport> transport, NetOptions opts,
                       std::unique_ptr<PlayerController> cpu)
    : role(role), game(game), link(std::move(transport)), options(std::move(opts)),
      cpuPlayer(std::move(cpu)), blank(std::make_unique<Game>(GameBindings{}, TPictures(), 1)) {
    options.name = QString::fromStdString(
        travellingName(options.name, role == Role::Host ? "Player 1" : "Player 2"));
    options.minDelay = std::clamp(options.minDelay, 1, 60);
    options.maxDelay = std::clamp(options.maxDelay, options.minDelay, 60);
    startedAt = lastHeard = nowMs();
    if (cpuPlayer)
        ownPlayer = cpuPlayer->controllerWord().toStdString();
    if (!wire::IsValidPlayerWord(ownPlayer))
        ownPlayer.clear();
    if (role == Role::Join)
        current = State::Greeting;
}

NetSession::~NetSession() {
    if (!finished() && link->connected()) {
        send(wire::Leave{wire::LeaveReason::Quit});
        link->disconnect();
        link->flush();
    }
    stopGame();
    game.setController(1, std::make_unique<KeyboardController>());
    game.setController(2, std::make_unique<KeyboardController>());
}

std::int64_t NetSession::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - epoch).count();
}

void NetSession::poll(int waitMs) {
    if (finished())
        return;
    const std::int64_t now = nowMs();
    int wait = std::max(0, waitMs);
    if (current == State::Playing && !inStep)
        wait = options.realTime ? int(std::clamp<std::int64_t>(nextStepAt - now, 0, wait)) : 0;
    Transport::Event event;
    bool first = true;
    while (!finished() && link->service(event, first ? wait : 0)) {
        first = false;
        handle(event);
    }
    if (finished())
        return;
    checkTimeouts();
    if (current == State::Measuring && role == Role::Host)
        measure();
    if (current == State::Playing && !inStep)
        playSteps();
    if (current == State::Playing || current == State::Ended)
        sendInputs();
    link->flush();
}

void NetSession::handle(const Transport::Event &event) {
    using Kind = Transport::Event::Kind;
    switch (event.kind) {
    case Kind::Connected:
        lastHeard = nowMs();
        current = State::Greeting;
        if (role == Role::Join)
            send(wire::Hello{options.protocol, options.version, options.name.toStdString(),
                             ownPlayer});
        break;
    case Kind::Received:
        receive(event.channel, event.data);
        break;
    case Kind::Disconnected:
        if (current == State::Closing || peerDone) {
            current = State::Done;
        } else {
            fail(leaveNote.isEmpty() ? Failure::Other : Failure::Left,
                 leaveNote.isEmpty() ? QStringLiteral("the connection to the other player was lost")
                                     : leaveNote);
        }
        break;
    case Kind::None:
        break;
    }
}

// Every message is checked for its channel and its moment; what does not fit is
// dropped and counted, never acted on.
void NetSession::receive(std::uint8_t channel, const std::vector<std::uint8_t> &bytes) {
    DropCounts &drops = link->drops();
    if (bytes.size() > wire::MaxMessageBytes) {
        ++drops.oversized;
        return;
    }
    const std::optional<wire::Message> m = wire::Decode(bytes.data(), bytes.size());
    if (!m) {
        ++drops.malformed;
        return;
    }
    const bool inputKind = as<wire::Inputs>(*m) || as<wire::Ping>(*m) || as<wire::Pong>(*m);
    if (inputKind != (channel == Transport::InputChannel)) {
        ++drops.malformed;
        return;
    }
    lastHeard = nowMs();
    if (const auto *hello = as<wire::Hello>(*m)) {
        onHello(*hello);
    } else if (const auto *refuse = as<wire::Refuse>(*m)) {
        if (role == Role::Join && current == State::Greeting) {
            otherVersion = refuse->version;
            fail(Failure::Versions, versionMismatch(refuse->protocol, refuse->version));
        } else {
            ++drops.outOfRange;
        }
    } else if (const auto *start = as<wire::Start>(*m)) {
        onStart(*start);
    } else if (const auto *pause = as<wire::Pause>(*m)) {
        const bool ours =
            pause->game == steps.game() && (current == State::Playing || current == State::Ended);
        if (!ours || !steps.addRemotePause(pause->step))
            ++drops.outOfRange;
    } else if (const auto *hash = as<wire::Hash>(*m)) {
        if (hash->game == steps.game() && (current == State::Playing || current == State::Ended))
            recordHash(hash->step, hash->hash, hash->final, false);
        else
            ++drops.outOfRange;
    } else if (const auto *leave = as<wire::Leave>(*m)) {
        onLeave(*leave);
    } else if (const auto *inputs = as<wire::Inputs>(*m)) {
        if (current != State::Playing && current != State::Ended)
            return; // a game that is over here or not yet begun
        switch (steps.incoming(*inputs)) {
        case Intake::Taken:
        case Intake::Held:
        case Intake::Stale:
            break;
        case Intake::Repeated:
            ++drops.repeated;
            break;
        case Intake::OutOfRange:
            ++drops.outOfRange;
            break;
        }
    } else if (const auto *ping = as<wire::Ping>(*m)) {
        link->send(Transport::InputChannel, wire::Encode(wire::Pong{ping->nonce}));
    } else if (const auto *pong = as<wire::Pong>(*m)) {
        auto it = pingsSent.find(pong->nonce);
        if (it == pingsSent.end()) {
            ++drops.outOfRange;
        } else {
            roundTrips.push_back(int(nowMs() - it->second));
            pingsSent.erase(it);
        }
    }
}

QString NetSession::versionMismatch(std::uint16_t protocol, const std::string &version) const {
    return QStringLiteral("the other side runs Cobaltix %1 (network protocol %2); this is "
                          "Cobaltix %3 (network protocol %4)")
        .arg(QString::fromStdString(version))
        .arg(protocol)
        .arg(QString::fromStdString(options.version))
        .arg(options.protocol);
}

void NetSession::onHello(const wire::Hello &hello) {
    if (current != State::Greeting) {
        ++link->drops().outOfRange;
        return;
    }
    const bool same = hello.protocol == options.protocol && hello.version == options.version;
    if (!same) {
        if (role == Role::Host)
            send(wire::Refuse{options.protocol, options.version});
        otherVersion = hello.version;
        fail(Failure::Versions, versionMismatch(hello.protocol, hello.version));
        return;
    }
    QString name = QString::fromStdString(hello.name);
    if (name.trimmed().isEmpty())
        name = QString::fromLatin1(role == Role::Host ? "Player 2" : "Player 1");
    // The two names must differ (the outcome and the tables tell the players apart
    // by them); the joining side gives way, alike on both machines.
    const QString hostName = role == Role::Host ? options.name : name;
    QString joinName = role == Role::Host ? name : options.name;
    if (joinName.compare(hostName, Qt::CaseInsensitive) == 0)
        joinName += QStringLiteral(" (2)");
    otherName = role == Role::Host ? joinName : hostName;
    otherPlayer = hello.player;
    if (role == Role::Join)
        options.name = joinName;
    if (role == Role::Host) {
        send(wire::Hello{options.protocol, options.version, options.name.toStdString(), ownPlayer});
        current = State::Measuring;
        measureSince = nowMs();
    }
}

void NetSession::onStart(const wire::Start &start) {
    const bool expected = role == Role::Join && start.game == gameNumber + 1 && start.delay >= 1 &&
                          start.delay <= 60 && !otherName.isEmpty() &&
                          (current == State::Greeting || current == State::Ended);
    const bool settled = current == State::Greeting || agreed;
    if (!expected || !settled) {
        ++link->drops().outOfRange;
        return;
    }
    begin(start, nowMs());
}

void NetSession::onLeave(const wire::Leave &leave) {
    switch (leave.reason) {
    case wire::LeaveReason::Done:
        if (role == Role::Join && current == State::Ended && agreed) {
            peerDone = true;
            current = State::Closing;
            closingSince = nowMs();
        } else {
            ++link->drops().outOfRange;
        }
        break;
    case wire::LeaveReason::Quit:
        leaveNote = QStringLiteral("the other player left the game");
        fail(Failure::Left, leaveNote);
        break;
    case wire::LeaveReason::Disagree: {
        // Told before this side saw it: what it holds of the other's hashes.
        ReplayMismatch m;
        if (!remoteHashes.empty()) {
            m.step = remoteHashes.begin()->first;
            m.otherHash = remoteHashes.begin()->second;
        }
        disagree(m);
        fail(Failure::Disagree,
             QStringLiteral("the two sides' game states differ; the game is stopped"));
        break;
    }
    }
}

void NetSession::send(const wire::Message &message) {
    const bool inputs = std::holds_alternative<wire::Inputs>(message) ||
                        std::holds_alternative<wire::Ping>(message) ||
                        std::holds_alternative<wire::Pong>(message);
    link->send(inputs ? Transport::InputChannel : Transport::SessionChannel, wire::Encode(message));
}

void NetSession::fail(Failure kind, const QString &why) {
    if (finished())
        return;
    failureWhy = kind;
    failure = why;
    current = State::Failed;
    stopGame();
    if (link->connected()) {
        link->disconnect();
        link->flush();
    }
}

// The game stops where it is, without a verdict.
void NetSession::stopGame() {
    if (game.Jugando)
        game.EndGame(false, nullptr);
}

void NetSession::checkTimeouts() {
    const std::int64_t now = nowMs();
    switch (current) {
    case State::Waiting:
        if (options.waitPeerMs > 0 && now - startedAt > options.waitPeerMs)
            fail(Failure::Other, QStringLiteral("no other player came"));
        break;
    case State::Greeting:
        if (role == Role::Join && !link->connected() && now - startedAt > options.connectMs)
            fail(Failure::Other, QStringLiteral("the host does not answer"));
        else if (link->connected() && now - lastHeard > options.silenceMs)
            fail(Failure::Silence, QStringLiteral("the other player does not answer"));
        break;
    case State::Closing:
        if (now - closingSince > ClosingMs)
            current = State::Done;
        break;
    case State::Done:
    case State::Failed:
        break;
    default:
        if (now - lastHeard > options.silenceMs)
            fail(Failure::Silence,
                 QStringLiteral("the other player has not been heard from for %1 seconds; the "
                                "game ends without a result")
                     .arg((options.silenceMs + 999) / 1000));
        break;
    }
}

// The host probes the round trip a few times and picks the input delay: half a round
// trip, a packet interval and a lost packet's worth of margin.
void NetSession::measure() {
    const std::int64_t now = nowMs();
    const int sent = int(pingsSent.size() + roundTrips.size());
    if (sent < PingCount && now - lastPingAt >= PingIntervalMs) {
        const std::uint32_t nonce = std::uint32_t(sent + 1);
        pingsSent[nonce] = now;
        lastPingAt = now;
        send(wire::Ping{nonce});
    }
    const bool enough = int(roundTrips.size()) >= PingCount / 2 + 1;
    if (!enough && !(now - measureSince > MeasureMs && !roundTrips.empty())) {
        if (now - measureSince > MeasureMs && sent >= PingCount)
            pingsSent.clear(); // all lost: probe again
        return;
    }
    std::vector<int> sorted = roundTrips;
    std::sort(sorted.begin(), sorted.end());
    roundTrip = sorted[sorted.size() / 2];
    const int ms = roundTrip / 2 + 2 * StepMs + 10;
    chosenDelay = std::clamp((ms + StepMs - 1) / StepMs, options.minDelay, options.maxDelay);
    hostNextGame();
}

void NetSession::hostNextGame() {
    wire::Start start;
    start.game = std::uint16_t(gameNumber + 1);
    start.seed = options.seed + std::uint32_t(gameNumber);
    start.delay = std::uint8_t(chosenDelay);
    start.limit = options.limitSteps;
    send(start);
    link->flush();
    // The joining side starts when the message arrives: start half a round trip later.
    begin(start, nowMs() + roundTrip / 2);
}

NetSession::Stats NetSession::stats() const {
    Stats s;
    s.roundTripMs = link->connected() ? link->roundTripMs() : roundTrip;
    s.delay = steps.delay();
    s.bytesSent = link->bytesSent();
    s.bytesReceived = link->bytesReceived();
    s.drops = link->drops();
    s.stalls = stallCount;
    s.stalledMs = stalledTotal;
    s.waiting = stallSince >= 0 && nowMs() - stallSince >= 250;
    return s;
}

void NetSession::leave() {
    if (finished())
        return;
    if (link->connected())
        send(wire::Leave{wire::LeaveReason::Quit});
    failure = QStringLiteral("you left the game");
    failureWhy = Failure::YouLeft;
    current = State::Failed;
    stopGame();
    link->disconnect();
    link->flush();
}
