#pragma once

#include "dialogs/DialogStyle.h"

#include <QList>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

// What the player chose for a network game.
struct NetChoice {
    bool host = true;
    QString address; // joining
    int port = 0;
    QString name;
    int player = 0; // 0: the person; 1 to 5: the CPU levels, Beginner to Master
    bool announce = true;
};

// A game being hosted on the local network.
struct NetListing {
    QString address;
    int port = 0;
    QString name;
};

// Asks how to play a network game: host on a port (announced on the local network or
// not) or join an address and port, picked from the games found or typed; this side's
// name and who plays it.
class TfRed : public FixedDialog {
    Q_OBJECT
public:
    TfRed(const NetChoice &choice, std::function<QList<NetListing>()> listing,
          QWidget *parent = nullptr);
    NetChoice choice() const;

    QRadioButton *rbCrear, *rbUnirse;
    QSpinBox *spPuertoCrear, *spPuertoUnirse;
    QCheckBox *chkAnunciar;
    QLineEdit *edDireccion, *edNombre;
    QListWidget *lstPartidas;
    QComboBox *cbJuega;
    QPushButton *btnJugar, *btnCancelar;

private:
    void refreshListing();
    void pick(int row);
    void play();
    void updateEnabled();

    std::function<QList<NetListing>()> listing;
    QList<NetListing> shown;
    QTimer *refresh;
};

// Runs the dialog; true with the choice when the player chose to play.
bool PedirPartidaRed(NetChoice &choice, const std::function<QList<NetListing>()> &listing,
                     QWidget *parent = nullptr);
