#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// The seams through which the engine shows things and is driven by time. The main
// window implements them with widgets and QTimers; the simulator and the tests with
// recording fakes on a virtual clock.

// A text on the screen (points, eliminated, level, status line, rocks line, names).
class ILabel {
public:
    virtual ~ILabel() = default;
    virtual void setText(const QString &text) = 0;
    virtual QString text() const = 0;
    // Show the current text now rather than at the next repaint.
    virtual void repaint() {}
};

// A picture on the screen the engine draws into (a well, a preview). The engine
// changes image() in place and then says which part changed.
class IImageView {
public:
    virtual ~IImageView() = default;
    // The picture in memory (QImage::Format_RGB32 expected; a null image draws nothing).
    virtual QImage &image() = 0;
    // Part of the picture changed; show it at the next repaint.
    virtual void changed(const QRect &area) { (void)area; }
    // Show the whole picture now.
    virtual void repaint() {}
};

// A timer with a numeric tag. Enabling a disabled timer starts a full interval;
// enabling an enabled one changes nothing; changing the interval of a running timer
// starts a new full interval. The owner calls the engine's handler when it fires.
class ITimer {
public:
    virtual ~ITimer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool on) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setTag(int tag) = 0;
    virtual int tag() const = 0;
};

// What one player's record draws on and is driven by.
struct PlayerViews {
    IImageView *Well = nullptr;    // imgFondo1 / imgFondo2, 245 x 400
    IImageView *Preview = nullptr; // imgSgtes1 / imgSgtes2, 70 x 25
    ILabel *PointsLabel = nullptr;
    ILabel *EliminatedLabel = nullptr;
    ILabel *StatusLabel = nullptr;
    ILabel *RocksLabel = nullptr;
    ILabel *LevelLabel = nullptr;
    ILabel *NameLabel = nullptr; // lblJugador1 / lblJugador2
    ITimer *TickTimer = nullptr; // Timer1 / Timer2
    ITimer *DrawTimer = nullptr; // TimerDibujar1 / TimerDibujar2
};
