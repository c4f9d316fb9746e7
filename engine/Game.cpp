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

namespace {
// Without a host nobody processes events, so a wait plays the drawing queues itself.
class HeadlessHost : public IGameHost {
public:
    explicit HeadlessHost(Game &game) : game(game) {}
    void waitUntil(const std::function<bool()> &done) override {
        for (int guard = 0; !done() && guard < 100000; ++guard) {
            game.TimerDibujarTimer(1);
            game.TimerDibujarTimer(2);
        }
    }

private:
    Game &game;
};
} // namespace

Game::Game(const GameBindings &bindings, TPictures pictures, std::uint32_t seed)
    : rng(seed), pics(std::move(pictures)), views(bindings) {
    if (views.Host) {
        hostPtr = views.Host;
    } else {
        ownHost = std::make_unique<HeadlessHost>(*this);
        hostPtr = ownHost.get();
    }
    p1 = std::make_unique<TInfo>(1, views.Players[0], pics, rng, GetText(12000), 0, 1);
    p2 = std::make_unique<TInfo>(2, views.Players[1], pics, rng, GetText(12001), 2, 3);
    for (int i = 0; i < 2; ++i) {
        const PlayerViews &v = views.Players[size_t(i)];
        if (v.TickTimer) {
            v.TickTimer->setTag(i + 1);
            v.TickTimer->setEnabled(false);
        }
        if (v.DrawTimer) {
            v.DrawTimer->setTag(i + 1);
            v.DrawTimer->setInterval(DrawInterval);
            v.DrawTimer->setEnabled(false);
        }
    }
    if (views.TimerStatus) {
        views.TimerStatus->setInterval(StatusInterval);
        views.TimerStatus->setEnabled(false);
    }
    for (int key : {112, 113, 114, 116})
        TeclasReservadas[size_t(key)] = true;
    LoadTextosDerrota();
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
    setTimer(p1->View.TickTimer, false);
    setTimer(p2->View.TickTimer, false);
    setTimer(views.TimerStatus, false);
    setTimer(p1->View.DrawTimer, false);
    setTimer(p2->View.DrawTimer, false);
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
