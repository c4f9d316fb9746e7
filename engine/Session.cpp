#include "engine/Game.h"

#include "core/Texts.h"

namespace {
constexpr int KeyF1 = 112, KeyF2 = 113, KeyF3 = 114, KeyF5 = 116;
}

bool Game::askLeaveGame() {
    return ask(GetText(10000), QString::fromLatin1(ApplicationTitle), true) == 1;
}

void Game::setPauseItem(bool enabled) {
    pauseEnabled = enabled;
    hostPtr->pauseItemChanged(enabled, Pausado);
}

void Game::mnNuevoJuegoClick() {
    if (Jugando && !askLeaveGame())
        return;
    soundBroken = soundReported = false;
    EndGame(false, nullptr);
    if (inputObserver)
        inputObserver->gameStarted(gameClock.now());
    SetMixerActive(true);
    for (TInfo *p : {p1.get(), p2.get()}) {
        p->ResetBoard();
        p->ResetCounters();
    }
    applyPlayerNames();
    if (TipoJuego == GameMode::OneToOne) {
        askNames();
        for (TInfo *p : {p1.get(), p2.get()})
            if (p->View.NameLabel)
                p->View.NameLabel->setText(p->Name);
    } else {
        for (int n = 1; n <= 2; ++n) {
            TInfo &p = player(n);
            const bool cpu = !controller(n).playerName().isEmpty();
            if (p.View.NameLabel)
                p.View.NameLabel->setText(cpu ? p.Name : GetText(n == 1 ? 12000 : 12001));
        }
    }
    setTimer(TimerStatus, true);
    setTimer(p1->DrawTimer, true);
    setTimer(p2->DrawTimer, true);
    Limite = 4;
    startMode();
    Jugando = true;
    ++generation;
    Pausado = false;
    setPauseItem(true);
    for (int n = 1; n <= 2; ++n)
        controller(n).reset();
    updateControlTimer();
}

// A CPU plays under its own name; the name of the person it replaced is kept aside
// and comes back when a person plays that side again.
void Game::applyPlayerNames() {
    for (int n = 1; n <= 2; ++n) {
        TInfo &p = player(n);
        std::optional<QString> &kept = keptNames[size_t(n - 1)];
        const QString cpu = controller(n).playerName();
        if (!cpu.isEmpty()) {
            if (!kept)
                kept = p.Name;
            p.Name = cpu;
        } else if (kept) {
            p.Name = *kept;
            kept.reset();
        }
    }
}

QString Game::personName(int n) const {
    const std::optional<QString> &kept = keptNames[n == 2 ? 1 : 0];
    return kept ? *kept : player(n).Name;
}

// Only people are asked their names: both in one dialog, or the one person alone.
// The answer is logged even when nobody was asked, so a replay knows the names.
void Game::askNames() {
    const bool person1 = controller(1).playerName().isEmpty();
    const bool person2 = controller(2).playerName().isEmpty();
    if (person1 && person2)
        hostPtr->PedirNombres(p1->Name, p2->Name);
    else if (person1)
        hostPtr->PedirNombre(1, p1->Name, p2->Name);
    else if (person2)
        hostPtr->PedirNombre(2, p2->Name, p1->Name);
    answered({AnswerKind::Names, 0, p1->Name, p2->Name, {}});
}

void Game::startMode() {
    switch (TipoJuego) {
    case GameMode::OnePlayer:
        p1->Active = true;
        FaseActual = 1;
        StartStage(1);
        p2->StageDone = true;
        p1->NextColours.Configure(false, 0);
        generateShared(*p1, nullptr, 4);
        setTimer(p1->TickTimer, true);
        break;
    case GameMode::TwoPlayers:
        p1->Active = p2->Active = true;
        FaseActual = 1;
        StartStage(1);
        p1->NextColours.Configure(false, 0);
        p2->NextColours.Configure(false, 0);
        generateShared(*p1, p2.get(), 4);
        setTimer(p1->TickTimer, true);
        setTimer(p2->TickTimer, true);
        break;
    case GameMode::OneToOne:
        FaseActual = 0;
        if (views.StageLabel)
            views.StageLabel->setText(QStringLiteral("0"));
        Objetivo = 0;
        RocasAzar = LineasRocas = false;
        p1->NextColours.Configure(true, 25);
        p2->NextColours.Configure(true, 25);
        generateShared(*p1, p2.get(), 4);
        setTimer(p1->TickTimer, true);
        setTimer(p2->TickTimer, true);
        break;
    }
}

