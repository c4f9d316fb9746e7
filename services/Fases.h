#pragma once

#include "engine/Stages.h"

#include <QString>

// The stage file to read: the first existing one of the current directory, the
// executable's directory and the installed data directory; the bare name if none.
QString FindStageFile();

// Reads the stage file found by FindStageFile. On failure returns false with the reason.
bool LoadStageFile(TFaseTable &table, QString *why = nullptr);

// The fatal message of an unreadable stage file: text 1008 with the file name.
QString StageFileErrorText();

// Shows that message with caption 1003 through the error reporter, after writing why
// (the file, and the stage and cell or field refused) to the standard error stream.
void ReportStageFileError(const QString &why = {});
