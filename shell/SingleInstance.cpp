#include "shell/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

TInstanciaUnica::TInstanciaUnica(const QString &title, const QStringList &dirs)
    : name(title + QStringLiteral(" - Orvane.lock")), dirs(dirs) {
    if (this->dirs.isEmpty())
        this->dirs =
            QStringList{QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
                        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation),
                        QDir::tempPath()};
}

TInstanciaUnica::~TInstanciaUnica() = default;

bool TInstanciaUnica::Adquirir() {
    if (lock && lock->isLocked())
        return true;
    for (const QString &dir : dirs) {
        if (dir.isEmpty() || !QDir().mkpath(dir))
            continue;
        const QString candidate = QDir(dir).filePath(name);
        auto file = std::make_unique<QLockFile>(candidate);
        // Never age out a live instance's lock; a dead owner's lock is stale at once.
        file->setStaleLockTime(0);
        // tryLock takes over a lock whose owner no longer runs.
        if (file->tryLock(0)) {
            path = candidate;
            lock = std::move(file);
            return true;
        }
        if (file->error() == QLockFile::LockFailedError) {
            path = candidate;
            return false;
        }
    }
    return true;
}
