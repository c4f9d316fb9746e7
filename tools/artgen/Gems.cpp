#include "tools/artgen/Gems.h"

#include "tools/artgen/Paint.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QtMath>

#include <array>

namespace art {

namespace {

const QSize CellSize(35, 25);
// The gem fills the cell but a one-pixel gap, with its corners cut like a stone.
const QRectF GemRect(1, 1, 33, 23);
const double Chamfer = 5;
// The flat top face in the middle of the gem, where the symbol sits.
const QRectF TableRect(8, 6.5, 19, 12);
const double TableChamfer = 3;
const QPointF Centre(17.5, 12.5);

struct GemStyle {
    const char *name;
    QColor base;
    enum Symbol { Circle, Triangle, Diamond, Star, Cross } symbol;
};

// Colours chosen to differ in lightness as well as hue; the symbols carry the rest.
const std::array<GemStyle, 5> GemStyles{{
    {"imgRojaXOR", QColor(214, 38, 52), GemStyle::Circle},
    {"imgVerdeXOR", QColor(40, 178, 72), GemStyle::Triangle},
    {"imgAzulXOR", QColor(48, 112, 236), GemStyle::Diamond},
    {"imgAmarillaXOR", QColor(242, 196, 30), GemStyle::Star},
    {"imgMagentaXOR", QColor(200, 52, 196), GemStyle::Cross},
}};

std::array<QPointF, 8> octagon(const QRectF &r, double c) {
    return {QPointF(r.left() + c, r.top()),     QPointF(r.right() - c, r.top()),
            QPointF(r.right(), r.top() + c),    QPointF(r.right(), r.bottom() - c),
            QPointF(r.right() - c, r.bottom()), QPointF(r.left() + c, r.bottom()),
            QPointF(r.left(), r.bottom() - c),  QPointF(r.left(), r.top() + c)};
}

QPainterPath polygonPath(const std::array<QPointF, 8> &points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points.begin(), points.end())));
    path.closeSubpath();
    return path;
}

// Brightness of a bevel facet from its outward normal, lit from the upper left.
double facetLight(QPointF a, QPointF b) {
    const QPointF edge = b - a;
    QPointF normal(edge.y(), -edge.x());
    normal /= std::hypot(normal.x(), normal.y());
    const QPointF toLight(-0.42, -0.91);
    return 1.0 + 0.5 * (normal.x() * toLight.x() + normal.y() * toLight.y());
}

template <typename FacetColour> void paintFacets(QPainter &p, FacetColour colourOf) {
    const auto outer = octagon(GemRect, Chamfer);
    const auto inner = octagon(TableRect, TableChamfer);
    for (int i = 0; i < 8; ++i) {
        const int j = (i + 1) % 8;
        QPolygonF facet({outer[i], outer[j], inner[j], inner[i]});
        p.setBrush(colourOf(i, facetLight(outer[i], outer[j])));
        p.setPen(Qt::NoPen);
        p.drawPolygon(facet);
    }
}

QPainterPath symbolPath(GemStyle::Symbol symbol) {
    QPainterPath path;
    const double cx = Centre.x();
    const double cy = Centre.y();
    switch (symbol) {
    case GemStyle::Circle:
        path.addEllipse(Centre, 4.6, 4.6);
        break;
    case GemStyle::Triangle:
        path.addPolygon(QPolygonF({{cx, cy - 5.5}, {cx + 6, cy + 4.5}, {cx - 6, cy + 4.5}}));
        break;
    case GemStyle::Diamond:
        path.addPolygon(QPolygonF({{cx, cy - 5.6}, {cx + 6, cy}, {cx, cy + 5.6}, {cx - 6, cy}}));
        break;
    case GemStyle::Star: {
        QPolygonF star;
        for (int k = 0; k < 10; ++k) {
            const double radius = (k % 2 == 0) ? 6.4 : 2.7;
            const double angle = -M_PI / 2 + k * M_PI / 5;
            star << QPointF(cx + 1.1 * radius * std::cos(angle),
                            cy + 0.8 + radius * std::sin(angle));
        }
        path.addPolygon(star);
        break;
    }
    case GemStyle::Cross: {
        const double arm = 1.9;
        const double reach = 5.3;
        path.addPolygon(QPolygonF({{cx - arm, cy - reach},
                                   {cx + arm, cy - reach},
                                   {cx + arm, cy - arm},
                                   {cx + reach, cy - arm},
                                   {cx + reach, cy + arm},
                                   {cx + arm, cy + arm},
                                   {cx + arm, cy + reach},
                                   {cx - arm, cy + reach},
                                   {cx - arm, cy + arm},
                                   {cx - reach, cy + arm},
                                   {cx - reach, cy - arm},
                                   {cx - arm, cy - arm}}));
        break;
    }
    }
    path.closeSubpath();
    return path;
}

