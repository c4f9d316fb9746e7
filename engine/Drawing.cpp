#include "engine/Tipos.h"

namespace {
constexpr int CellWidth = 35, CellHeight = 25;

QPoint cellPoint(int col, int row) {
    return {CellWidth * col, CellHeight * row};
}
QRect cellRect(int col, int row) {
    return {cellPoint(col, row), QSize(CellWidth, CellHeight)};
}

// Where each player's preview lies on the scoreboard picture.
QPoint previewOrigin(int number) {
    return number == 1 ? QPoint(5, 45) : QPoint(34, 250);
}
} // namespace

QImage *TInfo::wellImage() const {
    if (!View.Well)
        return nullptr;
    QImage &image = View.Well->image();
    return image.isNull() ? nullptr : &image;
}

void TInfo::wellChanged(const QRect &area) {
    if (View.Well)
        View.Well->changed(area);
}

void TInfo::RepaintWell() {
    if (View.Well)
        View.Well->repaint();
}

void TInfo::SpriteFor(int code, const QImage *&sprite, const QImage *&mask) const {
    mask = &Pictures.FichaAND;
    sprite = code >= 1 && code <= 7 ? &Pictures.Sprites[size_t(code - 1)] : &Pictures.FichaAND;
}

void TInfo::DrawCell(int col, int row, int code) {
    QImage *well = wellImage();
    if (!well)
        return;
    const QImage *sprite, *mask;
    SpriteFor(code, sprite, mask);
    Raster::drawMasked(*well, cellPoint(col, row), *mask, *sprite);
    wellChanged(cellRect(col, row));
}

void TInfo::EraseCell(int col, int row) {
    QImage *well = wellImage();
    if (!well)
        return;
    Raster::copyRect(*well, cellPoint(col, row), Pictures.FondoVacio, cellRect(col, row));
    wellChanged(cellRect(col, row));
}

void TInfo::ErasePair() {
    QImage *well = wellImage();
    if (!well)
        return;
    const int top = Gem1Row < Gem2Row ? Gem1Row : Gem2Row;
    const QSize size =
        isVertical() ? QSize(CellWidth, 2 * CellHeight) : QSize(2 * CellWidth, CellHeight);
    const QRect area(cellPoint(minCol(), top), size);
    Raster::copyRect(*well, area.topLeft(), Pictures.FondoVacio, area);
    wellChanged(area);
}

void TInfo::DrawPair() {
    QImage *well = wellImage();
    if (!well || !Gem1Mask || !Gem2Mask)
        return;
    const QPoint at1 = cellPoint(Gem1Col, Gem1Row), at2 = cellPoint(Gem2Col, Gem2Row);
    Raster::andImage(*well, at1, *Gem1Mask);
    Raster::andImage(*well, at2, *Gem2Mask);
    Raster::xorImage(*well, at1, *Gem1Image);
    Raster::xorImage(*well, at2, *Gem2Image);
    wellChanged(cellRect(Gem1Col, Gem1Row).united(cellRect(Gem2Col, Gem2Row)));
}

void TInfo::DrawBoard() {
    if (QImage *well = wellImage()) {
        *well = Pictures.FondoVacio;
        for (int c = 0; c < TBoard::Columns; ++c)
            for (int r = 0; r < TBoard::Rows; ++r)
                if (Board(c, r) != Cell::Empty)
                    DrawCell(c, r, Board(c, r));
        wellChanged(well->rect());
    }
}

void TInfo::DrawPreview(int c1, int c2) {
    PreviewColour1 = c1;
    PreviewColour2 = c2;
    if (!View.Preview || View.Preview->image().isNull())
        return;
    QImage &preview = View.Preview->image();
    const QImage *sprite1, *mask1, *sprite2, *mask2;
    SpriteFor(c1, sprite1, mask1);
    SpriteFor(c2, sprite2, mask2);
    Raster::andImage(preview, {0, 0}, *mask1);
    Raster::andImage(preview, {CellWidth, 0}, *mask2);
    Raster::xorImage(preview, {0, 0}, *sprite1);
    Raster::xorImage(preview, {CellWidth, 0}, *sprite2);
    View.Preview->changed(preview.rect());
}

void TInfo::ClearPreview() {
    PreviewColour1 = PreviewColour2 = 0;
    if (!View.Preview || View.Preview->image().isNull())
        return;
    QImage &preview = View.Preview->image();
    Raster::copyRect(preview, {0, 0}, Pictures.Marcador,
                     QRect(previewOrigin(Number), preview.size()));
    View.Preview->changed(preview.rect());
}

void TInfo::DrawGameOver() {
    if (QImage *well = wellImage()) {
        Raster::drawMasked(*well, {17, 75}, Pictures.GameOverAND, Pictures.GameOverXOR);
        wellChanged(QRect(17, 75, 210, 87));
    }
    RepaintWell();
}
