#pragma once

#include "engine/Pictures.h"

#include <QImage>
#include <QSize>
#include <QString>

// The pictures stored with the program, from its resources (":/art/<name>.png"). A
// missing or wrongly sized picture is replaced by a plain one of the right size.

// The picture name as RGB32 of exactly size; fallback when it is missing or differs.
QImage LoadArt(const QString &name, const QSize &size, const QImage &fallback);

// Everything the engine draws with.
TPictures LoadPictures();

// The status strip under each well, 255 x 40.
QImage LoadStatusStrip();
