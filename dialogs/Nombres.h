#pragma once

#include "dialogs/DialogStyle.h"

#include <QStringList>

class QComboBox;
class RecordTables;
class QFrame;
class QLabel;
class QPushButton;

// Asks the names of the two players of a one-to-one game, offering the known players.
class TfNombres : public FixedDialog {
    Q_OBJECT
public:
    explicit TfNombres(QWidget *parent = nullptr);

    QFrame *Marco;
    QLabel *lblJugador1;
    QLabel *lblJugador2;
    QComboBox *cbJugador1;
    QComboBox *cbJugador2;
    QPushButton *btnAceptar;

protected:
    void showEvent(QShowEvent *event) override;
};

// Names are the same when they match with the letters a to z taken in either case;
// accented letters must match exactly.
bool MismoNombre(const QString &a, const QString &b);

// Runs the names dialog until the two names differ and writes them back. An empty name
// becomes "Player 1" or "Player 2". known: the one-to-one players, best first.
void PedirNombres(QString &Nombre1, QString &Nombre2, const QStringList &known,
                  QWidget *parent = nullptr);

// Against a CPU: asks only the name of player (1 or 2), showing the CPU's name (rival)
// in the other box, until the two differ.
void PedirNombre(int player, QString &name, const QString &rival, const QStringList &known,
                 QWidget *parent = nullptr);

// The same, offering the players of the one-to-one table.
void PedirNombres(QString &Nombre1, QString &Nombre2, const RecordTables &records,
                  QWidget *parent = nullptr);
