#pragma once

#include "engine/View.h"
#include "shell/Zoom.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <functional>

// The window's components that the engine draws on and is driven by: a picture
// widget, a label and a tagged timer, each implementing one of the engine's seams.

// A part of the window placed by its rectangle at factor 1; it follows the window's
// scale, drawing itself at the scale's factor.
class TComponente {
public:
    explicit TComponente(const QRect &bounds) : bounds(bounds) {}
    virtual ~TComponente() = default;

    // Takes its place and size under scale.
    virtual void setScale(const PixelScale &scale) = 0;
    const QRect &layoutBounds() const { return bounds; }
    int zoom() const { return factor; }

protected:
    // Places widget at the scaled bounds and keeps the factor.
    void place(QWidget *widget, const PixelScale &scale);

    QRect bounds;
    int factor = 1;
};

// A picture shown at the window's factor, every pixel a square (nearest neighbour); the
// engine changes image() in place, at factor 1.
class TImagen : public QWidget, public IImageView, public TComponente {
    Q_OBJECT
public:
    TImagen(const QString &name, const QRect &bounds, QWidget *parent);

    QImage &image() override { return picture; }
    void changed(const QRect &area) override;
    // Every change goes through changed(): showing those parts shows the whole picture.
    void repaint() override;
    void setScale(const PixelScale &scale) override;

    // Replaces the picture; a null or differently sized one is drawn as it is.
    void setPicture(const QImage &img);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage picture;
    QRegion unpainted;
};

// A transparent, white, bold label of a fixed font height at factor 1; its text is
// drawn in a font of that height times the factor.
class TEtiqueta : public QLabel, public ILabel, public TComponente {
    Q_OBJECT
public:
    TEtiqueta(const QString &name, const QRect &bounds, int fontPixels, Qt::Alignment align,
              QWidget *parent);

    // The whole text, also when the label shows it cut.
    void setText(const QString &text) override;
    QString text() const override { return autoSize ? fullText : QLabel::text(); }
    // Paints now only a text not shown yet: the game asks for it several times a second.
    void repaint() override;
    void setScale(const PixelScale &scale) override;

    // A label without a fixed width grows from its left edge, or toward its left
    // when right aligned, to fit its text, up to maxWidth pixels; a longer text is
    // cut with an ellipsis.
    void setAutoSize(bool on, int maxWidth = QWIDGETSIZE_MAX);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fitText();

    QString fullText;
    bool autoSize = false;
    bool textUnpainted = false;
    int anchorX = 0;
    int widthLimit = QWIDGETSIZE_MAX;
    int fontPixels;
};

// A flat button showing one symbol glyph chosen by its caption: "7" menu, "0" minimise,
// "r" close; drawn at the window's factor.
class TBotonPlano : public QAbstractButton, public TComponente {
    Q_OBJECT
public:
    TBotonPlano(const QString &name, const QRect &bounds, QWidget *parent);

    void setScale(const PixelScale &scale) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool hovered = false;
};
