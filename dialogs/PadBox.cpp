#include "dialogs/PadBox.h"

#include "core/Texts.h"

#include <QKeyEvent>

TPadBox::TPadBox(QWidget *parent) : QLineEdit(parent) {
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TPadBox::setButtons(const PadPair &pair) {
    buttons = pair;
    showNames();
}

void TPadBox::startListening() {
    if (!hasFocus())
        setFocus();
    waitingFor = 1;
    showNames();
}

void TPadBox::stopListening() {
    if (!waitingFor)
        return;
    waitingFor = 0;
    showNames();
}

void TPadBox::capture(int code) {
    if (waitingFor)
        emit buttonDown(code);
}

void TPadBox::take(int code) {
    if (waitingFor == 1) {
        buttons = {std::uint8_t(code), 0};
        waitingFor = 2;
    } else if (waitingFor == 2) {
        if (code != buttons.first)
            buttons.second = std::uint8_t(code);
        waitingFor = 0;
    }
    showNames();
}

void TPadBox::showNames() {
    if (waitingFor == 1)
        setText(GetText(16103));
    else if (waitingFor == 2)
        setText(PadButtonName(buttons.first) + QStringLiteral(", \u2026"));
    else
        setText(PadPairName(buttons));
    setCursorPosition(0);
}

void TPadBox::keyPressEvent(QKeyEvent *event) {
    // Tab and Backtab never get here: the widget moves the focus first.
    event->accept();
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!waitingFor)
            startListening();
        break;
    case Qt::Key_Escape:
        stopListening();
        break;
    default:
        break;
    }
}

void TPadBox::keyReleaseEvent(QKeyEvent *event) {
    event->accept();
}

void TPadBox::mousePressEvent(QMouseEvent *event) {
    QLineEdit::mousePressEvent(event);
    startListening();
}

void TPadBox::focusOutEvent(QFocusEvent *event) {
    stopListening();
    QLineEdit::focusOutEvent(event);
}

void TPadBox::inputMethodEvent(QInputMethodEvent *event) {
    event->ignore();
}
