// Plain Spanish language pictures of the right sizes, used when no artwork is built.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

QImage scoreboard() {
    QImage image(110, 425, QImage::Format_RGB32);
    image.fill(QColor(24, 32, 64));
    QPainter p(&image);
    p.setPen(QColor(120, 140, 200));
    p.drawRect(2, 2, 105, 420);
    for (int y : {60, 150, 240, 330})
        p.drawLine(8, y, 101, y);
    return image;
}

// The pause picture is drawn by AND with its mask, then XOR: black leaves the XOR
// picture transparent, white leaves the mask transparent.
void drawPauseBars(QPainter &p, const QColor &colour) {
    p.fillRect(96, 6, 10, 23, colour);
    p.fillRect(116, 6, 10, 23, colour);
}

QImage pausePicture() {
    QImage image(222, 35, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    drawPauseBars(p, QColor(250, 220, 90));
    return image;
}

QImage pauseMask() {
    QImage image(222, 35, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    drawPauseBars(p, Qt::black);
    return image;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path()))
        return 1;
    const bool ok = scoreboard().save(dir.filePath("BMP_SCOREBOARD.png")) &&
                    pausePicture().save(dir.filePath("BMP_PAUSE.png")) &&
                    pauseMask().save(dir.filePath("BMP_PAUSE_AND.png"));
    return ok ? 0 : 1;
}
