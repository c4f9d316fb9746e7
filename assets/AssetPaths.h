#pragma once

#include <QString>

// Where the pictures and sounds compiled into the program are found.
namespace assets {

// ":/art/<name>.png", e.g. the cell mask "imgFichaAND" or the English "BMP_PAUSE".
QString artPath(const QString &name);

// ":/wave/<name>", a complete WAVE file, e.g. "SND_ELIMINAR".
QString wavePath(const QString &name);

} // namespace assets
