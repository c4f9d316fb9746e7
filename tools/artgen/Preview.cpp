#include "tools/artgen/Preview.h"

#include "tools/artgen/Paint.h"

#include <QPainter>

namespace art {

namespace {

QImage load(const QDir &dir, const QString &name) {
    return QImage(dir.filePath(name + ".png")).convertToFormat(QImage::Format_RGB32);
}

// The game's two-pass masked drawing.
void drawMasked(QPainter &p, QPoint at, const QImage &mask, const QImage &sprite) {
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(at, mask);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawImage(at, sprite);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

const char *const SpriteNames[] = {"imgRojaXOR",    "imgVerdeXOR",   "imgAzulXOR", "imgAmarillaXOR",
                                   "imgMagentaXOR", "imgComodinXOR", "imgRocaXOR"};

// Columns of a well from the bottom up, as cell codes; 0 ends a column.
QImage wellWith(const QDir &dir, const std::vector<std::vector<int>> &columns) {
    QImage well = load(dir, "imgFondoVacio");
    const QImage mask = load(dir, "imgFichaAND");
    QPainter p(&well);
    for (int col = 0; col < int(columns.size()); ++col) {
        for (int k = 0; k < int(columns[col].size()); ++k) {
            const int code = columns[col][k];
            drawMasked(p, QPoint(35 * col, 25 * (15 - k)), mask, load(dir, SpriteNames[code - 1]));
        }
    }
    return well;
}

void label(QPainter &p, QRect rect, const QString &text, int pixels, Qt::Alignment align) {
    p.setFont(boldFont(pixels));
    p.setPen(Qt::white);
    p.drawText(rect, align | Qt::AlignTop, text);
}

// Player 1 mid-game; player 2 with a pair falling, or paused (in Spanish) when the
// first player has just lost.
std::pair<QImage, QImage> mockWells(const QDir &dir, bool ending) {
    QImage first = wellWith(dir, {{7, 7, 1, 2},
                                  {7, 3, 3, 1, 4},
                                  {2, 2, 5},
                                  {4, 4, 2, 6},
                                  {1, 5, 5},
                                  {3, 3, 4, 1},
                                  {7, 2, 1}});
    QImage second = wellWith(dir, {{5, 7, 7, 7, 2, 2},
                                   {1, 1, 7, 7, 3},
                                   {2, 4, 4, 1, 1, 3, 5},
                                   {3, 3, 5, 2},
                                   {7, 7, 4, 4, 1, 2, 2, 3},
                                   {1, 5},
                                   {2, 2}});
    const QImage mask = load(dir, "imgFichaAND");
    QPainter p2(&second);
    drawMasked(p2, QPoint(35 * 3, 25 * 2), mask, load(dir, "imgRojaXOR"));
    drawMasked(p2, QPoint(35 * 3, 25 * 3), mask, load(dir, "imgAzulXOR"));
    if (ending) {
        const QDir spanish(dir.filePath("es"));
        drawMasked(p2, QPoint(11, 180), load(spanish, "BMP_PAUSE_AND"), load(spanish, "BMP_PAUSE"));
        QPainter p1(&first);
        drawMasked(p1, QPoint(17, 75), load(dir, "imgGameOverAND"), load(dir, "imgGameOverXOR"));
    }
    return {first, second};
}

// The labels at the places the main window puts them.
void mockLabels(QPainter &p) {
    label(p, QRect(265, 35, 100, 14), "Player 1", 11, Qt::AlignLeft);
    label(p, QRect(265, 121, 71, 16), "12840", 13, Qt::AlignLeft);
    label(p, QRect(265, 175, 71, 19), "86", 13, Qt::AlignLeft);
    label(p, QRect(337, 202, 31, 16), "3", 13, Qt::AlignLeft);
    label(p, QRect(342, 236, 31, 16), "7", 13, Qt::AlignLeft);
    label(p, QRect(295, 326, 71, 16), "9520", 13, Qt::AlignRight);
    label(p, QRect(295, 380, 71, 16), "61", 13, Qt::AlignRight);
    label(p, QRect(337, 407, 31, 16), "2", 13, Qt::AlignLeft);
    label(p, QRect(265, 437, 100, 14), "Player 2", 11, Qt::AlignRight);
    label(p, QRect(15, 422, 181, 13), "Gems remaining: 34", 11, Qt::AlignLeft);
    label(p, QRect(15, 436, 181, 13), "5+4=9", 11, Qt::AlignLeft);
    label(p, QRect(390, 422, 181, 13), "Gems remaining: 59", 11, Qt::AlignLeft);
    label(p, QRect(390, 436, 181, 13), "Level 2 reached", 11, Qt::AlignLeft);
}

QImage mockScreen(const QDir &dir, bool ending) {
    QImage screen = solid(QSize(632, 460), Qt::black);
    QPainter p(&screen);
    const auto [first, second] = mockWells(dir, ending);
    p.drawImage(5, 5, first);
    p.drawImage(380, 5, second);
    p.drawImage(260, 30, load(ending ? QDir(dir.filePath("es")) : dir, "BMP_SCOREBOARD"));
    p.drawImage(0, 415, load(dir, "imgStatus"));
    p.drawImage(375, 415, load(dir, "imgStatus"));
    mockLabels(p);

    QImage next = solid(QSize(70, 25), Qt::black);
    QPainter n(&next);
    drawMasked(n, QPoint(0, 0), load(dir, "imgFichaAND"), load(dir, "imgAmarillaXOR"));
    drawMasked(n, QPoint(35, 0), load(dir, "imgFichaAND"), load(dir, "imgVerdeXOR"));
    n.end();
    p.drawImage(265, 75, next);
    p.drawImage(294, 280, next);
    return screen;
}

QImage contactSheet(const QDir &dir) {
    const QStringList names = dir.entryList({"*.png"}, QDir::Files, QDir::Name);
    QImage sheet = solid(QSize(1280, 1100), QColor(96, 96, 96));
    QPainter p(&sheet);
    p.setFont(boldFont(10));
    int x = 8, y = 8, rowHeight = 0;
    auto place = [&](const QImage &image, const QString &name) {
        const int scale = image.width() <= 64 && image.height() <= 64 ? 3 : 1;
        const QSize size = image.size() * scale;
        if (x + size.width() > sheet.width() - 8) {
            x = 8;
            y += rowHeight + 20;
            rowHeight = 0;
        }
        p.drawImage(QRect(QPoint(x, y), size), image);
        p.setPen(Qt::white);
        p.drawText(QPoint(x, y + size.height() + 13), name);
        x += std::max(size.width(), 90) + 12;
        rowHeight = std::max(rowHeight, size.height());
    };
    for (const QString &name : names)
        place(QImage(dir.filePath(name)), name.chopped(4));
    QDir spanish(dir.filePath("es"));
    for (const QString &name : spanish.entryList({"*.png"}, QDir::Files, QDir::Name))
        place(QImage(spanish.filePath(name)), "es/" + name.chopped(4));
    return sheet;
}

} // namespace

bool writePreviews(const QDir &artDir, const QDir &previewDir) {
    if (!previewDir.mkpath("."))
        return false;
    return contactSheet(artDir).save(previewDir.filePath("contact-sheet.png")) &&
           mockScreen(artDir, false).save(previewDir.filePath("game-screen.png")) &&
           mockScreen(artDir, true).save(previewDir.filePath("ending-screen.png"));
}

} // namespace art
