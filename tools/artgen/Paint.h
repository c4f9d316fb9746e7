#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QSize>

// Small helpers shared by the painters of every picture.
namespace art {

// An opaque picture filled with one colour, in the format the game draws with.
QImage solid(QSize size, QColor colour);

// A two-tone mask: black inside path, white outside, no blended edge pixels, so an
// AND pass leaves the background exactly untouched around the shape.
QImage maskFromPath(QSize size, const QPainterPath &path);

// The mask of a picture painted with transparency: black where alpha reaches threshold.
QImage maskFromAlpha(const QImage &argb, int threshold = 96);

// The XOR half of a masked picture: the painting over black inside the mask, pure black
// outside it, so the XOR pass leaves the background untouched there.
QImage spriteFor(const QImage &argb, const QImage &mask);

// A box blur of the alpha channel, repeated three times to approach a Gaussian.
QImage blurAlpha(const QImage &argb, int radius);

// A colour from a base colour with its lightness scaled (1 keeps it).
QColor shade(QColor base, double factor);

QFont boldFont(int pixelSize);

} // namespace art
