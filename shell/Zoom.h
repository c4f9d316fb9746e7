#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

// How the window's factor-1 coordinates map onto the screen: a whole factor, so every
// picture pixel becomes a square of factor x factor pixels, and an origin, where the
// game lies inside a larger window (full screen).
struct PixelScale {
    int factor = 1;
    QPoint origin;

    QPoint map(const QPoint &p) const { return origin + p * factor; }
    QRect map(const QRect &r) const {
        return {map(r.topLeft()), QSize(r.width() * factor, r.height() * factor)};
    }
    QSize map(const QSize &s) const { return {s.width() * factor, s.height() * factor}; }
    QRegion map(const QRegion &region) const;
    bool operator==(const PixelScale &) const = default;
};

// The factor-1 pixels that cover a rectangle of a part drawn at factor, both relative
// to the part's own top-left corner.
QRect CoveringSource(const QRect &area, int factor);

// The largest factor from 1 to maxFactor whose window fits within area; 1 when none does.
int LargestFactorWithin(const QSize &area, int maxFactor);

// The factor of a first start: the largest window that fits within three quarters of
// the screen's available height (and its width).
int FirstStartZoom(const QRect &available);

// The factor a start uses: the stored one while its window fits the available area,
// else the largest that does; with none stored (0), the first start's.
int StartZoom(int stored, const QRect &available);

// Full screen: the largest whole factor that fits the screen, centred on it.
PixelScale FullScreenScale(const QSize &screen);
