#pragma once

#include "dialogs/DialogStyle.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks under which name a result that entered the by-stages table is stored.
class TfRecords : public FixedDialog {
    Q_OBJECT
public:
    explicit TfRecords(QWidget *parent = nullptr);

    // Shows the dialog with Nombre proposed; returns the name as typed, or the
    // placeholder text of an empty row when the field is left empty. Every way of
    // closing keeps the name in the field.
    QString PedirRecord(const QString &Nombre, int Puntos);

    QFrame *Marco;
    QLabel *imgIcono;
    QLabel *lblTexto;
    QLineEdit *edNombre;
    QLabel *lblPuntos;
    QPushButton *btnAceptar;

protected:
    void showEvent(QShowEvent *event) override;
};
