#include "shell/Cristal.h"

#include <QMouseEvent>

TCristal::TCristal(const QRect &bounds, QWidget *parent) : QWidget(parent), TComponente(bounds) {
    setObjectName(QStringLiteral("imgCristal"));
    setGeometry(bounds);
    setCursor(Qt::SizeAllCursor);
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
