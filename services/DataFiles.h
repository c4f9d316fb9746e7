#pragma once

#include <QString>
#include <QStringList>

// The data file to read by name: the first existing one of the current directory, the
// executable's directory and the installed data directories; the bare name if none has
// it.
QString FindDataFile(const QString &fileName);

// The directories searched, in order: the current directory, the executable's, the data
// directory of an install found from the executable's (so a moved install works), and
// the data directory compiled in. A directory is listed once.
QStringList DataFileDirs();

// Replaces the directories searched, in order, so a test can look where no data file
// lies; an empty list restores the default search.
void SetDataFileDirs(const QStringList &dirs);
