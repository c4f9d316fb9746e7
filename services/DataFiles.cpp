#include "services/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef COBALTIX_DATA_DIR
#define COBALTIX_DATA_DIR "/usr/local/share/cobaltix"
#endif

namespace {
QStringList overriddenDirs;

QStringList searchDirs() {
    if (!overriddenDirs.isEmpty())
        return overriddenDirs;
    QStringList dirs{QDir::currentPath()};
    if (QCoreApplication::instance())
        dirs << QCoreApplication::applicationDirPath();
    dirs << QStringLiteral(COBALTIX_DATA_DIR);
    return dirs;
}
} // namespace

void SetDataFileDirs(const QStringList &dirs) {
    overriddenDirs = dirs;
}

QString FindDataFile(const QString &fileName) {
    const QStringList dirs = searchDirs();
    for (const QString &dir : dirs) {
        const QFileInfo candidate(QDir(dir), fileName);
        if (candidate.isFile())
            return candidate.filePath();
    }
    return fileName;
}
