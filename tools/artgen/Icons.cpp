#include "tools/artgen/Icons.h"

#include "tools/artgen/Logo.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace art {

namespace {

bool fail(const QString &path) {
    std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
    return false;
}

// The icon's strokes as SVG, at its design size of 32 units.
QByteArray iconSvg() {
    QBuffer svg;
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(32, 32));
    generator.setViewBox(QRectF(0, 0, 32, 32));
    generator.setTitle(QStringLiteral("Cobaltix"));
    generator.setDescription(QStringLiteral("A cut cobalt gem on a dark tile"));
    QPainter p(&generator);
    p.setRenderHint(QPainter::Antialiasing);
    paintAppIcon(p);
    p.end();
    return svg.data();
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return fail(path);
    return true;
}

} // namespace

bool writeIcons(const QDir &themeDir, const QString &name) {
    bool ok = true;
    for (int size : IconSizes) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = themeDir.filePath(folder + "/" + name + ".png");
        if (!themeDir.mkpath(folder) || !appIcon(size).save(path, "PNG"))
            ok = fail(path);
    }
    const QString scalable = themeDir.filePath("scalable/apps/" + name + ".svg");
    if (!themeDir.mkpath("scalable/apps"))
        return fail(scalable);
    return writeFile(scalable, iconSvg()) && ok;
}

} // namespace art
