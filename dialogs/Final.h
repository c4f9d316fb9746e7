#pragma once

#include "dialogs/DialogStyle.h"

#include <QTimer>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The congratulation after the last stage, with the title logo glowing up and down.
class TfFinal : public FixedDialog {
    Q_OBJECT
public:
    explicit TfFinal(QWidget *parent = nullptr);

    // The frame shown: 0 before the first tick, then 1 to 5.
    int frame() const { return Frame; }

    QFrame *Marco;
    QLabel *lblTexto1;
    QLabel *lblTexto2;
    QLabel *lblEmail;
    QLineEdit *edEmail;
    QLabel *lblWWW;
    QLineEdit *edWWW;
    QLabel *imgAni;
    QPushButton *btnAceptar;
    QTimer Timer;

public slots:
    void TimerTimer();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::array<QPixmap, 5> imgAniFrames;
    QPixmap surface;
    int Frame = 0;
    int Direction = 1;
};

// A frame of the title logo when the artwork is missing: the name with a glow that grows
// with the frame number.
QPixmap PlainLogoFrame(int frame);
