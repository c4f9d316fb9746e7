#pragma once

#include <QString>

// The data file to read by name: the first existing one of the current directory, the
// executable's directory and the installed data directory; the bare name if none has it.
QString FindDataFile(const QString &fileName);
