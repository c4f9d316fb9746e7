#pragma once

#include <QDir>

namespace art {

// Writes a contact sheet of every picture and a mock game screen, for looking at the
// artwork before the window is built.
bool writePreviews(const QDir &artDir, const QDir &previewDir);

} // namespace art
