#include "shell/ReplayWatch.h"

#include "services/ErrorReport.h"
#include "shell/Layout.h"
#include "shell/Principal.h"

#include <QEventLoop>
#include <QLabel>

#include <algorithm>

namespace {
// How long a recorded message stays up, in real time.
constexpr int MessageMs = 1500;
// Where recorded messages show: over the left well.
constexpr QRect MessageArea{15, 140, 225, 120};
} // namespace

ReplayWatch::ReplayWatch(TfPrincipal &w, const Replay &replay) : window(w), recording(replay) {
    answers = ReplayAnswers(recording.answers);
    watched = std::make_unique<Game>(window.viewBindings(this), window.juego().pictures(), 1);
    watched->LoadTextosDerrota();
    playback = std::make_unique<ReplayPlayback>(*watched, recording);
    wall.start();
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &ReplayWatch::wake);
    message = new QLabel(&window);
    message->setObjectName(QStringLiteral("lblRepeticion"));
    message->setAlignment(Qt::AlignCenter);
    message->setWordWrap(true);
    message->setStyleSheet(QStringLiteral("background: rgba(0, 0, 0, 190); color: white;"));
    message->hide();
    messageTimer.setSingleShot(true);
    connect(&messageTimer, &QTimer::timeout, message, &QWidget::hide);
}

ReplayWatch::~ReplayWatch() {
    timer.stop();
    playback.reset();
    // The window's mixer goes back to the window's own game.
    watched->SetMixerActive(false);
    watched.reset();
    delete message;
}

void ReplayWatch::start() {
    ++depth;
    playback->start();
    --depth;
    rebase();
    afterStep();
}

std::int64_t ReplayWatch::target() const {
    const std::int64_t t = gameBase + (pausedNow ? 0 : (wall.elapsed() - wallBase) * factor);
    return std::min(t, recording.endTime());
}

void ReplayWatch::rebase() {
    gameBase = watched->clock().now();
    wallBase = wall.elapsed();
}

std::int64_t ReplayWatch::position() const {
    return std::clamp<std::int64_t>(watched->clock().now() - recording.setup.startTime, 0,
                                    length());
}

bool ReplayWatch::atEnd() const {
    return watched->clock().now() >= recording.endTime();
}

void ReplayWatch::setSpeed(int f) {
    rebase();
    factor = std::clamp(f, 1, 8);
    schedule();
    emit moved();
}

void ReplayWatch::setPaused(bool on) {
    rebase();
    pausedNow = on;
    schedule();
    emit moved();
}

void ReplayWatch::stepFrame() {
    if (!pausedNow)
        setPaused(true);
    gameBase = std::min(watched->clock().now() + DrawInterval, recording.endTime());
    if (depth == 0)
        wake();
}

void ReplayWatch::wake() {
    if (depth > 0)
        return;
    ++depth;
    playback->runTo(target());
    --depth;
    afterStep();
}

void ReplayWatch::seekTo(std::int64_t ms) {
    if (depth > 0) {
        pendingSeek = ms;
        return;
    }
    HeadlessReplay ahead(recording);
    ahead.playback.start();
    ahead.playback.runTo(recording.setup.startTime + std::clamp<std::int64_t>(ms, 0, length()));
    ++depth;
    watched->adoptState(*ahead.game);
    --depth;
    answers.setPositions(ahead.host.answers.positions());
    playback->resumeAt(ahead.playback.inputsApplied());
    message->hide();
    rebase();
    afterStep();
}

void ReplayWatch::requestStop() {
    if (depth == 0) {
        emit stopRequested();
        return;
    }
    stopPending = true;
}

// Runs once a step unwound: what was asked meanwhile, then the next wake-up.
void ReplayWatch::afterStep() {
    if (stopPending) {
        stopPending = false;
        timer.stop();
        emit stopRequested();
        return;
    }
    if (pendingSeek) {
        const std::int64_t ms = *pendingSeek;
        pendingSeek.reset();
        seekTo(ms);
        return;
    }
    if (atEnd() && !pausedNow) {
        pausedNow = true;
        rebase();
    }
    schedule();
    emit moved();
}

void ReplayWatch::schedule() {
    if (depth > 0)
        return;
    if (pausedNow && watched->clock().now() >= gameBase) {
        timer.stop();
        return;
    }
    const std::int64_t due = std::min(watched->clock().nextDue(), recording.endTime());
    const std::int64_t ahead = std::max<std::int64_t>(due - target(), 0);
    timer.start(int(std::min<std::int64_t>((ahead + factor - 1) / factor, 1000)));
}

int ReplayWatch::MostrarMensaje(const QString &text, const QString &caption, bool withCancel) {
    showBriefly(text);
    return ReplayHost::MostrarMensaje(text, caption, withCancel);
}

void ReplayWatch::showBriefly(const QString &text) {
    const PixelScale &scale = window.pixelScale();
    QFont font = message->font();
    font.setPixelSize(11 * scale.factor);
    message->setFont(font);
    message->setGeometry(scale.map(MessageArea));
    message->setText(text);
    message->show();
    message->raise();
    messageTimer.start(std::max(MessageMs / factor, 300));
}

void ReplayWatch::showError(const QString &text, const QString &caption) {
    ReportError(caption, text);
}

void ReplayWatch::playSound(TSonido wave, int channel) {
    window.sonidos().Play(wave, channel);
}

void ReplayWatch::setMixerActive(bool on) {
    if (on)
        window.sonidos().Preparar();
    window.sonidos().setActivated(on);
}

// A wait inside a step of the watched game runs the clock at the watch's pace, as the
// window's own driver does; asked to seek or end, it runs to its end at once.
void ReplayWatch::waitUntil(const std::function<bool()> &done, GameClock &clock) {
    ++depth;
    const std::int64_t limit = clock.now() + WaitLimitMs;
    while (!done() && clock.now() < limit) {
        if (stopPending || pendingSeek) {
            clock.runUntil(done, limit - clock.now());
            break;
        }
        const std::int64_t due = std::min(clock.nextDue(), limit);
        const std::int64_t to = std::min(target(), due);
        if (to <= clock.now()) {
            QEventLoop loop;
            QTimer::singleShot(
                int(std::clamp<std::int64_t>((due - target() + factor - 1) / factor, 1, 50)), &loop,
                &QEventLoop::quit);
            loop.exec();
            continue;
        }
        clock.runUntil(done, to - clock.now());
    }
    --depth;
}
