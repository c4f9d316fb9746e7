#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

// Where the main window's parts lie, in client pixels at factor 1, named after the
// components. The window, its outline and the tests take every place from here; the
// window's scale (shell/Zoom.h) maps them onto the screen.
namespace Layout {

inline constexpr QSize Client{632, 460};

// Pictures.
inline constexpr QRect imgFondo1{5, 5, 245, 400};
inline constexpr QRect imgFondo2{380, 5, 245, 400};
inline constexpr QRect imgMarcador{260, 30, 110, 425};
inline constexpr QRect imgCristal = imgMarcador;
inline constexpr QRect imgSgtes1{265, 75, 70, 25};
inline constexpr QRect imgSgtes2{294, 280, 70, 25};
inline constexpr QRect imgStatus1{0, 415, 255, 40};
inline constexpr QRect imgStatus2{375, 415, 255, 40};

// Labels. The names are sized to their text from these left edges (player 1) or right
// edges (player 2).
inline constexpr int NumberFont = 13, NameFont = 11;
inline constexpr QRect lblJugador1{265, 35, 100, 13};
inline constexpr QRect lblPuntos1{265, 121, 71, 16};
inline constexpr QRect lblEliminadas1{265, 175, 71, 19};
inline constexpr QRect lblNivel1{337, 202, 31, 16};
inline constexpr QRect lblFase{342, 236, 31, 16};
inline constexpr QRect lblPuntos2{295, 326, 71, 16};
inline constexpr QRect lblEliminadas2{295, 380, 71, 16};
inline constexpr QRect lblNivel2{337, 407, 31, 16};
inline constexpr QRect lblJugador2{298, 437, 68, 13};
inline constexpr QRect lblRocas1{15, 422, 181, 13};
inline constexpr QRect lblStatus1{15, 436, 181, 13};
inline constexpr QRect lblRocas2{390, 422, 181, 13};
inline constexpr QRect lblStatus2{390, 436, 181, 13};
// The start hints, between the rocks and status lines while no game runs.
inline constexpr QRect lblPista1{15, 429, 181, 13};
inline constexpr QRect lblPista2{390, 429, 181, 13};

// The network game's status, on the scoreboard under the stage while one runs.
inline constexpr QRect lblRed{262, 254, 106, 24};
inline constexpr int NetFont = 10;

// Buttons.
inline constexpr QRect btnMenu{270, 5, 41, 20};
inline constexpr QRect btnMinimizar{316, 5, 21, 20};
inline constexpr QRect btnCerrar{340, 5, 21, 20};

// The previews lie on the scoreboard: their backgrounds are these parts of its picture.
inline constexpr QPoint PreviewOrigin1 = imgSgtes1.topLeft() - imgMarcador.topLeft();
inline constexpr QPoint PreviewOrigin2 = imgSgtes2.topLeft() - imgMarcador.topLeft();

// Where the pause picture lies in a well.
inline constexpr QPoint PausePosition{12, 75};

// The outline: rounded rectangles with corners of a 10 x 10 ellipse, then plain ones.
inline constexpr int CornerEllipse = 10;
inline constexpr QRect RoundedAreas[] = {imgFondo1.adjusted(-5, -5, 5, 5),
                                         imgFondo2.adjusted(-5, -5, 5, 5), imgStatus1, imgStatus2,
                                         imgMarcador};
inline constexpr QRect PlainAreas[] = {btnMinimizar, btnCerrar, btnMenu};

// The union of the outline's areas, at factor 1.
QRegion Outline();

} // namespace Layout
