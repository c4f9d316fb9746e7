#pragma once

#include <QString>
#include <QStringList>

// Splits a script line into words: blanks separate them, "#" starts a comment, and a
// word in double quotes may hold blanks and the escapes \\ \" \n \r. False on an
// unterminated quote.
bool splitWords(const QString &line, QStringList &words);

// Quotes a text for output with the same escapes.
QString quoted(const QString &text);
