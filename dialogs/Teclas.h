#pragma once

#include "dialogs/DialogStyle.h"

#include <QLineEdit>

#include <array>
#include <cstdint>
#include <functional>

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

    // The alert for a refused key; tests replace it.
    std::function<void()> beep;

    QGroupBox *gbJugador1;
    QGroupBox *gbJugador2;
    // edIzda1, edDcha1, edRotar1, edBajar1, edTirar1, then the same for player 2.
    std::array<TKeyBox *, 10> cajas{};
    QPushButton *btnIntercambiar;
    QPushButton *btnAceptar;
    QPushButton *btnCancelar;

public slots:
    void edTeclaKeyDown(TKeyBox *box, int code);
    void btnIntercambiarClick();
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QGroupBox *newPlayerGroup(int left, int tag, int firstBox);
    TKeyBox *TeclaUsada(int code, const TKeyBox *box) const;
    void showName(TKeyBox *box);

    QString (*NombreTecla)(int) = NombreTeclaIngles;
    Reserved TeclasReservadas{};
};

// Runs the key dialog over the game's ten keys; they change only when it ends with OK.
bool DefinirTeclas(TfTeclas::Codes &TeclasJuego, const TfTeclas::Reserved &TeclasReservadas,
                   QWidget *parent = nullptr);

// The same with the key names of the given language (1 Spanish, anything else English).
bool DefinirTeclas(TfTeclas::Codes &TeclasJuego, const TfTeclas::Reserved &TeclasReservadas,
                   int language, QWidget *parent = nullptr);
