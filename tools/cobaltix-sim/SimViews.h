#pragma once

#include "engine/View.h"

#include <QImage>

#include <functional>

// A label that only remembers its text.
class SimLabel : public ILabel {
public:
    void setText(const QString &value) override { current = value; }
    QString text() const override { return current; }

private:
    QString current;
};

// A picture in memory. The game-over picture is recognised by the rectangle the engine
// reports after drawing it, so the simulator can announce it.
class SimImageView : public IImageView {
public:
    explicit SimImageView(QSize size);

    QImage &image() override { return picture; }
    void changed(const QRect &area) override;

    std::function<void()> onGameOver;

private:
    QImage picture;
};
