#pragma once

#include <QByteArray>
#include <QString>

// The most a language module file, and any one entry of it once uncompressed, may
// hold; far above what the module needs, far below what would exhaust memory.
constexpr qsizetype MaxResourceBytes = 8 * 1024 * 1024;

// Checks a Qt binary resource file ("qres", format versions 1 to 3) before Qt's
// resource reader sees it, for that reader trusts every offset: the header, every node
// of the tree (each reached once, numbered without gaps), every name and every data
// block must lie inside bytes, and a compressed entry may not claim more than
// MaxResourceBytes. Gives the first flaw found, or an empty string for a sound file.
QString ResourceFileFlaw(const QByteArray &bytes);
