#pragma once

#include <QImage>
#include <QString>

namespace art {

// Words painted into the language-dependent pictures.
struct Captions {
    QString next;
    QString points;
    QString gems;
    QString level;
    QString stage;
    QString pause;
};

Captions englishCaptions();
Captions spanishCaptions();

// The empty well (245 x 400), with a faint socket engraved at every cell.
QImage emptyWell();

// The strip under each well (255 x 40) holding the two status lines.
QImage statusStrip();

// The scoreboard (110 x 425) with its captions beside the label places.
QImage scoreboard(const Captions &captions);

// The pause picture and its mask (222 x 35 each).
QImage pauseMask();
QImage pauseSprite(const Captions &captions);

} // namespace art
