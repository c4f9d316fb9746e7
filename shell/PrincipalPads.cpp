#include "shell/Principal.h"

#include "pad/PadPresence.h"

#include "core/Texts.h"

// The game controllers of the window: what their presses do outside menus and dialogs.

void TfPrincipal::createPads() {
    Mandos = new TMandos(this);
    Mandos->OnMove = [this](int player, Move move) {
        // A player the computer or a peer plays for takes no moves from a pad.
        if ((player == 1 || player == 2) && game->controller(player).takesKeys())
            driver->post(Input::move(player, move));
    };
    // As F3: pauses and continues a game in progress, nothing otherwise.
    Mandos->OnStart = [this] { post(InputKind::Pause); };
    Mandos->OnBack = [this] { btnMenuClick(); };
    Mandos->OnLost = [this](int player) { padLost(player); };
}

void TfPrincipal::startPads() {
    Mandos->start();
}

void TfPrincipal::awaitPads() {
    (new PadArrival([this] { startPads(); }, this))->watch();
}

void TfPrincipal::padLost(int player) {
    if (!game->Jugando)
        return;
    post(InputKind::PauseIfRunning);
    MostrarMensaje(GetTextFmt(16104, {player}), QString(), false);
}
