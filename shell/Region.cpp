#include "shell/Region.h"

#include <cmath>

QRegion RoundRectRegion(const QRect &area, int ellipseWidth, int ellipseHeight) {
    const double rx = ellipseWidth / 2.0, ry = ellipseHeight / 2.0;
    const int cornerRows = qMin(int(std::ceil(ry)), area.height() / 2);
    QRegion region(area.adjusted(0, cornerRows, 0, -cornerRows));
    for (int i = 0; i < cornerRows; ++i) {
        // Horizontal inset of pixel row i from the top (and from the bottom), sampled at
        // the row's centre on the corner's ellipse.
        const double dy = (ry - i - 0.5) / ry;
        const int inset = int(std::lround(rx - rx * std::sqrt(qMax(0.0, 1.0 - dy * dy))));
        const int width = area.width() - 2 * inset;
        if (width <= 0)
            continue;
        region += QRect(area.left() + inset, area.top() + i, width, 1);
        region += QRect(area.left() + inset, area.bottom() - i, width, 1);
    }
    return region;
}
