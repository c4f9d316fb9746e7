#include "shell/Widgets.h"

#include "shell/LatencyProbe.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

TImagen::TImagen(const QString &name, const QRect &bounds, QWidget *parent) : QWidget(parent) {
    setObjectName(name);
    setGeometry(bounds);
    // The picture covers the whole widget; skip the background fill.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImagen::setPicture(const QImage &img) {
    picture = img;
    update();
}

void TImagen::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const QRect area = event->rect();
    if (picture.isNull()) {
        painter.fillRect(area, Qt::black);
        return;
    }
    if (!picture.rect().contains(area))
        painter.fillRect(area, Qt::black);
    painter.drawImage(area.topLeft(), picture, area);
    if (picture.size() == QSize(245, 400))
        LatencyProbe::wellPainted();
}

TEtiqueta::TEtiqueta(const QString &name, const QRect &bounds, int fontPixels, Qt::Alignment align,
                     QWidget *parent)
    : QLabel(parent) {
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

void TEtiqueta::setText(const QString &text) {
    fullText = text;
    if (autoSize)
        fitText();
    else
        QLabel::setText(text);
}

void TEtiqueta::setAutoSize(bool on, int maxWidth) {
    autoSize = on;
    widthLimit = maxWidth;
    if (on)
        fitText();
}

void TEtiqueta::fitText() {
    const QFontMetrics metrics(font());
    constexpr int Margin = 2;
    QString shown = fullText;
    if (metrics.horizontalAdvance(shown) + Margin > widthLimit)
        shown = metrics.elidedText(fullText, Qt::ElideRight, widthLimit - Margin);
    QLabel::setText(shown);
    const int w = qBound(1, metrics.horizontalAdvance(shown) + Margin, widthLimit);
    const int x = (alignment() & Qt::AlignRight) ? anchorX - w : anchorX;
    setGeometry(x, y(), w, height());
}

TBotonPlano::TBotonPlano(const QString &name, const QRect &bounds, QWidget *parent)
    : QAbstractButton(parent) {
    setObjectName(name);
    setGeometry(bounds);
    setFocusPolicy(Qt::NoFocus);
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
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor face = isDown()  ? QColor(70, 70, 110)
                        : hovered ? QColor(55, 55, 90)
                                  : QColor(30, 30, 50);
    p.fillRect(rect(), face);
    p.setPen(QColor(120, 120, 170));
    p.drawRect(r);
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
        p.drawText(rect(), Qt::AlignCenter, glyph);
    }
}
