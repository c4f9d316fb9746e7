#include "assets/AssetPaths.h"

namespace assets {

QString artPath(const QString &name) {
    return QStringLiteral(":/art/") + name + QStringLiteral(".png");
}

QString wavePath(const QString &name) {
    return QStringLiteral(":/wave/") + name;
}

} // namespace assets
