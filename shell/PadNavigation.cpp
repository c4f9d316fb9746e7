#include "shell/PadNavigation.h"

#include "dialogs/PadBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace {

enum class Nav { None, Up, Down, Left, Right, Accept, Cancel };

Nav NavOf(PadButton button) {
    switch (button) {
    case PadButton::DpadUp:
    case PadButton::StickUp:
        return Nav::Up;
    case PadButton::DpadDown:
    case PadButton::StickDown:
        return Nav::Down;
    case PadButton::DpadLeft:
    case PadButton::StickLeft:
        return Nav::Left;
    case PadButton::DpadRight:
    case PadButton::StickRight:
        return Nav::Right;
    case PadButton::A:
        return Nav::Accept;
    case PadButton::B:
    case PadButton::Back:
        return Nav::Cancel;
    default:
        return Nav::None;
    }
}

bool isDirection(Nav nav) {
    return nav == Nav::Up || nav == Nav::Down || nav == Nav::Left || nav == Nav::Right;
}

void postKey(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, modifiers));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, modifiers));
}

template <typename Work> void later(QObject *target, Work work) {
    QMetaObject::invokeMethod(target, work, Qt::QueuedConnection);
}

void clickLater(QAbstractButton *button) {
    later(button, [button] { button->click(); });
}

void navigateMenu(QWidget *popup, Nav nav) {
    // A combo box's list has the focus inside its popup; a menu takes the keys itself.
    QWidget *target = popup->focusWidget() ? popup->focusWidget() : popup;
    static constexpr int keys[] = {
        0, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Return, Qt::Key_Escape};
    if (nav != Nav::None)
        postKey(target, keys[int(nav)]);
}

// OK of the dialog: its default button, else the one named so, else Return.
void accept(QWidget *dialog, QWidget *focus) {
    const auto buttons = dialog->findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (button->isDefault() && button->isVisible() && button->isEnabled()) {
            clickLater(button);
            return;
        }
    }
    if (auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("btnAceptar"))) {
        clickLater(ok);
        return;
    }
    postKey(focus, Qt::Key_Return);
}

void activate(QWidget *dialog, QWidget *focus) {
    if (auto *button = qobject_cast<QAbstractButton *>(focus))
        clickLater(button);
    else if (auto *box = qobject_cast<TPadBox *>(focus))
        later(box, [box] { box->startListening(); });
    else if (auto *combo = qobject_cast<QComboBox *>(focus); combo && !combo->isEditable())
        later(combo, [combo] { combo->showPopup(); });
    else
        accept(dialog, focus);
}

void navigateDialog(QWidget *dialog, Nav nav) {
    QWidget *focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    switch (nav) {
    case Nav::Up:
    case Nav::Left:
        postKey(focus, Qt::Key_Backtab, Qt::ShiftModifier);
        break;
    case Nav::Down:
    case Nav::Right:
        postKey(focus, Qt::Key_Tab);
        break;
    case Nav::Accept:
        activate(dialog, focus);
        break;
    case Nav::Cancel:
        if (auto *box = qobject_cast<QDialog *>(dialog))
            later(box, [box] { box->reject(); });
        else
            postKey(focus, Qt::Key_Escape);
        break;
    case Nav::None:
        break;
    }
}

} // namespace

bool PadNavigate(PadButton button, bool repeated) {
    QWidget *popup = QApplication::activePopupWidget();
    QWidget *modal = popup ? nullptr : QApplication::activeModalWidget();
    if (!popup && !modal)
        return false;
    const Nav nav = NavOf(button);
    if (repeated && !isDirection(nav))
        return true;
    if (popup) {
        navigateMenu(popup, nav);
        return true;
    }
    if (auto *box = qobject_cast<TPadBox *>(modal->focusWidget()); box && box->listening()) {
        if (!repeated)
            later(box, [box, code = int(button)] { box->capture(code); });
        return true;
    }
    navigateDialog(modal, nav);
    return true;
}
