#pragma once

#include <QImage>
#include <QString>

// Reads a PNG picture of the program's resources or the language module with Qt's
// built-in reader alone. A plain QImage(path) first asks every image-format plugin
// whether it can read the file, which loads all of them (and Qt Svg with one) into
// memory for pictures that are all PNG. A missing or unreadable file gives a null image.
QImage ReadPng(const QString &path);
