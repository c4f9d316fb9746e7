#include "shell/RedJuego.h"

#include "core/Texts.h"
#include "engine/Game.h"

#include <QDateTime>

namespace {
constexpr int PollMs = 5;
}

TRedJuego::TRedJuego(Game &game, NetSession::Role role, std::unique_ptr<Transport> link,
                     NetOptions options, std::unique_ptr<PlayerController> cpu, bool announce,
                     QObject *parent)
    : QObject(parent), port(link->localPort()) {
    if (role == NetSession::Role::Host && announce)
        announcer =
            std::make_unique<LanAnnouncer>(port, options.name.toStdString(), options.version);
    net = std::make_unique<NetSession>(role, game, std::move(link), std::move(options),
                                       std::move(cpu));
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &TRedJuego::poll);
    timer.start(PollMs);
}

TRedJuego::~TRedJuego() = default;

// Runs inside the dialogs the game opens as well (the outcome, the high scores): the
// session then only keeps the connection alive.
void TRedJuego::poll() {
    if (net->finished()) {
        if (!told) {
            told = true;
            timer.stop();
            announcer.reset();
            if (finished)
                finished();
        }
        return;
    }
    net->poll(0);
    if (polled)
        polled();
    if (announcer && net->state() == NetSession::State::Waiting)
        announcer->tick(QDateTime::currentMSecsSinceEpoch());
    else
        announcer.reset();
    const QString status = statusText();
    if (status != lastStatus) {
        lastStatus = status;
        if (statusChanged)
            statusChanged(status);
    }
}

QString TRedJuego::statusText() const {
    using State = NetSession::State;
    switch (net->state()) {
    case State::Waiting:
        return GetTextFmt(17010, {int(port)});
    case State::Greeting:
    case State::Measuring:
        return GetTextFmt(17011,
                          {net->peerName().isEmpty() ? QStringLiteral("...") : net->peerName()});
    case State::Playing:
    case State::Ended: {
        const NetSession::Stats s = net->stats();
        if (s.waiting)
            return GetText(17013);
        return GetTextFmt(17012, {s.roundTripMs, s.delay * StepMs});
    }
    default:
        return {};
    }
}

QString TRedJuego::endMessage() const {
    using Failure = NetSession::Failure;
    switch (net->failureKind()) {
    case Failure::None:
    case Failure::YouLeft:
        return {};
    case Failure::Silence:
        return GetText(17017);
    case Failure::Left:
        return GetText(17018);
    case Failure::Versions:
        return GetTextFmt(17019, {QString::fromStdString(net->peerVersion()),
                                  QString::fromLatin1(NetProgramVersion())});
    case Failure::Disagree:
        return GetText(17020);
    case Failure::Other:
        break;
    }
    return GetTextFmt(17021, {net->error()});
}
