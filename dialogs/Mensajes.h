#pragma once

#include "dialogs/DialogStyle.h"

class QFrame;
class QLabel;
class QPushButton;

// The program's own message box: a framed text beside the application icon, with OK and
// on request Cancel. Its size follows the text.
class TfMensaje : public FixedDialog {
    Q_OBJECT
public:
    explicit TfMensaje(QWidget *parent = nullptr);

    // Lays the box out for one message; an empty caption gives the game's name.
    void Preparar(const QString &Texto, const QString &Titulo, bool ConCancelar);

    QFrame *Marco;
    QLabel *imgIcono;
    QLabel *lblTexto;
    QPushButton *btnAceptar;
    QPushButton *btnCancelar;

public slots:
    void reject() override;
};

// Shows a message modally: 1 for OK, 2 for Cancel, Escape (with Cancel) or the close box.
int MostrarMensaje(const QString &Texto, const QString &Titulo = QString(),
                   bool ConCancelar = false);
