#include "shell/Zoom.h"

#include "services/Settings.h"
#include "shell/Layout.h"

#include <algorithm>
#include <limits>

QRegion PixelScale::map(const QRegion &region) const {
    QRegion mapped;
    for (const QRect &r : region)
        mapped += map(r);
    return mapped;
}

QRect CoveringSource(const QRect &area, int factor) {
    const int left = area.left() / factor, top = area.top() / factor;
    const int right = area.right() / factor, bottom = area.bottom() / factor;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

int LargestFactorWithin(const QSize &area, int maxFactor) {
    const int byWidth = area.width() / Layout::Client.width();
    const int byHeight = area.height() / Layout::Client.height();
    return std::clamp(std::min(byWidth, byHeight), 1, std::max(1, maxFactor));
}

int FirstStartZoom(const QRect &available) {
    return LargestFactorWithin({available.width(), available.height() * 3 / 4}, MaxZoom);
}

int StartZoom(int stored, const QRect &available) {
    if (stored < MinZoom || stored > MaxZoom)
        return FirstStartZoom(available);
    return std::min(stored, LargestFactorWithin(available.size(), MaxZoom));
}

PixelScale FullScreenScale(const QSize &screen) {
    PixelScale scale;
    scale.factor = LargestFactorWithin(screen, std::numeric_limits<int>::max());
    const QSize game = scale.map(Layout::Client);
    scale.origin = {(screen.width() - game.width()) / 2, (screen.height() - game.height()) / 2};
    return scale;
}
