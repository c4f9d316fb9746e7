#pragma once

#include <QByteArray>
#include <QString>

// Player names are kept as single-byte Windows-1252 text.

// One byte per character; a character outside the code page becomes "?".
QByteArray ToCp1252(const QString &text);

QString FromCp1252(const QByteArray &bytes);

// The text as it reads back after storing: unknown characters turned into "?".
inline QString FitCp1252(const QString &text) {
    return FromCp1252(ToCp1252(text));
}
