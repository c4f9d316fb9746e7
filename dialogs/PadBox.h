#pragma once

#include "services/PadButtons.h"

#include <QLineEdit>

// A one-line box that holds the pad buttons of one action and shows their names. Once
// activated (clicked, Space or Return pressed, or a pad's A) it listens: the next pad
// button becomes the action's button, and a second, other one is added to it; the same
// button again, or leaving the box, ends the listening with the one. Its text is never
// edited.
class TPadBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TPadBox(QWidget *parent = nullptr);

    PadPair buttons;

    bool listening() const { return waitingFor != 0; }
    // 1 while listening for the first button, 2 for a second one, 0 otherwise.
    int waitingForButton() const { return waitingFor; }
    void setButtons(const PadPair &pair);

public slots:
    void startListening();
    void stopListening();
    // A pad button pressed while this box listens: told to the dialog, which takes it
    // (take) or refuses it.
    void capture(int code);
    // Makes code this action's button (the first heard) or its second.
    void take(int code);

signals:
    void buttonDown(int code);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    void showNames();
    int waitingFor = 0;
};
