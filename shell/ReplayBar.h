#pragma once

#include "shell/Widgets.h"

#include <QIcon>
#include <QWidget>

class QLabel;
class QPushButton;
class QSlider;
class QToolButton;

// The controls of watching a replay, in the two status strips: pause and play, a frame
// step, the speeds and the time on the left; the position bar, playing on from here and
// the end of watching on the right.
class TBarraRepeticion : public QWidget, public TComponente {
    Q_OBJECT
public:
    TBarraRepeticion(const QString &name, const QRect &bounds, QWidget *parent);
    void setScale(const PixelScale &scale) override;
};

enum class ReplaySymbol { Play, Pause, Step, Stop };
QIcon ReplaySymbolIcon(ReplaySymbol which);

struct ReplayControls {
    TBarraRepeticion *left = nullptr, *right = nullptr;
    QToolButton *btnPausa = nullptr, *btnPaso = nullptr, *btnParar = nullptr;
    std::array<QToolButton *, 4> btnVelocidad{}; // x1, x2, x4, x8
    QLabel *lblTiempo = nullptr;
    QSlider *sbPosicion = nullptr;
    QPushButton *btnJugarAqui = nullptr;

    void create(QWidget *window);
    void setVisible(bool on);
    // Texts of the current language.
    void translate();
};
