#pragma once

#include "engine/View.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <functional>

// The window's components that the engine draws on and is driven by: a picture
// widget, a label and a tagged timer, each implementing one of the engine's seams.

// A picture shown at its own size; the engine changes image() in place.
class TImagen : public QWidget, public IImageView {
    Q_OBJECT
public:
    TImagen(const QString &name, const QRect &bounds, QWidget *parent);

    QImage &image() override { return picture; }
    void changed(const QRect &area) override { update(area); }
    void repaint() override { QWidget::repaint(); }

    // Replaces the picture; a null or differently sized one is drawn as it is.
    void setPicture(const QImage &img);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage picture;
};

// A transparent, white, bold label of a fixed font height.
class TEtiqueta : public QLabel, public ILabel {
    Q_OBJECT
public:
    TEtiqueta(const QString &name, const QRect &bounds, int fontPixels, Qt::Alignment align,
              QWidget *parent);

    // The whole text, also when the label shows it cut.
    void setText(const QString &text) override;
    QString text() const override { return autoSize ? fullText : QLabel::text(); }
    void repaint() override { QLabel::repaint(); }

    // A label without a fixed width grows from its left edge, or toward its left
    // when right aligned, to fit its text, up to maxWidth pixels; a longer text is
    // cut with an ellipsis.
    void setAutoSize(bool on, int maxWidth = QWIDGETSIZE_MAX);

private:
    void fitText();

    QString fullText;
    bool autoSize = false;
    int anchorX = 0;
    int widthLimit = QWIDGETSIZE_MAX;
};

// A flat button showing one symbol glyph chosen by its caption: "7" menu, "0" minimise,
// "r" close.
class TBotonPlano : public QAbstractButton {
    Q_OBJECT
public:
    TBotonPlano(const QString &name, const QRect &bounds, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool hovered = false;
};
