#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>

// The one-instance guard: a lock file named after the application title in the first
// folder that can hold one. A lock left behind by a crashed instance is taken over.
class TInstanciaUnica {
public:
    // dirs empty: the user's runtime directory, then the user's cache directory, then
    // the temporary directory.
    explicit TInstanciaUnica(const QString &title, const QStringList &dirs = {});
    TInstanciaUnica(const QString &title, const QString &dir)
        : TInstanciaUnica(title, QStringList{dir}) {}
    ~TInstanciaUnica();

    // False only when another live instance holds the lock. A folder where no lock can
    // be created is passed over for the next; where none can, the program runs unguarded.
    bool Adquirir();
    // The lock file taken, or the one that blocked.
    QString fileName() const { return path; }

private:
    QString name;
    QStringList dirs;
    QString path;
    std::unique_ptr<QLockFile> lock;
};
