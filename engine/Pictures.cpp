#include "engine/Pictures.h"

#include <QPainter>

#include <cstdint>
#include <cstring>

namespace {

bool isRgb32(const QImage &image) {
    return image.format() == QImage::Format_RGB32;
}

// The part of src (placed at pos) that lies inside dest, in src's coordinates.
QRect clipped(const QImage &dest, QPoint pos, const QRect &from) {
    QRect target = QRect(pos, from.size()).intersected(dest.rect());
    return target.translated(from.topLeft() - pos);
}

void painterOp(QImage &dest, QPoint pos, const QImage &src, QPainter::CompositionMode mode) {
    QPainter painter(&dest);
    painter.setCompositionMode(mode);
    painter.drawImage(pos, src);
}

// dest := (dest OP src) with the alpha byte kept opaque, as the raster engine does.
template <typename Op> void combine(QImage &dest, QPoint pos, const QImage &src, Op op) {
    const QRect part = clipped(dest, pos, src.rect());
    if (part.isEmpty())
        return;
    // bits() once: scanLine() checks for sharing on every call.
    uchar *to =
        dest.bits() + (pos.y() + part.top()) * dest.bytesPerLine() + 4 * (pos.x() + part.left());
    const uchar *from = src.constBits() + part.top() * src.bytesPerLine() + 4 * part.left();
    const qsizetype toStep = dest.bytesPerLine(), fromStep = src.bytesPerLine();
    const int width = part.width();
    for (int y = 0; y < part.height(); ++y, to += toStep, from += fromStep) {
        auto *d = reinterpret_cast<std::uint32_t *>(to);
        const auto *s = reinterpret_cast<const std::uint32_t *>(from);
        for (int x = 0; x < width; ++x)
            d[x] = op(d[x], s[x]) | 0xff000000u;
    }
}

} // namespace

namespace Raster {

void andImage(QImage &dest, QPoint pos, const QImage &src) {
    if (dest.isNull() || src.isNull())
        return;
    if (!isRgb32(dest) || !isRgb32(src))
        return painterOp(dest, pos, src, QPainter::RasterOp_SourceAndDestination);
    combine(dest, pos, src, [](std::uint32_t d, std::uint32_t s) { return d & s; });
}

void xorImage(QImage &dest, QPoint pos, const QImage &src) {
    if (dest.isNull() || src.isNull())
        return;
    if (!isRgb32(dest) || !isRgb32(src))
        return painterOp(dest, pos, src, QPainter::RasterOp_SourceXorDestination);
    combine(dest, pos, src, [](std::uint32_t d, std::uint32_t s) { return d ^ s; });
}

void drawMasked(QImage &dest, QPoint pos, const QImage &mask, const QImage &sprite) {
    if (dest.isNull())
        return;
    if (isRgb32(dest) && isRgb32(mask) && isRgb32(sprite) && mask.size() == sprite.size()) {
        combine(dest, pos, mask, [](std::uint32_t d, std::uint32_t s) { return d & s; });
        combine(dest, pos, sprite, [](std::uint32_t d, std::uint32_t s) { return d ^ s; });
        return;
    }
    andImage(dest, pos, mask);
    xorImage(dest, pos, sprite);
}

void copyRect(QImage &dest, QPoint pos, const QImage &src, const QRect &from) {
    if (dest.isNull() || src.isNull())
        return;
    const QRect source = from.intersected(src.rect());
    const QRect part = clipped(dest, pos + (source.topLeft() - from.topLeft()), source);
    if (part.isEmpty())
        return;
    const QPoint to = pos + (part.topLeft() - from.topLeft());
    if (dest.format() != src.format() || dest.depth() != 32) {
        QPainter painter(&dest);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(to, src, part);
        return;
    }
    for (int y = 0; y < part.height(); ++y)
        std::memcpy(dest.scanLine(to.y() + y) + 4 * to.x(),
                    src.constScanLine(part.top() + y) + 4 * part.left(), size_t(4 * part.width()));
}

} // namespace Raster

TPictures TPictures::plain() {
    static const QRgb colours[7] = {0xd02020, 0x20c040, 0x3050e0, 0xe0d020,
                                    0xd030d0, 0xf0f0f0, 0x806040};
    TPictures p;
    const QRect gem(2, 2, 31, 21);
    p.FichaAND = QImage(35, 25, QImage::Format_RGB32);
    p.FichaAND.fill(0xffffffff);
    {
        QPainter painter(&p.FichaAND);
        painter.fillRect(gem, Qt::black);
    }
    for (int i = 0; i < 7; ++i) {
        QImage sprite(35, 25, QImage::Format_RGB32);
        sprite.fill(Qt::black);
        QPainter painter(&sprite);
        painter.fillRect(gem, QColor::fromRgb(colours[i]));
        p.Sprites[size_t(i)] = sprite;
    }
    p.FondoVacio = QImage(245, 400, QImage::Format_RGB32);
    p.FondoVacio.fill(QColor(16, 16, 40));
    p.GameOverAND = QImage(210, 87, QImage::Format_RGB32);
    p.GameOverAND.fill(Qt::black);
    p.GameOverXOR = QImage(210, 87, QImage::Format_RGB32);
    p.GameOverXOR.fill(QColor(160, 0, 0));
    p.PausaAND = QImage(222, 35, QImage::Format_RGB32);
    p.PausaAND.fill(Qt::black);
    p.PausaXOR = QImage(222, 35, QImage::Format_RGB32);
    p.PausaXOR.fill(QColor(0, 0, 160));
    p.Marcador = QImage(110, 425, QImage::Format_RGB32);
    p.Marcador.fill(QColor(40, 40, 40));
    return p;
}
