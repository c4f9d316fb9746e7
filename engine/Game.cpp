#include "engine/Game.h"

#include "core/Texts.h"

const char *SoundName(TSonido wave) {
    switch (wave) {
    case TSonido::Depositar:
        return "SND_DEPOSITAR";
    case TSonido::Eliminar:
        return "SND_ELIMINAR";
    case TSonido::Nivel:
        return "SND_NIVEL";
    case TSonido::Rocas:
        return "SND_ROCAS";
    case TSonido::Lineas:
        return "SND_LINEAS";
    case TSonido::Fase:
        return "SND_FASE";
    }
    return "";
}

Game::Game(const GameBindings &bindings, TPictures pictures, std::uint32_t seed)
    : rng(seed), pics(std::move(pictures)), views(bindings) {
    if (views.Host) {
        hostPtr = views.Host;
    } else {
        ownHost = std::make_unique<IGameHost>();
        hostPtr = ownHost.get();
    }
    p1 = std::make_unique<TInfo>(1, views.Players[0], pics, rng, GetText(12000), 0, 1);
    p2 = std::make_unique<TInfo>(2, views.Players[1], pics, rng, GetText(12001), 2, 3);
    createTimers();
    for (int key : {112, 113, 114, 116})
        TeclasReservadas[size_t(key)] = true;
    LoadTextosDerrota();
}

// Added in firing order: timers due at the same moment fire in this order.
void Game::createTimers() {
    ClockTimer *tick[2] = {&gameClock.addTimer(500), &gameClock.addTimer(500)};
    ClockTimer *draw[2] = {&gameClock.addTimer(DrawInterval), &gameClock.addTimer(DrawInterval)};
    ClockTimer &status = gameClock.addTimer(StatusInterval);
    ClockTimer &control = gameClock.addTimer(ControlInterval);
    for (int i = 0; i < 2; ++i) {
        TInfo &p = player(i + 1);
        tick[i]->setTag(i + 1);
        draw[i]->setTag(i + 1);
        tick[i]->handler = [this, t = tick[i]] { TimerTimer(*t); };
        draw[i]->handler = [this, t = draw[i]] { TimerDibujarTimer(*t); };
        p.TickTimer = tick[i];
        p.DrawTimer = draw[i];
    }
    status.handler = [this] { TimerStatusTimer(); };
    control.handler = [this] {
        for (int n = 1; n <= 2; ++n)
            if (controller(n).needsSteps())
                controller(n).step(*this, n);
    };
    TimerStatus = &status;
    TimerControl = &control;
}

Game::~Game() = default;

void Game::LoadTextosDerrota() {
    for (int i = 0; i < 5; ++i)
        TextosDerrota[size_t(i)] = GetText(100 + i);
}

void Game::Play(TSonido wave, int channel) {
    if (!Sonido || soundBroken)
        return;
    try {
        hostPtr->playSound(wave, channel);
    } catch (const std::exception &e) {
        soundFailed(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        soundFailed(QStringLiteral("Sound error"));
    }
}

void Game::SetMixerActive(bool on) {
    try {
        hostPtr->setMixerActive(on);
    } catch (const std::exception &e) {
        soundFailed(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        soundFailed(QStringLiteral("Sound error"));
    }
}

// A sound failure never stops the game: it is reported once, and the game goes on
// without cues until the next new game tries the device again.
void Game::soundFailed(QString message) {
    soundBroken = true;
    if (soundReported)
        return;
    soundReported = true;
    if (!message.isEmpty() && message.back().unicode() > '.')
        message += QLatin1Char('.');
    hostPtr->showError(message, QString::fromLatin1(ApplicationTitle));
}

void Game::PostStatus(TInfo &p, const QString &text) {
    p.Messages.Push(text);
}

void Game::PostStatusAppend(TInfo &p, const QString &text) {
    p.Messages.Push(text + QChar(0));
}

void Game::setTimer(ITimer *timer, bool on) {
    if (timer)
        timer->setEnabled(on);
}

void Game::stopAllTimers() {
    setTimer(TimerControl, false);
    setTimer(p1->TickTimer, false);
    setTimer(p2->TickTimer, false);
    setTimer(TimerStatus, false);
    setTimer(p1->DrawTimer, false);
    setTimer(p2->DrawTimer, false);
}

void Game::showGameOver(TInfo &p) {
    p.DrawGameOver();
    hostPtr->gameOverShown(p.Number);
}

void Game::generateShared(TInfo &from, TInfo *to, int count) {
    for (int i = 0; i < count; ++i) {
        const int colour = from.NextColours.Generate();
        if (to)
            to->NextColours.Append(colour);
    }
}
