#include "tools/cobaltix-sim/SimViews.h"

namespace {
// Where the engine draws the game-over picture on a well.
const QRect gameOverArea(17, 75, 210, 87);
} // namespace

SimImageView::SimImageView(QSize size) : picture(size, QImage::Format_RGB32) {
    picture.fill(Qt::black);
}

void SimImageView::changed(const QRect &area) {
    if (area == gameOverArea && onGameOver)
        onGameOver();
}
