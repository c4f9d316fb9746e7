#include "services/Artwork.h"

#include "services/ResourceImage.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
QImage Art(const QString &name) {
    return ReadPng(QStringLiteral(":/art/%1.png").arg(name));
}
} // namespace

QImage LoadArt(const QString &name, const QSize &size, const QImage &fallback) {
    const QImage img = Art(name);
    if (img.isNull() || img.size() != size)
        return fallback;
    return img.convertToFormat(QImage::Format_RGB32);
}

TPictures LoadPictures() {
    TPictures pics = TPictures::plain();
    static const char *const spriteNames[7] = {"imgRojaXOR",     "imgVerdeXOR",   "imgAzulXOR",
                                               "imgAmarillaXOR", "imgMagentaXOR", "imgComodinXOR",
                                               "imgRocaXOR"};
    const QSize cell(35, 25);
    pics.FichaAND = LoadArt(QStringLiteral("imgFichaAND"), cell, pics.FichaAND);
    for (int i = 0; i < 7; ++i)
        pics.Sprites[size_t(i)] =
            LoadArt(QLatin1String(spriteNames[i]), cell, pics.Sprites[size_t(i)]);
    pics.FondoVacio = LoadArt(QStringLiteral("imgFondoVacio"), {245, 400}, pics.FondoVacio);
    pics.GameOverAND = LoadArt(QStringLiteral("imgGameOverAND"), {210, 87}, pics.GameOverAND);
    pics.GameOverXOR = LoadArt(QStringLiteral("imgGameOverXOR"), {210, 87}, pics.GameOverXOR);
    return pics;
}

QImage LoadStatusStrip() {
    QImage plain(255, 40, QImage::Format_RGB32);
    QPainter p(&plain);
    QLinearGradient shade(0, 0, 0, 40);
    shade.setColorAt(0, QColor(40, 40, 80));
    shade.setColorAt(1, QColor(10, 10, 30));
    p.fillRect(plain.rect(), shade);
    p.end();
    return LoadArt(QStringLiteral("imgStatus"), {255, 40}, plain);
}
