#include "shell/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

TInstanciaUnica::TInstanciaUnica(const QString &title, const QString &dir) {
    QString base = dir;
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty() || !QDir().mkpath(base))
        base = QDir::tempPath();
    path = QDir(base).filePath(title + QStringLiteral(" - Orvane.lock"));
    lock = std::make_unique<QLockFile>(path);
    // Never age out a live instance's lock; a dead owner's lock is stale at once.
    lock->setStaleLockTime(0);
}

TInstanciaUnica::~TInstanciaUnica() = default;

bool TInstanciaUnica::Adquirir() {
    if (lock->isLocked())
        return true;
    // tryLock takes over a lock whose owner no longer runs.
    return lock->tryLock(0);
}