QImage paintGem(const GemStyle &style) {
    QImage picture(CellSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    paintFacets(p, [&](int, double light) { return shade(style.base, light); });

    QLinearGradient table(TableRect.topLeft(), TableRect.bottomLeft());
    table.setColorAt(0, shade(style.base, 1.25));
    table.setColorAt(1, shade(style.base, 0.95));
    p.setBrush(table);
    p.drawPath(polygonPath(octagon(TableRect, TableChamfer)));

    p.setBrush(QColor::fromHsl(style.base.hslHue(), 255, 238));
    p.setPen(QPen(shade(style.base, 0.38), 1.1));
    p.drawPath(symbolPath(style.symbol));

    p.setPen(QPen(shade(style.base, 0.45), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(polygonPath(octagon(GemRect.adjusted(0.5, 0.5, -0.5, -0.5), Chamfer - 0.3)));
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.drawLine(QPointF(GemRect.left() + Chamfer + 1, 2.5), QPointF(GemRect.center().x(), 2.5));
    return picture;
}

QImage paintJoker() {
    QImage picture(CellSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    // Every facet a different hue: the stone that stands for every colour.
    paintFacets(p, [](int i, double light) {
        return QColor::fromHsl((i * 45 + 10) % 360, 255, qBound(70, int(125 * light), 190));
    });
    QRadialGradient pearl(Centre, 11);
    pearl.setColorAt(0, QColor(255, 255, 255));
    pearl.setColorAt(1, QColor(196, 206, 236));
    p.setBrush(pearl);
    p.drawPath(polygonPath(octagon(TableRect, TableChamfer)));

    QPolygonF sparkle;
    for (int k = 0; k < 8; ++k) {
        const double radius = (k % 2 == 0) ? 6.6 : 2.3;
        const double angle = -M_PI / 2 + k * M_PI / 4;
        sparkle << Centre + QPointF(radius * 1.25 * std::cos(angle), radius * std::sin(angle));
    }
    QConicalGradient rainbow(Centre, 90);
    for (int k = 0; k <= 6; ++k)
        rainbow.setColorAt(k / 6.0, QColor::fromHsl((k * 60) % 360, 255, 120));
    p.setBrush(rainbow);
    p.setPen(QPen(QColor(40, 30, 70), 0.9));
    p.drawPolygon(sparkle);

    p.setPen(QPen(QColor(50, 40, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(polygonPath(octagon(GemRect.adjusted(0.5, 0.5, -0.5, -0.5), Chamfer - 0.3)));
    return picture;
}

QImage paintRock() {
    QImage picture(CellSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath outline = polygonPath(octagon(GemRect, Chamfer));
    QLinearGradient body(GemRect.topLeft(), GemRect.bottomRight());
    body.setColorAt(0, QColor(150, 146, 140));
    body.setColorAt(1, QColor(78, 74, 72));
    p.fillPath(outline, body);

    // A fixed seed keeps the grain the same on every build.
    QRandomGenerator grain(7);
    for (int k = 0; k < 70; ++k) {
        const QPointF at(2 + grain.bounded(31.0), 2 + grain.bounded(21.0));
        const int tone = grain.bounded(2) ? 40 : 190;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(tone, tone, tone - 6, 70));
        p.drawEllipse(at, 0.9, 0.9);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(34, 32, 32), 1.2));
    p.drawPolyline(QPolygonF({{9, 3}, {13, 9}, {11, 14}, {16, 20}, {15, 24}}));
    p.drawPolyline(QPolygonF({{13, 9}, {21, 11}, {27, 8}}));
    p.drawPolyline(QPolygonF({{21, 11}, {24, 17}, {31, 19}}));
    p.setPen(QPen(QColor(190, 186, 180), 0.8));
    p.drawPolyline(QPolygonF({{10, 3.2}, {14, 9.2}}));
    p.drawPolyline(QPolygonF({{21.5, 11.3}, {24.5, 16.5}}));

    p.setPen(QPen(QColor(200, 196, 190), 1));
    p.drawLine(QPointF(7, 1.5), QPointF(28, 1.5));
    p.drawLine(QPointF(1.5, 7), QPointF(1.5, 18));
    p.setPen(QPen(QColor(30, 28, 28), 1));
    p.drawLine(QPointF(7, 23.5), QPointF(28, 23.5));
    p.drawLine(QPointF(33.5, 7), QPointF(33.5, 18));
    p.drawPath(outline);
    return picture;
}

} // namespace

QPainterPath cellOutline(QPointF origin) {
    return polygonPath(octagon(GemRect.translated(origin), Chamfer));
}

QImage cellMask() {
    return maskFromPath(CellSize, cellOutline());
}

std::vector<NamedPicture> cellSprites() {
    const QImage mask = cellMask();
    std::vector<NamedPicture> sprites;
    for (const GemStyle &style : GemStyles)
        sprites.push_back({style.name, spriteFor(paintGem(style), mask)});
    sprites.push_back({QStringLiteral("imgComodinXOR"), spriteFor(paintJoker(), mask)});
    sprites.push_back({QStringLiteral("imgRocaXOR"), spriteFor(paintRock(), mask)});
    return sprites;
}

} // namespace art
