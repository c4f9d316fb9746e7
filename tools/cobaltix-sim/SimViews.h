#pragma once

#include "engine/View.h"

#include <QImage>

// A label that only remembers its text.
class SimLabel : public ILabel {
public:
    void setText(const QString &value) override { current = value; }
    QString text() const override { return current; }

private:
    QString current;
};

// A picture in memory; nothing is shown.
class SimImageView : public IImageView {
public:
    explicit SimImageView(QSize size);

    QImage &image() override { return picture; }

private:
    QImage picture;
};
