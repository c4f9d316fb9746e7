#include "Rig.h"

#include <QPainter>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {
QImage noise(QSize size, quint32 seed) {
    QRandomGenerator gen(seed);
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, 0xff000000u | (gen.generate() & 0xffffffu));
    return image;
}

QImage withPainter(QImage dest, QPoint at, const QImage &mask, const QImage &sprite) {
    QPainter painter(&dest);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(at, mask);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawImage(at, sprite);
    painter.end();
    return dest;
}
} // namespace

// The fast sprite drawing must give exactly what the painter's raster operations give,
// also where the sprite is cut by the edge (a gem in the hidden row above the well).
TEST(Raster, MaskedDrawingMatchesThePainterRasterOps) {
    const QImage mask = noise({35, 25}, 1), sprite = noise({35, 25}, 2);
    for (QPoint at : {QPoint(0, 0), QPoint(35, 50), QPoint(70, -25), QPoint(-10, -5),
                      QPoint(230, 390), QPoint(210, 375)}) {
        QImage fast = noise({245, 400}, 3);
        const QImage expected = withPainter(fast, at, mask, sprite);
        Raster::drawMasked(fast, at, mask, sprite);
        EXPECT_EQ(fast, expected) << at.x() << "," << at.y();
    }
}

TEST(Raster, OtherFormatsFallBackToThePainter) {
    QImage dest = noise({60, 40}, 4).convertToFormat(QImage::Format_ARGB32);
    const QImage mask = noise({35, 25}, 5), sprite = noise({35, 25}, 6);
    const QImage expected = withPainter(dest, {3, 4}, mask, sprite);
    Raster::drawMasked(dest, {3, 4}, mask, sprite);
    EXPECT_EQ(dest, expected);
}

TEST(Raster, CopyRectIsAPlainCopyClippedToBothImages) {
    const QImage src = noise({245, 400}, 7);
    QImage dest = noise({245, 400}, 8);
    const QImage before = dest;
    Raster::copyRect(dest, {70, -25}, src, QRect(70, -25, 70, 50));
    EXPECT_EQ(dest.copy(70, 0, 70, 25), src.copy(70, 0, 70, 25));
    EXPECT_EQ(dest.copy(0, 25, 245, 375), before.copy(0, 25, 245, 375));
}

TEST(Raster, NullPicturesDrawNothing) {
    QImage dest = noise({10, 10}, 9);
    const QImage before = dest;
    Raster::drawMasked(dest, {0, 0}, QImage(), QImage());
    Raster::copyRect(dest, {0, 0}, QImage(), QRect(0, 0, 5, 5));
    EXPECT_EQ(dest, before);
    QImage none;
    Raster::drawMasked(none, {0, 0}, before, before); // must not crash
}

// Every cell sprite shares one mask, so drawing over a cell replaces it exactly.
TEST(Raster, GreenOverRedLeavesACleanGreenGem) {
    Rig rig;
    TInfo &p = rig.p(1);
    p.DrawCell(2, 5, 2);
    const QImage green = rig.well(1).picture.copy(70, 125, 35, 25);
    p.EraseCell(2, 5);
    p.DrawCell(2, 5, 1);
    p.DrawCell(2, 5, 2);
    EXPECT_EQ(rig.well(1).picture.copy(70, 125, 35, 25), green);
    p.EraseCell(2, 5);
    EXPECT_EQ(rig.well(1).picture, rig.game->pictures().FondoVacio);
}

TEST(Raster, DrawBoardPaintsEveryCellOnTheEmptyWell) {
    Rig rig;
    rig.setBoard(1, bottom({"RGBYMJX"}));
    QImage expected = rig.game->pictures().FondoVacio;
    const TPictures &pics = rig.game->pictures();
    for (int c = 0; c < 7; ++c)
        Raster::drawMasked(expected, {35 * c, 375}, pics.FichaAND, pics.Sprites[size_t(c)]);
    EXPECT_EQ(rig.well(1).picture, expected);
}
