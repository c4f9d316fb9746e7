#include "services/Fases.h"

#include "core/Texts.h"
#include "services/DataFiles.h"
#include "services/ErrorReport.h"

#include <QFile>

#include <cstdio>

QString FindStageFile() {
    return FindDataFile(QString::fromLatin1(StageFileName));
}

bool LoadStageFile(TFaseTable &table, QString *why) {
    QFile file(FindStageFile());
    if (!file.open(QIODevice::ReadOnly)) {
        if (why)
            *why = file.fileName() + QStringLiteral(": ") + file.errorString();
        return false;
    }
    const QByteArray bytes = file.read(StageCount * StageRecordSize);
    QString reason;
    if (!ParseStages(bytes, table, &reason)) {
        if (why)
            *why = file.fileName() + QStringLiteral(": ") + reason;
        return false;
    }
    return true;
}

QString StageFileErrorText() {
    return GetTextFmt(1008, {QString::fromLatin1(StageFileName)});
}

void ReportStageFileError(const QString &why) {
    // The box's text is fixed; what was wrong goes to the standard error stream.
    if (!why.isEmpty())
        std::fprintf(stderr, "%s\n", qUtf8Printable(why));
    ReportError(GetText(1003), StageFileErrorText());
}
