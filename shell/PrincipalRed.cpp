#include "shell/Principal.h"

#include "ai/CpuController.h"
#include "ai/Levels.h"
#include "core/Texts.h"
#include "dialogs/Red.h"
#include "net/Announce.h"
#include "shell/RedJuego.h"

#include <QAction>
#include <QDateTime>
#include <QDir>

// The network game of the window: the dialog, the session's start and end, and the
// routing of keys and commands while it lasts.

namespace {

// The local network's hosted games, for the dialog's list while it is open.
class Listing {
public:
    QList<NetListing> games() {
        finder.tick(QDateTime::currentMSecsSinceEpoch());
        QList<NetListing> list;
        for (const FoundGame &g : finder.games())
            list.append(
                {QString::fromStdString(g.address), int(g.port), QString::fromStdString(g.name)});
        return list;
    }

private:
    LanFinder finder;
};

constexpr int MoveKeys = 5;

} // namespace

void TfPrincipal::mnRedClick() {
    if (red) {
        if (askLeaveNetwork())
            red->session().leave();
        return;
    }
    post(InputKind::PauseIfRunning);
    NetChoice choice;
    choice.port = puertoRed ? puertoRed : DefaultNetPort;
    choice.announce = anunciarRed;
    choice.name = game->personName(1);
    CpuLevel level;
    if (ParseCpuLevel(chosenPlayers[0], level))
        choice.player = int(level) + 1;
    auto listing = std::make_shared<Listing>();
    if (!PedirPartidaRed(
            choice, [listing] { return listing->games(); }, this))
        return;
    puertoRed = choice.port;
    anunciarRed = choice.announce;
    storeSettingsIfChanged();
    listing.reset();
    if (game->Jugando) {
        if (MostrarMensaje(GetText(10000), QString::fromLatin1(ApplicationTitle), true) != 1)
            return;
        game->EndGame(false, nullptr);
    }
    IniciarRed(choice);
}

bool TfPrincipal::IniciarRed(const NetChoice &choice, std::uint32_t limitSteps) {
    std::string error;
    const auto port = std::uint16_t(choice.port);
    std::unique_ptr<Transport> link =
        choice.host ? Transport::listen({}, port, error)
                    : Transport::connect(choice.address.toStdString(), port, error);
    if (!link) {
        MostrarMensaje(GetTextFmt(17021, {QString::fromStdString(error)}), GetText(17001), false);
        return false;
    }
    NetOptions options;
    options.name = choice.name.isEmpty() ? game->personName(choice.host ? 1 : 2) : choice.name;
    if (limitSteps > 0)
        options.limitSteps = limitSteps;
    std::unique_ptr<PlayerController> cpu;
    if (choice.player >= 1 && choice.player <= CpuLevelCount)
        cpu = MakeCpuController(CpuLevel(choice.player - 1));
    driver->hold(true);
    const auto role = choice.host ? NetSession::Role::Host : NetSession::Role::Join;
    red = std::make_unique<TRedJuego>(*game, role, std::move(link), options, std::move(cpu),
                                      choice.announce);
    red->statusChanged = [this](const QString &text) { lblRed->setText(text); };
    // Recorded as any game; a disagreement of the two machines keeps its replay.
    red->polled = [this] { recorder->flush(); };
    red->session().disagreed = [this](const ReplayMismatch &m) { recorder->endsOnMismatch(m); };
    // Not inside the session's own call: the session goes once it has returned.
    red->finished = [this] { QTimer::singleShot(0, this, &TfPrincipal::endNetworkGame); };
    lblRed->setText(red->statusText());
    lblRed->show();
    setNetworkMenus(true);
    return true;
}

void TfPrincipal::endNetworkGame() {
    if (!red)
        return;
    if (red->session().stepping()) {
        // A dialog of the game's end is up inside the session's step: after it.
        QTimer::singleShot(50, this, &TfPrincipal::endNetworkGame);
        return;
    }
    QString message = red->endMessage();
    if (red->session().failureKind() == NetSession::Failure::Disagree &&
        !recorder->keptPath().isEmpty())
        message +=
            QLatin1Char(' ') + GetTextFmt(17023, {QDir::toNativeSeparators(recorder->keptPath())});
    red.reset();
    lblRed->hide();
    setNetworkMenus(false);
    applyPlayers();
    driver->hold(false);
    if (!message.isEmpty())
        MostrarMensaje(message, GetText(17001), false);
}

void TfPrincipal::setNetworkMenus(bool playing) {
    // The key dialog, the game mode and a local game wait for the network game's end.
    mnTeclas->setEnabled(!playing);
    mnTipoJuego->setEnabled(!playing);
    mnRed->setText(GetText(17000));
}

bool TfPrincipal::askLeaveNetwork() {
    return MostrarMensaje(GetText(17014), GetText(17001), true) == 1;
}

// The local player plays with either player's keys; F2 asks to leave, F3 pauses both.
bool TfPrincipal::netKey(int code) {
    constexpr int KeyF2 = 113, KeyF3 = 114;
    if (code == KeyF2) {
        if (askLeaveNetwork() && red)
            red->session().leave();
        return true;
    }
    if (code == KeyF3) {
        red->session().requestPause();
        return true;
    }
    for (size_t i = 0; i < game->TeclasJuego.size(); ++i) {
        if (game->TeclasJuego[i] == code) {
            red->session().localMove(Move(int(i) % MoveKeys));
            return true;
        }
    }
    return false;
}

// Only what both machines do alike may reach the game: a pause travels to both; the
// sound is this side's own; the rest waits for the network game's end.
void TfPrincipal::netCommand(InputKind kind, int code) {
    switch (kind) {
    case InputKind::Pause:
        red->session().requestPause();
        break;
    case InputKind::NewGame:
        if (askLeaveNetwork() && red)
            red->session().leave();
        break;
    case InputKind::Sound:
        game->Sonido = code != 0;
        break;
    default:
        break;
    }
}
