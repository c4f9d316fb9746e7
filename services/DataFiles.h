#pragma once

#include <QString>
#include <QStringList>

// The data file to read by name: the first existing one of the current directory, the
// executable's directory and the installed data directory; the bare name if none has it.
QString FindDataFile(const QString &fileName);

// Replaces the directories searched, in order, so a test can look where no data file
// lies; an empty list restores the default search.
void SetDataFileDirs(const QStringList &dirs);
