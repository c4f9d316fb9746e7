#include "services/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef COBALTIX_DATA_DIR
#define COBALTIX_DATA_DIR "/usr/local/share/cobaltix"
#endif
#ifndef COBALTIX_DATA_DIR_FROM_BIN
#define COBALTIX_DATA_DIR_FROM_BIN "../share/cobaltix"
#endif

namespace {
QStringList overriddenDirs;
} // namespace

QStringList DataFileDirs() {
    QStringList dirs{QDir::currentPath()};
    if (QCoreApplication::instance()) {
        const QDir programDir(QCoreApplication::applicationDirPath());
        dirs << programDir.path()
             << QDir::cleanPath(programDir.filePath(QStringLiteral(COBALTIX_DATA_DIR_FROM_BIN)));
    }
    dirs << QDir::cleanPath(QStringLiteral(COBALTIX_DATA_DIR));
    dirs.removeDuplicates();
    return dirs;
}

void SetDataFileDirs(const QStringList &dirs) {
    overriddenDirs = dirs;
}

QString FindDataFile(const QString &fileName) {
    const QStringList dirs = overriddenDirs.isEmpty() ? DataFileDirs() : overriddenDirs;
    for (const QString &dir : dirs) {
        const QFileInfo candidate(QDir(dir), fileName);
        if (candidate.isFile())
            return candidate.filePath();
    }
    return fileName;
}
