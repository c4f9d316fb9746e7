#include "dialogs/Nombres.h"

#include "core/Texts.h"
#include "dialogs/RecordTables.h"
#include "dialogs/TranslateForm.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace {

QComboBox *newNameBox(QWidget *parent, int top) {
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setGeometry(90, top, 176, 21);
    // The name is what was typed: no items added, no completion behind the player's back.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    return box;
}

QString nameOr(const QString &typed, int placeholder) {
    return typed.isEmpty() ? GetText(placeholder) : typed;
}

} // namespace

TfNombres::TfNombres(QWidget *parent) : FixedDialog(292, 123, parent) {
    SetTag(this, 12100);
    setEscapeCloses(false);
    Marco = NewSunkenFrame(this, QRect(10, 10, 271, 76));
    lblJugador1 = NewLabel(this, 25, 29, 12101);
    lblJugador2 = NewLabel(this, 25, 54, 12102);
    cbJugador1 = newNameBox(this, 25);
    cbJugador2 = newNameBox(this, 50);
    btnAceptar = NewButton(this, QRect(205, 95, 76, 25), 12103);
    btnAceptar->setDefault(true);
    connect(btnAceptar, &QPushButton::clicked, this, [this] { done(1); });
    setTabOrder(btnAceptar, cbJugador1);
    setTabOrder(cbJugador1, cbJugador2);
    TranslateForm(this);
    FitLabel(lblJugador1);
    FitLabel(lblJugador2);
}

void TfNombres::showEvent(QShowEvent *event) {
    // A name longer than its box shows its start, not its end. The focused one is
    // selected from its end back to the start, as the dialog would select it anyway.
    // Against a CPU only the person's box is enabled, and it takes the focus.
    QComboBox *focused = cbJugador1->isEnabled() ? cbJugador1 : cbJugador2;
    QComboBox *other = focused == cbJugador1 ? cbJugador2 : cbJugador1;
    QLineEdit *first = focused->lineEdit();
    const int length = int(first->text().size());
    first->setSelection(length, -length);
    other->lineEdit()->setCursorPosition(0);
    focused->setFocus();
    FixedDialog::showEvent(event);
}

bool MismoNombre(const QString &a, const QString &b) {
    return RecordTables::sameName(a, b);
}

void PedirNombres(QString &Nombre1, QString &Nombre2, const QStringList &known, QWidget *parent) {
    auto dialog = std::make_unique<TfNombres>(parent);
    for (const QString &name : known) {
        if (!name.isEmpty()) {
            dialog->cbJugador1->addItem(name);
            dialog->cbJugador2->addItem(name);
        }
    }
    dialog->cbJugador1->setEditText(Nombre1);
    dialog->cbJugador2->setEditText(Nombre2);
    for (;;) {
        dialog->exec();
        Nombre1 = nameOr(dialog->cbJugador1->currentText(), 12000);
        Nombre2 = nameOr(dialog->cbJugador2->currentText(), 12001);
        if (!MismoNombre(Nombre1, Nombre2))
            return;
        QMessageBox::warning(parent, GetText(12003), GetText(12002));
    }
}

void PedirNombre(int player, QString &name, const QString &rival, const QStringList &known,
                 QWidget *parent) {
    auto dialog = std::make_unique<TfNombres>(parent);
    QComboBox *own = player == 1 ? dialog->cbJugador1 : dialog->cbJugador2;
    QComboBox *other = player == 1 ? dialog->cbJugador2 : dialog->cbJugador1;
    for (const QString &known : known)
        if (!known.isEmpty())
            own->addItem(known);
    own->setEditText(name);
    other->setEditText(rival);
    other->setEnabled(false);
    for (;;) {
        dialog->exec();
        name = nameOr(own->currentText(), player == 1 ? 12000 : 12001);
        if (!MismoNombre(name, rival))
            return;
        QMessageBox::warning(parent, GetText(12003), GetText(12002));
    }
}

void PedirNombres(QString &Nombre1, QString &Nombre2, const RecordTables &records,
                  QWidget *parent) {
    QStringList known;
    for (int i = 1; i <= RecordRows; ++i)
        known << records.NombreVs(i);
    PedirNombres(Nombre1, Nombre2, known, parent);
}
