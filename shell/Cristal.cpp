#include "shell/Cristal.h"

#include <QMouseEvent>
#include <QPainter>

TCristal::TCristal(const QRect &bounds, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("imgCristal"));
    setGeometry(bounds);
    setCursor(Qt::SizeAllCursor);
}

void TCristal::setPicture(const QImage &img) {
    picture = img;
    update();
}

void TCristal::paintEvent(QPaintEvent *) {
    if (picture.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, picture);
}

void TCristal::mousePressEvent(QMouseEvent *event) {
    if (OnMouseDown)
        OnMouseDown(event->globalPosition().toPoint());
    event->accept();
}

void TCristal::mouseMoveEvent(QMouseEvent *event) {
    if (OnMouseMove)
        OnMouseMove(event->globalPosition().toPoint());
    event->accept();
}

void TCristal::mouseReleaseEvent(QMouseEvent *event) {
    // Following ends only when the last held button is released.
    if (event->buttons() == Qt::NoButton && OnMouseUp)
        OnMouseUp();
    event->accept();
}
