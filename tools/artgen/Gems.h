#pragma once

#include <QImage>
#include <QPainterPath>
#include <QString>

#include <vector>

namespace art {

struct NamedPicture {
    QString name;
    QImage image;
};

// The shared cell mask and the seven cell sprites, in cell-code order 1 to 7.
QImage cellMask();
std::vector<NamedPicture> cellSprites();

// The cell silhouette as a path, also used to engrave the empty well's sockets.
QPainterPath cellOutline(QPointF origin = {});

} // namespace art