void Game::mnPausaClick() {
    if (!pauseEnabled)
        return;
    if (!Pausado) {
        Pausado = true;
        stopAllTimers();
        hostPtr->pauseItemChanged(true, true);
        hostPtr->processEvents();
        drawPause(*p1, buffers[0]);
        if (TipoJuego != GameMode::OnePlayer)
            drawPause(*p2, buffers[1]);
        SetMixerActive(false);
        return;
    }
    liftPause();
    setTimer(p1->TickTimer, true);
    if (p1->Falling)
        redrawPair(*p1);
    if (TipoJuego != GameMode::OnePlayer) {
        setTimer(p2->TickTimer, true);
        if (p2->Falling)
            redrawPair(*p2);
    }
    setTimer(TimerStatus, true);
    setTimer(p1->DrawTimer, true);
    setTimer(p2->DrawTimer, true);
    SetMixerActive(true);
    updateControlTimer();
}

// Ends the pause without restarting anything: the wells get their pictures back.
void Game::liftPause() {
    Pausado = false;
    restorePause(*p1, buffers[0]);
    if (TipoJuego != GameMode::OnePlayer)
        restorePause(*p2, buffers[1]);
    hostPtr->pauseItemChanged(pauseEnabled, false);
}

void Game::redrawPair(TInfo &p) {
    p.DrawCell(p.Gem1Col, p.Gem1Row, p.Gem1Colour);
    p.DrawCell(p.Gem2Col, p.Gem2Row, p.Gem2Colour);
}

void Game::drawPause(TInfo &p, QImage &buffer) {
    if (!p.View.Well)
        return;
    QImage &well = p.View.Well->image();
    buffer = well;
    well = pics.FondoVacio;
    Raster::drawMasked(well, {12, 75}, pics.PausaAND, pics.PausaXOR);
    p.View.Well->changed(well.rect());
}

void Game::restorePause(TInfo &p, QImage &buffer) {
    if (!p.View.Well || buffer.isNull())
        return;
    QImage &well = p.View.Well->image();
    well = buffer;
    buffer = QImage();
    p.View.Well->changed(well.rect());
}

void Game::PauseIfRunning() {
    if (!Pausado)
        mnPausaClick();
}

void Game::mnTipoJuegoClick(GameMode mode) {
    if (Jugando) {
        if (!askLeaveGame())
            return;
        EndGame(false, nullptr);
    }
    TipoJuego = mode;
    hostPtr->gameModeChanged(mode);
    mnNuevoJuegoClick();
}

void Game::mnAyudaClick() {
    PauseIfRunning();
    hostPtr->MostrarMensaje(GetText(10013), GetText(10014), false);
}

void Game::mnTeclasClick() {
    PauseIfRunning();
    std::array<std::uint16_t, 10> keys = TeclasJuego;
    const bool taken = hostPtr->PedirTeclas(keys, TeclasReservadas);
    if (taken)
        TeclasJuego = keys;
    answered({AnswerKind::Keys, taken ? 1 : 0, {}, {}, TeclasJuego});
}

namespace {
// The move a key makes for the player whose five keys are k; throw wins over step down.
bool keyMove(int key, const std::uint16_t *k, Move &move) {
    const Move order[5] = {Move::Left, Move::Right, Move::Rotate, Move::Throw, Move::StepDown};
    const int index[5] = {0, 1, 2, 4, 3};
    for (int i = 0; i < 5; ++i) {
        if (key == k[index[i]]) {
            move = order[i];
            return true;
        }
    }
    return false;
}
} // namespace

void Game::FormKeyDown(int key) {
    for (int n = 1; n <= 2; ++n) {
        Move move;
        if (controller(n).takesKeys() && keyMove(key, &TeclasJuego[size_t(5 * (n - 1))], move))
            applyMove(n, move);
    }
    switch (key) {
    case KeyF1:
        mnAyudaClick();
        break;
    case KeyF2:
        mnNuevoJuegoClick();
        break;
    case KeyF3:
        mnPausaClick();
        break;
    case KeyF5:
        mnTeclasClick();
        break;
    }
}
