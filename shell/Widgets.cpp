#include "shell/Widgets.h"

#include "shell/LatencyProbe.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

void TComponente::place(QWidget *widget, const PixelScale &scale) {
    factor = scale.factor;
    widget->setGeometry(scale.map(bounds));
}

TImagen::TImagen(const QString &name, const QRect &bounds, QWidget *parent)
    : QWidget(parent), TComponente(bounds) {
    setObjectName(name);
    setGeometry(bounds);
    // The picture covers the whole widget; skip the background fill.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImagen::setScale(const PixelScale &scale) {
    place(this, scale);
    update();
}

void TImagen::changed(const QRect &area) {
    const QRect shown = PixelScale{factor, {}}.map(area);
    unpainted += shown;
    update(shown);
}

void TImagen::repaint() {
    if (!unpainted.isEmpty())
        QWidget::repaint(unpainted);
}

void TImagen::setPicture(const QImage &img) {
    picture = img;
    update();
}

void TImagen::paintEvent(QPaintEvent *event) {
    unpainted -= event->region();
    QPainter painter(this);
    // Whole squares of picture pixels, never blended, on any device pixel ratio.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const QRect &area : event->region()) {
        const QRect wanted = CoveringSource(area, factor);
        const QRect source = wanted & picture.rect();
        if (source != wanted)
            painter.fillRect(area, Qt::black);
        if (!source.isEmpty())
            painter.drawImage(PixelScale{factor, {}}.map(source), picture, source);
    }
    if (picture.size() == QSize(245, 400))
        LatencyProbe::wellPainted();
}

TEtiqueta::TEtiqueta(const QString &name, const QRect &bounds, int fontPixels, Qt::Alignment align,
                     QWidget *parent)
    : QLabel(parent), TComponente(bounds), fontPixels(fontPixels) {
    setObjectName(name);
    setGeometry(bounds);
    QFont f(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(fontPixels);
    f.setBold(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    setAutoFillBackground(false);
    setAlignment(align | Qt::AlignVCenter);
    setTextFormat(Qt::PlainText);
    // Labels never take the mouse: the glass layer over the scoreboard does.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    anchorX = (align & Qt::AlignRight) ? bounds.right() + 1 : bounds.left();
}

void TEtiqueta::setScale(const PixelScale &scale) {
    place(this, scale);
    QFont f = font();
    f.setPixelSize(fontPixels * factor);
    setFont(f);
    const QRect shown = geometry();
    anchorX = (alignment() & Qt::AlignRight) ? shown.right() + 1 : shown.left();
    if (autoSize)
        fitText();
}

void TEtiqueta::setText(const QString &text) {
    if (text == fullText)
        return;
    fullText = text;
    textUnpainted = true;
    if (autoSize)
        fitText();
    else
        QLabel::setText(text);
}

void TEtiqueta::repaint() {
    if (textUnpainted)
        QLabel::repaint();
}

void TEtiqueta::paintEvent(QPaintEvent *event) {
    textUnpainted = false;
    QLabel::paintEvent(event);
}

void TEtiqueta::setAutoSize(bool on, int maxWidth) {
    autoSize = on;
    widthLimit = maxWidth;
    if (on)
        fitText();
}

void TEtiqueta::fitText() {
    const QFontMetrics metrics(font());
    const int Margin = 2 * factor;
    const int widthLimit =
        this->widthLimit == QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : this->widthLimit * factor;
    QString shown = fullText;
    if (metrics.horizontalAdvance(shown) + Margin > widthLimit)
        shown = metrics.elidedText(fullText, Qt::ElideRight, widthLimit - Margin);
    QLabel::setText(shown);
    const int w = qBound(1, metrics.horizontalAdvance(shown) + Margin, widthLimit);
    const int x = (alignment() & Qt::AlignRight) ? anchorX - w : anchorX;
    setGeometry(x, y(), w, height());
}

TBotonPlano::TBotonPlano(const QString &name, const QRect &bounds, QWidget *parent)
    : QAbstractButton(parent), TComponente(bounds) {
    setObjectName(name);
    setGeometry(bounds);
    setFocusPolicy(Qt::NoFocus);
}

void TBotonPlano::setScale(const PixelScale &scale) {
    place(this, scale);
    update();
}

void TBotonPlano::enterEvent(QEnterEvent *event) {
    hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TBotonPlano::leaveEvent(QEvent *event) {
    hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TBotonPlano::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The glyphs are drawn in factor-1 coordinates, as sharp lines at any factor.
    p.scale(factor, factor);
    const QRect face(QPoint(0, 0), bounds.size());
    const QRectF r = QRectF(face).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor colour = isDown()  ? QColor(70, 70, 110)
                          : hovered ? QColor(55, 55, 90)
                                    : QColor(30, 30, 50);
    // A frame of whole pixels stays crisp when scaled.
    p.fillRect(face, QColor(120, 120, 170));
    p.fillRect(face.adjusted(1, 1, -1, -1), colour);
    p.setPen(QPen(Qt::white, 2));
    const QPointF c = r.center();
    const QString glyph = text();
    if (glyph == QLatin1String("7")) {
        QPainterPath arrow;
        arrow.moveTo(c.x() - 5, c.y() - 2);
        arrow.lineTo(c.x() + 5, c.y() - 2);
        arrow.lineTo(c.x(), c.y() + 3);
        arrow.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(arrow);
    } else if (glyph == QLatin1String("0")) {
        p.drawLine(QPointF(c.x() - 4, c.y() + 4), QPointF(c.x() + 4, c.y() + 4));
    } else if (glyph == QLatin1String("r")) {
        p.drawLine(QPointF(c.x() - 4, c.y() - 4), QPointF(c.x() + 4, c.y() + 4));
        p.drawLine(QPointF(c.x() + 4, c.y() - 4), QPointF(c.x() - 4, c.y() + 4));
    } else {
        QFont f = font();
        f.setPixelSize(13);
        p.setFont(f);
        p.drawText(face, Qt::AlignCenter, glyph);
    }
}
