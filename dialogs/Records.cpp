#include "dialogs/Records.h"

#include "core/Texts.h"
#include "dialogs/TranslateForm.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfRecords::TfRecords(QWidget *parent) : FixedDialog(342, 143, parent) {
    SetTag(this, 13100);
    setEscapeCloses(false);
    Marco = NewSunkenFrame(this, QRect(10, 10, 321, 91));
    imgIcono = NewIconPicture(this, QRect(20, 20, 32, 32));
    lblTexto = NewLabel(this, 65, 20, 13101);
    lblTexto->setWordWrap(true);
    lblTexto->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTexto->resize(256, 41);
    edNombre = new QLineEdit(this);
    edNombre->setGeometry(65, 65, 150, 21);
    lblPuntos = NewLabel(this, 225, 69);
    lblPuntos->resize(100, 13);
    btnAceptar = NewButton(this, QRect(260, 110, 70, 25), 13102);
    btnAceptar->setDefault(true);
    connect(btnAceptar, &QPushButton::clicked, this, [this] { done(1); });
    setTabOrder(btnAceptar, edNombre);
    TranslateForm(this);
    ShrinkToFit(lblTexto);
}

QString TfRecords::PedirRecord(const QString &Nombre, int Puntos) {
    edNombre->setText(Nombre);
    lblPuntos->setText(GetTextFmt(13000, {Puntos}));
    exec();
    const QString typed = edNombre->text();
    return typed.isEmpty() ? GetText(14000) : typed;
}

void TfRecords::showEvent(QShowEvent *event) {
    edNombre->setFocus();
    // All selected, so typing replaces the name, with the cursor at the start so a long
    // name shows its beginning.
    const int length = int(edNombre->text().size());
    edNombre->setSelection(length, -length);
    FixedDialog::showEvent(event);
}
