#include "tools/cobaltix-sim/SimViews.h"

SimImageView::SimImageView(QSize size) : picture(size, QImage::Format_RGB32) {
    picture.fill(Qt::black);
}
