#include "tools/artgen/Panels.h"

#include "tools/artgen/Gems.h"
#include "tools/artgen/Paint.h"
#include "tools/artgen/Theme.h"

#include <QPainter>

namespace art {

using namespace theme;

Captions englishCaptions() {
    return {"NEXT", "POINTS", "GEMS", "LEVEL", "STAGE", "PAUSE"};
}

Captions spanishCaptions() {
    return {"SIGUIENTES", "PUNTOS", "GEMAS", "NIVEL", "FASE", "PAUSA"};
}

namespace {

// A recessed slot where a label or a preview sits: dark glass with a frosted rim.
void drawSlot(QPainter &p, const QRectF &rect) {
    p.setPen(QPen(QColor(150, 200, 255, 90), 1));
    p.setBrush(Slot);
    p.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.drawLine(rect.topLeft() + QPointF(3, 1.5), rect.topRight() + QPointF(-3, 1.5));
}

void drawCaption(QPainter &p, const QRectF &rect, const QString &text, Qt::Alignment align) {
    p.setFont(boldFont(9));
    p.setPen(Ice);
    p.drawText(rect, align | Qt::AlignVCenter, text);
}

// Glassy panel body shared by the scoreboard and the status strip.
void drawPanel(QPainter &p, const QRectF &rect) {
    QLinearGradient body(rect.topLeft(), rect.bottomLeft());
    body.setColorAt(0, Cobalt);
    body.setColorAt(0.5, DeepCobalt);
    body.setColorAt(1, QColor(8, 20, 58));
    p.fillRect(rect, body);
    p.setPen(QPen(QColor(150, 200, 255, 130), 1));
    p.drawLine(rect.topLeft() + QPointF(0, 0.5), rect.topRight() + QPointF(0, 0.5));
    p.drawLine(rect.topLeft() + QPointF(0.5, 0), rect.bottomLeft() + QPointF(0.5, 0));
    p.setPen(QPen(QColor(0, 0, 0, 150), 1));
    p.drawLine(rect.bottomLeft() + QPointF(0, -0.5), rect.bottomRight() + QPointF(0, -0.5));
    p.drawLine(rect.topRight() + QPointF(-0.5, 0), rect.bottomRight() + QPointF(-0.5, 0));
}

void drawCrystal(QPainter &p, QPointF centre, double size) {
    QPolygonF crystal({centre + QPointF(0, -size), centre + QPointF(size * 0.6, -size * 0.25),
                       centre + QPointF(size * 0.6, size * 0.35), centre + QPointF(0, size),
                       centre + QPointF(-size * 0.6, size * 0.35),
                       centre + QPointF(-size * 0.6, -size * 0.25)});
    QLinearGradient glass(centre + QPointF(-size, -size), centre + QPointF(size, size));
    glass.setColorAt(0, Frost);
    glass.setColorAt(0.5, BrightCobalt);
    glass.setColorAt(1, DeepCobalt);
    p.setBrush(glass);
    p.setPen(QPen(Ice, 1));
    p.drawPolygon(crystal);
    p.setPen(QPen(QColor(255, 255, 255, 150), 0.8));
    p.drawLine(centre + QPointF(0, -size), centre + QPointF(0, size));
    p.drawLine(centre + QPointF(-size * 0.6, -size * 0.25), centre);
    p.drawLine(centre + QPointF(size * 0.6, -size * 0.25), centre);
}

// A crystal marking which half of the scoreboard belongs to which player.
void drawPlayerBadge(QPainter &p, QPointF centre, const QString &number) {
    drawCrystal(p, centre, 11);
    p.setFont(boldFont(10));
    p.setPen(QColor(0, 10, 40));
    p.drawText(QRectF(centre.x() - 8, centre.y() - 6, 16, 14), Qt::AlignCenter, number);
}

} // namespace

QImage emptyWell() {
    QImage well = solid(QSize(245, 400), Abyss);
    QPainter p(&well);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient depth(0, 0, 0, 400);
    depth.setColorAt(0, QColor(12, 30, 80));
    depth.setColorAt(1, QColor(3, 9, 28));
    p.fillRect(well.rect(), depth);

    // Faint slanting light through crystal, kept dim so the gems stay in front.
    for (int k = 0; k < 4; ++k) {
        const double x = -80 + k * 95;
        QPolygonF band({{x, 0}, {x + 28 + 8 * k, 0}, {x + 148 + 8 * k, 400}, {x + 120, 400}});
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 170, 255, 10 + 3 * (k % 2)));
        p.drawPolygon(band);
    }
    for (int col = 0; col < 7; ++col) {
        for (int row = 0; row < 16; ++row) {
            const QPainterPath socket = cellOutline(QPointF(35 * col, 25 * row));
            p.setBrush(QColor(0, 0, 10, 70));
            p.setPen(QPen(QColor(110, 160, 255, 26), 1));
            p.drawPath(socket);
        }
    }
    return well;
}

