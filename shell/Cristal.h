#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <functional>

// The glass layer over the scoreboard: draws its (mostly transparent) picture and
// takes the mouse, so any button drags the window.
class TCristal : public QWidget {
    Q_OBJECT
public:
    TCristal(const QRect &bounds, QWidget *parent);

    void setPicture(const QImage &img);

    std::function<void(const QPoint &globalPos)> OnMouseDown, OnMouseMove;
    std::function<void()> OnMouseUp;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage picture;
};
