#pragma once

#include <QColor>

// The deep-cobalt and crystal palette every picture draws from.
namespace art::theme {

inline const QColor Abyss(4, 10, 30);
inline const QColor DeepCobalt(10, 28, 78);
inline const QColor Cobalt(22, 58, 150);
inline const QColor BrightCobalt(56, 110, 220);
inline const QColor Ice(150, 200, 255);
inline const QColor Frost(214, 236, 255);
inline const QColor Slot(3, 8, 24);

} // namespace art::theme
