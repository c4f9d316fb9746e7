#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <array>

// The pictures the engine draws with, handed over by whoever builds the game (the
// main window from its resources, tests and the simulator from generated images). A
// missing (null) picture draws nothing.
struct TPictures {
    QImage FichaAND;                 // the one mask of every cell sprite, 35 x 25
    std::array<QImage, 7> Sprites;   // codes 1..7: imgRojaXOR, imgVerdeXOR, imgAzulXOR,
                                     // imgAmarillaXOR, imgMagentaXOR, imgComodinXOR, imgRocaXOR
    QImage FondoVacio;               // the empty well, 245 x 400
    QImage GameOverAND, GameOverXOR; // 210 x 87
    QImage PausaAND, PausaXOR;       // 222 x 35
    QImage Marcador;                 // the scoreboard picture, 110 x 425

    // Plain pictures of the right sizes: black gems with one flat colour per code on a
    // dark well. Useful wherever no artwork is at hand.
    static TPictures plain();
};

// Raster operations with the exact results of QPainter's RasterOp composition modes on
// RGB32 images, done on the pixels directly because the drawing queue is hot.
namespace Raster {
// dest := dest AND src, then dest := dest XOR sprite, over the rectangle of src at pos.
void drawMasked(QImage &dest, QPoint pos, const QImage &mask, const QImage &sprite);
void andImage(QImage &dest, QPoint pos, const QImage &src);
void xorImage(QImage &dest, QPoint pos, const QImage &src);
// Plain copy of the rectangle from of src to dest at pos.
void copyRect(QImage &dest, QPoint pos, const QImage &src, const QRect &from);
} // namespace Raster
