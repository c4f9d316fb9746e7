#include "tools/screenshots/ShotWindow.h"

#include <QPainter>


ShotWindow::ShotWindow() = default;

void ShotWindow::PedirNombres(QString &name1, QString &name2) {
    name1 = QStringLiteral("Ana");
    name2 = QStringLiteral("Ben");
}

QImage ShotWindow::shot() {
    const QImage window = grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QImage shaped(window.size(), QImage::Format_ARGB32);
    shaped.fill(Qt::transparent);
    QPainter p(&shaped);
    p.setClipRegion(region());
    p.drawImage(0, 0, window);
    return shaped;
}
