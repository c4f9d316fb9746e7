#include "tools/artgen/Logo.h"

#include "tools/artgen/Paint.h"
#include "tools/artgen/Theme.h"

#include <QPainter>
#include <QPainterPath>

namespace art {

using namespace theme;

namespace {

QPainterPath centredText(const QFont &font, const QString &text, QPointF centre) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    path.translate(centre - path.boundingRect().center());
    return path;
}

QImage gameOverPicture() {
    QImage picture(210, 87, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = boldFont(36);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    QPainterPath letters = centredText(font, QStringLiteral("GAME"), QPointF(105, 22));
    letters.addPath(centredText(font, QStringLiteral("OVER"), QPointF(105, 64)));

    // The dark outline keeps the words readable over gems of any colour.
    p.setPen(QPen(QColor(2, 6, 22), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(letters);
    QLinearGradient ice(0, 2, 0, 85);
    ice.setColorAt(0, Frost);
    ice.setColorAt(0.45, Ice);
    ice.setColorAt(0.5, BrightCobalt);
    ice.setColorAt(1, Frost);
    p.setPen(QPen(QColor(30, 70, 180), 1.2));
    p.setBrush(ice);
    p.drawPath(letters);
    return picture;
}

} // namespace

QImage gameOverMask() {
    return maskFromAlpha(gameOverPicture());
}

QImage gameOverSprite() {
    return spriteFor(gameOverPicture(), gameOverMask());
}

namespace {

// Black through cobalt to white: the sixteen colours of the title frames.
QList<QRgb> titlePalette() {
    QList<QRgb> table;
    const QColor stops[] = {
        QColor(0, 0, 0),       QColor(2, 6, 24),      QColor(4, 14, 48),     QColor(8, 24, 80),
        QColor(12, 36, 112),   QColor(18, 52, 150),   QColor(28, 72, 190),   QColor(44, 96, 220),
        QColor(64, 124, 240),  QColor(90, 150, 250),  QColor(120, 176, 255), QColor(150, 200, 255),
        QColor(180, 220, 255), QColor(208, 234, 255), QColor(232, 245, 255), QColor(255, 255, 255)};
    for (const QColor &c : stops)
        table << c.rgb();
    return table;
}

QPainterPath titleLetters() {
    QFont font = boldFont(46);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 5);
    return centredText(font, QStringLiteral("COBALTIX"), QPointF(150, 37));
}

} // namespace

QImage titleFrame(int frame) {
    const QPainterPath letters = titleLetters();
    QImage shape(300, 74, QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter p(&shape);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::white, 1 + frame));
        p.setBrush(Qt::white);
        p.drawPath(letters);
    }
    const QImage halo = blurAlpha(shape, 1 + frame * 3 / 2);

    QImage picture = solid(QSize(300, 74), Qt::black);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QImage glow(picture.size(), QImage::Format_ARGB32_Premultiplied);
    glow.fill(Qt::transparent);
    {
        QPainter g(&glow);
        g.drawImage(0, 0, halo);
        g.setCompositionMode(QPainter::CompositionMode_SourceIn);
        g.fillRect(glow.rect(), QColor(80, 150, 255));
    }
    p.setOpacity(0.2 + 0.16 * frame);
    p.drawImage(0, 0, glow);
    p.setOpacity(1);

    QLinearGradient ice(0, 12, 0, 62);
    ice.setColorAt(0, Qt::white);
    ice.setColorAt(0.5, Ice);
    ice.setColorAt(0.52, BrightCobalt);
    ice.setColorAt(1, Frost);
    p.setPen(QPen(QColor(8, 24, 80), 1.5));
    p.setBrush(ice);
    p.drawPath(letters);
    p.end();
    return picture.convertToFormat(QImage::Format_Indexed8, titlePalette(),
                                   Qt::ThresholdDither | Qt::AvoidDither);
}

void paintAppIcon(QPainter &p) {
    QLinearGradient tile(0, 0, 0, 32);
    tile.setColorAt(0, DeepCobalt);
    tile.setColorAt(1, Abyss);
    p.setBrush(tile);
    p.setPen(QPen(QColor(120, 170, 255, 160), 0.8));
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 6, 6);

    const QPolygonF outer({{10, 5}, {22, 5}, {29, 12}, {16, 28}, {3, 12}});
    const QPolygonF table({{12, 8.5}, {20, 8.5}, {24, 12}, {8, 12}});
    QLinearGradient body(3, 5, 29, 28);
    body.setColorAt(0, Ice);
    body.setColorAt(0.45, BrightCobalt);
    body.setColorAt(1, Cobalt);
    p.setBrush(body);
    p.setPen(QPen(Frost, 0.8));
    p.drawPolygon(outer);
    p.setBrush(QColor(255, 255, 255, 170));
    p.setPen(Qt::NoPen);
    p.drawPolygon(table);
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.6));
    p.drawLine(QPointF(8, 12), QPointF(16, 28));
    p.drawLine(QPointF(24, 12), QPointF(16, 28));
    p.drawLine(QPointF(16, 12), QPointF(16, 28));
}

QImage appIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    paintAppIcon(p);
    return icon;
}

} // namespace art