QImage statusStrip() {
    QImage strip = solid(QSize(255, 40), Abyss);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    drawPanel(p, QRectF(strip.rect()));
    drawSlot(p, QRectF(10, 5, 192, 31));
    drawCrystal(p, QPointF(227, 20), 13);
    return strip;
}

QImage scoreboard(const Captions &c) {
    QImage board = solid(QSize(110, 425), Abyss);
    QPainter p(&board);
    p.setRenderHint(QPainter::Antialiasing);
    drawPanel(p, QRectF(board.rect()));
    const auto left = Qt::AlignLeft;
    const auto right = Qt::AlignRight;

    drawSlot(p, QRectF(3, 3, 104, 17));
    drawCaption(p, QRectF(5, 30, 100, 12), c.next, left);
    drawSlot(p, QRectF(3, 43, 74, 29));
    drawCaption(p, QRectF(5, 76, 100, 12), c.points, left);
    drawSlot(p, QRectF(3, 89, 75, 20));
    drawCaption(p, QRectF(5, 130, 100, 12), c.gems, left);
    drawSlot(p, QRectF(3, 143, 75, 23));
    drawCaption(p, QRectF(5, 173, 68, 14), c.level, left);
    drawSlot(p, QRectF(74, 170, 34, 20));
    drawPlayerBadge(p, QPointF(93, 57), QStringLiteral("1"));

    // The stage row belongs to both players: a lighter band between their halves.
    QLinearGradient band(0, 198, 0, 230);
    band.setColorAt(0, QColor(60, 110, 220, 120));
    band.setColorAt(1, QColor(20, 50, 140, 120));
    p.fillRect(QRectF(1, 198, 108, 32), band);
    p.setPen(QPen(QColor(150, 200, 255, 110), 1));
    p.drawLine(QPointF(1, 197.5), QPointF(109, 197.5));
    p.drawLine(QPointF(1, 230.5), QPointF(109, 230.5));
    drawCaption(p, QRectF(5, 207, 74, 14), c.stage, left);
    drawSlot(p, QRectF(79, 204, 29, 20));

    drawCaption(p, QRectF(5, 236, 101, 12), c.next, right);
    drawSlot(p, QRectF(33, 248, 74, 29));
    drawCaption(p, QRectF(5, 281, 101, 12), c.points, right);
    drawSlot(p, QRectF(32, 294, 75, 20));
    drawCaption(p, QRectF(5, 335, 101, 12), c.gems, right);
    drawSlot(p, QRectF(32, 348, 75, 20));
    drawCaption(p, QRectF(5, 378, 68, 14), c.level, left);
    drawSlot(p, QRectF(74, 375, 34, 20));
    drawSlot(p, QRectF(3, 403, 104, 19));
    drawPlayerBadge(p, QPointF(17, 262), QStringLiteral("2"));
    return board;
}

namespace {

QPainterPath pausePlate() {
    QPainterPath plate;
    plate.addRoundedRect(QRectF(0, 0, 222, 35), 16, 16);
    return plate;
}

} // namespace

QImage pauseMask() {
    return maskFromPath(QSize(222, 35), pausePlate());
}

QImage pauseSprite(const Captions &c) {
    QImage picture(222, 35, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient glass(0, 0, 0, 35);
    glass.setColorAt(0, BrightCobalt);
    glass.setColorAt(0.5, Cobalt);
    glass.setColorAt(1, DeepCobalt);
    p.setBrush(glass);
    p.setPen(QPen(Ice, 2));
    p.drawRoundedRect(QRectF(1, 1, 220, 33), 15, 15);

    p.setPen(Qt::NoPen);
    p.setBrush(Frost);
    p.drawRoundedRect(QRectF(24, 9, 5, 17), 1.5, 1.5);
    p.drawRoundedRect(QRectF(33, 9, 5, 17), 1.5, 1.5);

    QFont font = boldFont(20);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    p.setFont(font);
    p.setPen(QColor(0, 10, 40));
    p.drawText(QRectF(46, 2, 160, 33), Qt::AlignCenter, c.pause);
    p.setPen(Frost);
    p.drawText(QRectF(45, 1, 160, 33), Qt::AlignCenter, c.pause);
    p.end();
    return spriteFor(picture, pauseMask());
}

} // namespace art
