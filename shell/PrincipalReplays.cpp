#include "shell/Principal.h"

#include "ai/CpuController.h"
#include "core/Texts.h"
#include "dialogs/Repeticiones.h"
#include "services/ErrorReport.h"
#include "shell/Dialogos.h"
#include "shell/ReplayWatch.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

// Replays in the window: every game recorded, the replays window, watching one with
// its controls in the status strips, and playing on from the moment watched.

namespace {

QString clockText(std::int64_t ms) {
    const std::int64_t s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// A class that records the window's games and hears when one is over.
class WindowRecorder : public ReplayRecorder {
public:
    WindowRecorder(Game &game, IReplayStore &store, std::function<void()> ended)
        : ReplayRecorder(game, store), onEnded(std::move(ended)) {}
    void gameEnded(std::int64_t time, GameEnd how, int loser) override {
        ReplayRecorder::gameEnded(time, how, loser);
        onEnded();
    }

private:
    std::function<void()> onEnded;
};

} // namespace

void TfPrincipal::createReplays() {
    // A message box would come in the middle of a game step: it waits for the loop.
    replays.report = [](const QString &message) {
        QTimer::singleShot(0, [message] { ReportError(GetText(1002), message); });
    };
    recorder = std::make_unique<WindowRecorder>(*game, replays, [this] { replayGameEnded(); });
    game->setInputObserver(recorder.get());
    driver->OnStepped = [this] { recorder->flush(); };
    // Playing on makes the recorded players again: a person or a CPU level.
    controllerFactory = [](const QString &word) -> std::unique_ptr<PlayerController> {
        CpuLevel level;
        if (ParseCpuLevel(word, level))
            return MakeCpuController(level);
        if (word == u"greedy")
            return MakeGreedyController();
        if (word == u"person")
            return std::make_unique<KeyboardController>();
        return nullptr;
    };
}

// The controls are made with the first replay watched: their styled widgets cost more
// at start than the whole first paint.
void TfPrincipal::createReplayControls() {
    if (controles.left)
        return;
    controles.create(this);
    for (TComponente *bar : {controles.left, controles.right})
        bar->setScale(scale);
    connect(controles.btnPausa, &QToolButton::clicked, this, [this] {
        if (watch)
            watch->setPaused(!watch->paused());
    });
    connect(controles.btnPaso, &QToolButton::clicked, this, [this] {
        if (watch)
            watch->stepFrame();
    });
    const int speeds[4] = {1, 2, 4, 8};
    for (size_t i = 0; i < controles.btnVelocidad.size(); ++i)
        connect(controles.btnVelocidad[i], &QToolButton::clicked, this, [this, s = speeds[i]] {
            if (watch)
                watch->setSpeed(s);
        });
    connect(controles.sbPosicion, &QSlider::valueChanged, this, [this](int ms) {
        if (watch && ms != int(watch->position()))
            watch->seekTo(ms);
    });
    connect(controles.btnJugarAqui, &QPushButton::clicked, this, &TfPrincipal::playFromHere);
    connect(controles.btnParar, &QToolButton::clicked, this, &TfPrincipal::stopWatching);
}

void TfPrincipal::mnRepeticionesClick() {
    TfRepeticiones dialog(replays, this);
    if (dialog.exec() == QDialog::Accepted && !dialog.chosen().isEmpty())
        watchReplay(dialog.chosen());
}

void TfPrincipal::mnVerUltimaClick() {
    const QString last = replays.lastGame();
    if (last.isEmpty()) {
        MostrarMensaje(GetText(16225), QString::fromLatin1(ApplicationTitle), false);
        return;
    }
    watchReplay(last);
}

bool TfPrincipal::watchReplay(const QString &path) {
    Replay replay;
    QString why;
    if (!ReadReplayFile(path, replay, why)) {
        ReportError(GetText(1002), why);
        return false;
    }
    if (game->Jugando) {
        if (MostrarMensaje(GetText(10000), QString::fromLatin1(ApplicationTitle), true) != 1)
            return false;
        game->EndGame(false, nullptr);
        recorder->flush();
    }
    if (watch)
        stopWatching();
    watch = std::make_unique<ReplayWatch>(*this, replay);
    connect(watch.get(), &ReplayWatch::moved, this, &TfPrincipal::watchMoved);
    connect(watch.get(), &ReplayWatch::stopRequested, this, &TfPrincipal::stopWatching,
            Qt::QueuedConnection);
    createReplayControls();
    controles.sbPosicion->blockSignals(true);
    controles.sbPosicion->setRange(0, int(std::min<std::int64_t>(watch->length(), INT_MAX)));
    controles.sbPosicion->setPageStep(10000);
    controles.sbPosicion->blockSignals(false);
    showStartHints(false);
    controles.setVisible(true);
    for (TEtiqueta *line : {lblStatus1, lblStatus2})
        line->hide();
    watch->start();
    return true;
}

void TfPrincipal::stopWatching() {
    if (!watch)
        return;
    if (watch->busy()) {
        watch->requestStop();
        return;
    }
    watch.reset();
    if (controles.left)
        controles.setVisible(false);
    // The window's own game takes its views back.
    game->showState();
    showStartHints(!game->isPauseEnabled());
    if (game->Jugando)
        for (TEtiqueta *line : {lblStatus1, lblStatus2})
            line->show();
}

void TfPrincipal::watchMoved() {
    if (!watch)
        return;
    controles.btnPausa->setIcon(
        ReplaySymbolIcon(watch->paused() ? ReplaySymbol::Play : ReplaySymbol::Pause));
    controles.btnPausa->setToolTip(GetText(watch->paused() ? 16231 : 16230));
    const int speeds[4] = {1, 2, 4, 8};
    for (size_t i = 0; i < controles.btnVelocidad.size(); ++i)
        controles.btnVelocidad[i]->setChecked(watch->speed() == speeds[i]);
    controles.lblTiempo->setText(clockText(watch->position()) + QLatin1Char('/') +
                                 clockText(watch->length()));
    if (!controles.sbPosicion->isSliderDown()) {
        controles.sbPosicion->blockSignals(true);
        controles.sbPosicion->setValue(int(watch->position()));
        controles.sbPosicion->blockSignals(false);
    }
    controles.btnJugarAqui->setEnabled(watch->canPlayOn());
}

// Keys while watching: space pauses and plays, the right arrow steps, 1 2 4 8 choose
// the speed, Esc ends watching. F2 ends it too and starts a new game.
bool TfPrincipal::watchKey(const QKeyEvent &key, int code) {
    switch (key.key()) {
    case Qt::Key_Space:
        watch->setPaused(!watch->paused());
        return true;
    case Qt::Key_Right:
        watch->stepFrame();
        return true;
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_4:
    case Qt::Key_8:
        watch->setSpeed(key.key() - Qt::Key_0);
        return true;
    case Qt::Key_Escape:
        if (!fullScreenShown)
            stopWatching();
        return true;
    default:
        break;
    }
    if (code == 113)
        stopWatching();
    return false;
}

void TfPrincipal::playFromHere() {
    if (!watch || !watch->canPlayOn() || watch->busy())
        return;
    const Replay replay = watch->replay();
    const size_t inputs = watch->inputsApplied();
    const size_t answers = watch->answers.used();
    const auto ownKeys = game->TeclasJuego;
    game->adoptState(watch->game());
    stopWatching();
    for (int n = 1; n <= 2; ++n) {
        const QString &word = replay.setup.players[size_t(n - 1)].controller.word;
        std::unique_ptr<PlayerController> c = controllerFactory ? controllerFactory(word) : nullptr;
        game->setController(n, c ? std::move(c) : std::make_unique<KeyboardController>());
    }
    recorder->continueFrom(replay, inputs, answers);
    // The watch gave the mixer back; the game takes it as a continued one would.
    game->SetMixerActive(!game->Pausado);
    // Key presses map as they did in the recorded game until this one is over.
    if (game->TeclasJuego != ownKeys)
        keysToRestore = {{ownKeys, game->TeclasJuego}};
    driver->resync();
    if (game->Sonido != mnSonido->isChecked())
        post(InputKind::Sound, mnSonido->isChecked());
    setFocus();
}

// Keys changed in the key dialog meanwhile stay as chosen.
void TfPrincipal::replayGameEnded() {
    if (!keysToRestore)
        return;
    if (game->TeclasJuego == keysToRestore->recorded)
        game->TeclasJuego = keysToRestore->own;
    keysToRestore.reset();
}
