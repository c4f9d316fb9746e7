#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include "clock/Timer.h"

// The seams through which the engine shows things. The main window implements them
// with widgets; the simulator and the tests with recording fakes.

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
};
