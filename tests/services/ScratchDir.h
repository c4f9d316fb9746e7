#pragma once

#include <QDir>
#include <QTemporaryDir>

// Makes a fresh temporary directory the current one while in scope.
class ScratchDir {
public:
    ScratchDir() : previous(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
    ~ScratchDir() { QDir::setCurrent(previous); }
    QString filePath(const QString &name) const { return dir.filePath(name); }

private:
    QTemporaryDir dir;
    QString previous;
};
