#pragma once

#include <QImage>

class QPainter;

namespace art {

// The game-over picture and its mask (210 x 87), shaped like its letters.
QImage gameOverMask();
QImage gameOverSprite();

// Title frame 1 to 5 (300 x 74, 16 colours); the glow grows with the frame number.
QImage titleFrame(int frame);

// The application icon, a cut cobalt gem on a dark tile, at any square size.
QImage appIcon(int size);
// The same icon as vector strokes over a 32 x 32 square, for any paint device.
void paintAppIcon(QPainter &p);

} // namespace art
