#pragma once

#include <QDir>
#include <QString>

namespace art {

// The pixel sizes of the desktop icon theme's folders.
inline constexpr int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};

// Writes the application icon into an icon theme tree under themeDir:
// <size>x<size>/apps/<name>.png for every size and scalable/apps/<name>.svg.
bool writeIcons(const QDir &themeDir, const QString &name);

} // namespace art
