// The game draws cells, the pause picture and the game-over picture in two passes: the
// mask by AND, then the sprite by XOR. That only works if masks are pure black and
// white and sprites are black wherever the mask is white.
#include "assets/AssetPaths.h"

#include <QImage>
#include <QPainter>
#include <QSet>

#include <gtest/gtest.h>

namespace {

const char *const CellSprites[] = {"imgRojaXOR",    "imgVerdeXOR",   "imgAzulXOR", "imgAmarillaXOR",
                                   "imgMagentaXOR", "imgComodinXOR", "imgRocaXOR"};

QImage art(const QString &name) {
    return QImage(assets::artPath(name)).convertToFormat(QImage::Format_RGB32);
}

QImage spanishArt(const QString &name) {
    return QImage(QStringLiteral(COBALTIX_ART_DIR "/es/") + name + ".png")
        .convertToFormat(QImage::Format_RGB32);
}

void drawMasked(QImage &target, QPoint at, const QImage &mask, const QImage &sprite) {
    QPainter p(&target);
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(at, mask);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawImage(at, sprite);
}

// Where the mask is white the background must show, elsewhere the sprite.
::testing::AssertionResult showsExactly(const QImage &result, QPoint at, const QImage &mask,
                                        const QImage &sprite, const QImage &background) {
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            const bool inside = (mask.pixel(x, y) & 0xffffff) == 0;
            const QRgb want =
                inside ? sprite.pixel(x, y) : background.pixel(at.x() + x, at.y() + y);
            if (result.pixel(at.x() + x, at.y() + y) != want)
                return ::testing::AssertionFailure() << "pixel " << x << "," << y;
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult isMaskPair(const QImage &mask, const QImage &sprite) {
    if (mask.isNull() || mask.size() != sprite.size())
        return ::testing::AssertionFailure() << "missing or mismatched picture";
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            const QRgb m = mask.pixel(x, y) & 0xffffff;
            if (m != 0 && m != 0xffffff)
                return ::testing::AssertionFailure() << "grey mask pixel " << x << "," << y;
            if (m == 0xffffff && (sprite.pixel(x, y) & 0xffffff) != 0)
                return ::testing::AssertionFailure() << "sprite not black at " << x << "," << y;
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(MaskedPictures, EveryMaskIsTwoToneAndEverySpriteBlackAroundIt) {
    const QImage cellMask = art("imgFichaAND");
    for (const char *name : CellSprites)
        EXPECT_TRUE(isMaskPair(cellMask, art(name))) << name;
    EXPECT_TRUE(isMaskPair(art("imgGameOverAND"), art("imgGameOverXOR")));
    EXPECT_TRUE(isMaskPair(art("BMP_PAUSE_AND"), art("BMP_PAUSE")));
    EXPECT_TRUE(isMaskPair(spanishArt("BMP_PAUSE_AND"), spanishArt("BMP_PAUSE")));
}

// The well never erases a cell before drawing another sprite on it.
TEST(MaskedPictures, ASpriteOverAnyOtherShowsOnlyItselfOverTheWell) {
    const QImage well = art("imgFondoVacio");
    const QImage mask = art("imgFichaAND");
    const QPoint cells[] = {{0, 0}, {35 * 3, 25 * 7}, {35 * 6, 25 * 15}};
    for (const QPoint &at : cells) {
        for (const char *under : CellSprites) {
            for (const char *over : CellSprites) {
                QImage result = well;
                drawMasked(result, at, mask, art(under));
                drawMasked(result, at, mask, art(over));
                EXPECT_TRUE(showsExactly(result, at, mask, art(over), well))
                    << over << " on " << under;
            }
            QImage fresh = well;
            drawMasked(fresh, at, mask, art(under));
            EXPECT_TRUE(showsExactly(fresh, at, mask, art(under), well)) << under;
        }
    }
}

TEST(MaskedPictures, GameOverAndPauseLeaveTheWellAroundThemUntouched) {
    const QImage well = art("imgFondoVacio");
    QImage result = well;
    drawMasked(result, {17, 75}, art("imgGameOverAND"), art("imgGameOverXOR"));
    EXPECT_TRUE(showsExactly(result, {17, 75}, art("imgGameOverAND"), art("imgGameOverXOR"), well));
    result = well;
    drawMasked(result, {11, 180}, art("BMP_PAUSE_AND"), art("BMP_PAUSE"));
    EXPECT_TRUE(showsExactly(result, {11, 180}, art("BMP_PAUSE_AND"), art("BMP_PAUSE"), well));
}

// Colour-blind players tell the five gems apart by their symbols: in grey the five
// sprites must still differ clearly.
TEST(CellSprites, TheFiveGemsDifferInGreyAlone) {
    QList<QImage> greys;
    for (int k = 0; k < 5; ++k)
        greys << art(CellSprites[k]).convertToFormat(QImage::Format_Grayscale8);
    for (int a = 0; a < 5; ++a) {
        for (int b = a + 1; b < 5; ++b) {
            int differing = 0;
            for (int y = 6; y < 19; ++y)
                for (int x = 8; x < 27; ++x)
                    differing += std::abs(greys[a].pixelColor(x, y).value() -
                                          greys[b].pixelColor(x, y).value()) > 40;
            EXPECT_GE(differing, 12) << CellSprites[a] << " and " << CellSprites[b];
        }
    }
}

TEST(TitleFrames, SixteenColoursAndAGlowThatGrows) {
    long previous = -1;
    for (int frame = 1; frame <= 5; ++frame) {
        const QImage image = art(QStringLiteral("imgAni%1").arg(frame));
        QSet<QRgb> colours;
        long glow = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                colours.insert(image.pixel(x, y));
                glow += qGray(image.pixel(x, y));
            }
        }
        EXPECT_LE(colours.size(), 16) << frame;
        EXPECT_GT(glow, previous) << frame;
        previous = glow;
    }
}

} // namespace
