#pragma once

#include <QRect>
#include <QRegion>

// A rectangle whose four corners are quarters of an ellipse of the given size, as the
// window outline uses; area holds the exact pixels (right and bottom exclusive).
QRegion RoundRectRegion(const QRect &area, int ellipseWidth, int ellipseHeight);
