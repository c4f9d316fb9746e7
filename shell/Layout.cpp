#include "shell/Layout.h"

#include "shell/Region.h"

QRegion Layout::Outline() {
    QRegion shape;
    for (const QRect &area : RoundedAreas)
        shape += RoundRectRegion(area, CornerEllipse, CornerEllipse);
    for (const QRect &area : PlainAreas)
        shape += area;
    return shape;
}
