#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// The one-instance guard: a lock file in the user's runtime directory named after the
// application title. A lock left behind by a crashed instance is taken over.
class TInstanciaUnica {
public:
    // dir empty: the user's runtime directory (the temporary directory if none).
    explicit TInstanciaUnica(const QString &title, const QString &dir = {});
    ~TInstanciaUnica();

    // True when this process now holds the lock; false when another instance runs.
    bool Adquirir();
    QString fileName() const { return path; }

private:
    QString path;
    std::unique_ptr<QLockFile> lock;
};
