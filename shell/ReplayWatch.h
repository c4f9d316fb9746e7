#pragma once

#include "engine/ReplayPlayer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

class QLabel;
class TfPrincipal;

// Watching a replay in the main window: the recorded game plays on the window's views
// at x1, x2, x4 or x8, pauses, steps a frame, and seeks by playing headless to the
// moment and taking that state over. Its dialogs are shown briefly or skipped, never
// asked, and no result reaches the high-score tables.
class ReplayWatch : public QObject, public ReplayHost {
    Q_OBJECT
public:
    ReplayWatch(TfPrincipal &window, const Replay &replay);
    ~ReplayWatch() override;

    // The recorded game from its start, playing at x1.
    void start();
    void setSpeed(int factor);
    int speed() const { return factor; }
    void setPaused(bool on);
    bool paused() const { return pausedNow; }
    // One drawing frame of game time, while paused.
    void stepFrame();
    // Plays headless to ms after the start and goes on from there.
    void seekTo(std::int64_t ms);
    std::int64_t position() const;
    std::int64_t length() const { return recording.length(); }
    bool atEnd() const;
    // The game runs at this moment: it can be played on from here.
    bool canPlayOn() const { return watched->Jugando; }
    Game &game() { return *watched; }
    const Replay &replay() const { return recording; }
    size_t inputsApplied() const { return playback->inputsApplied(); }
    // Inside a step of the game: the watch cannot be ended now, only asked to end.
    bool busy() const { return depth > 0; }
    void requestStop();

    // IGameHost, for the watched game.
    int MostrarMensaje(const QString &text, const QString &caption, bool withCancel) override;
    void showError(const QString &text, const QString &caption) override;
    void playSound(TSonido wave, int channel) override;
    void setMixerActive(bool on) override;
    void waitUntil(const std::function<bool()> &done, GameClock &clock) override;

signals:
    // The position moved, the speed or the pause changed.
    void moved();
    // Asked to end while busy; the window ends it now.
    void stopRequested();

private:
    std::int64_t target() const;
    void rebase();
    void wake();
    void afterStep();
    void schedule();
    void showBriefly(const QString &text);

    TfPrincipal &window;
    Replay recording;
    std::unique_ptr<Game> watched;
    std::unique_ptr<ReplayPlayback> playback;
    QElapsedTimer wall;
    std::int64_t wallBase = 0, gameBase = 0;
    int factor = 1;
    bool pausedNow = false;
    int depth = 0;
    // Set while busy: what to do once the step unwinds; waits give up meanwhile.
    std::optional<std::int64_t> pendingSeek;
    bool stopPending = false;
    QTimer timer, messageTimer;
    QLabel *message = nullptr;
};
