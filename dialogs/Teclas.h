#pragma once

#include "dialogs/DialogStyle.h"
#include "dialogs/PadBox.h"
#include "services/PadButtons.h"

#include <QLineEdit>

#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// Key names, by virtual-key code, as the key dialog shows them.
QString NombreTeclaIngles(int code);
QString NombreTeclaEspanol(int code);

// A one-line box that holds one key code and shows its name; pressing a key offers that
// key instead of editing the text. Tab still moves the focus.
class TKeyBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TKeyBox(QWidget *parent = nullptr);

    int code = 0;

signals:
    void keyDown(int code);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
};

// The dialog where both players choose their five keys: left, right, rotate, step down
// and throw. The ten codes stay distinct and free of the main window's reserved keys.
// Below, each player's pad and the pad buttons of the same five actions; a player's
// buttons stay distinct and free of Start, Back and Guide.
class TfTeclas : public FixedDialog {
    Q_OBJECT
public:
    using Codes = std::array<std::uint16_t, 10>;
    using Reserved = std::array<bool, 256>;

    // The key names follow the language in force when the dialog is made.
    explicit TfTeclas(QWidget *parent = nullptr);

    // Names the keys in another language: 1 Spanish, anything else English.
    void bindKeyNames(int language);

    void setTeclas(const Codes &codes);
    Codes teclas() const;
    void setTeclasReservadas(const Reserved &reserved);

    void setMandos(const TPadSetup &setup);
    // The buttons and the players' pads as the dialog holds them now.
    TPadSetup mandos() const;

    // The alert for a refused key; tests replace it.
    std::function<void()> beep;

    QGroupBox *gbJugador1;
    QGroupBox *gbJugador2;
    // edIzda1, edDcha1, edRotar1, edBajar1, edTirar1, then the same for player 2.
    std::array<TKeyBox *, 10> cajas{};
    QPushButton *btnIntercambiar;
    QPushButton *btnAceptar;
    QPushButton *btnCancelar;
    QGroupBox *gbMandos;
    // Each player's pad: "No pad" or one of the pads connected.
    std::array<QComboBox *, 2> cbMando{};
    // The pad buttons of the ten actions, in the order of the key boxes.
    std::array<TPadBox *, 10> botones{};

public slots:
    void edTeclaKeyDown(TKeyBox *box, int code);
    void edBotonDown(TPadBox *box, int code);
    void btnIntercambiarClick();
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QGroupBox *newPlayerGroup(int left, int tag, int firstBox);
    void newPadGroup();
    void choosePad(int player, int index);
    TKeyBox *TeclaUsada(int code, const TKeyBox *box) const;
    TPadBox *BotonUsado(int code, const TPadBox *box) const;
    void showName(TKeyBox *box);

    QString (*NombreTecla)(int) = NombreTeclaIngles;
    Reserved TeclasReservadas{};
    std::vector<int> padNumbers;
    QStringList padNames;
    // The pad each combo box showed before its last change.
    std::array<int, 2> shownPad{0, 0};
};

// Runs the key dialog over the game's ten keys; they change only when it ends with OK.
bool DefinirTeclas(TfTeclas::Codes &TeclasJuego, const TfTeclas::Reserved &TeclasReservadas,
                   QWidget *parent = nullptr);

// The same with the key names of the given language (1 Spanish, anything else English),
// and with the pads when pads is given: it too changes only when the dialog ends with OK.
bool DefinirTeclas(TfTeclas::Codes &TeclasJuego, const TfTeclas::Reserved &TeclasReservadas,
                   int language, QWidget *parent = nullptr, TPadSetup *pads = nullptr);
