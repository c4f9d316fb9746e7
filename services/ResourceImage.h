#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Reads a PNG picture of the program's resources or the language module with Qt's
// built-in reader alone. A plain QImage(path) first asks every image-format plugin
// whether it can read the file, which loads all of them (and Qt Svg with one) into
// memory for pictures that are all PNG. A missing or unreadable file gives a null image.
// A picture preloaded is taken from the preload, once.
QImage ReadPng(const QString &path);

// Decoding the artwork is a good part of the start: this decodes the given pictures on a
// thread of its own while Qt connects to the display and the window is built. ReadPng
// waits for that thread the first time it is asked for one of them.
void PreloadPngs(const QStringList &paths);
// Drops what was preloaded and not asked for (the other language's pictures).
void ForgetPreloadedPngs();
