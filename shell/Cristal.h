#pragma once

#include "shell/Widgets.h"

#include <QPoint>
#include <QWidget>

#include <functional>

// The glass layer over the scoreboard: it draws nothing and takes the mouse, so any
// button drags the window.
class TCristal : public QWidget, public TComponente {
    Q_OBJECT
public:
    TCristal(const QRect &bounds, QWidget *parent);

    void setScale(const PixelScale &scale) override { place(this, scale); }

    std::function<void(const QPoint &globalPos)> OnMouseDown, OnMouseMove;
    std::function<void()> OnMouseUp;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
