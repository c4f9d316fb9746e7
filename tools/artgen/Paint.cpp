#include "tools/artgen/Paint.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace art {

QImage solid(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage maskFromPath(QSize size, const QPainterPath &path) {
    QImage mask = solid(size, Qt::white);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillPath(path, Qt::black);
    return mask;
}

QImage maskFromAlpha(const QImage &argb, int threshold) {
    QImage source = argb.convertToFormat(QImage::Format_ARGB32);
    QImage mask = solid(source.size(), Qt::white);
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(mask.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (qAlpha(in[x]) >= threshold)
                out[x] = qRgb(0, 0, 0);
        }
    }
    return mask;
}

QImage spriteFor(const QImage &argb, const QImage &mask) {
    QImage sprite = solid(argb.size(), Qt::black);
    {
        QPainter painter(&sprite);
        painter.drawImage(0, 0, argb);
    }
    for (int y = 0; y < sprite.height(); ++y) {
        auto *out = reinterpret_cast<QRgb *>(sprite.scanLine(y));
        const auto *m = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        for (int x = 0; x < sprite.width(); ++x) {
            if ((m[x] & 0xffffff) != 0)
                out[x] = qRgb(0, 0, 0);
        }
    }
    return sprite;
}

namespace {

// One horizontal or vertical box pass over an alpha plane.
void boxPass(std::vector<int> &plane, int width, int height, int radius, bool horizontal) {
    std::vector<int> line;
    const int outer = horizontal ? height : width;
    const int inner = horizontal ? width : height;
    for (int o = 0; o < outer; ++o) {
        line.assign(inner, 0);
        for (int i = 0; i < inner; ++i)
            line[i] = plane[horizontal ? o * width + i : i * width + o];
        for (int i = 0; i < inner; ++i) {
            int sum = 0;
            for (int k = i - radius; k <= i + radius; ++k)
                sum += (k >= 0 && k < inner) ? line[k] : 0;
            plane[horizontal ? o * width + i : i * width + o] = sum / (2 * radius + 1);
        }
    }
}

} // namespace

QImage blurAlpha(const QImage &argb, int radius) {
    QImage source = argb.convertToFormat(QImage::Format_ARGB32);
    const int w = source.width();
    const int h = source.height();
    std::vector<int> plane(w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            plane[y * w + x] = qAlpha(source.pixel(x, y));
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(plane, w, h, radius, true);
        boxPass(plane, w, h, radius, false);
    }
    QImage result(source.size(), QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            result.setPixel(x, y, qRgba(255, 255, 255, std::clamp(plane[y * w + x], 0, 255)));
    return result;
}

QColor shade(QColor base, double factor) {
    float h, s, l, a;
    base.getHslF(&h, &s, &l, &a);
    const double lightness = std::clamp(l * factor, 0.0, 1.0);
    return QColor::fromHslF(h, s, static_cast<float>(lightness), a);
}

QFont boldFont(int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace art
