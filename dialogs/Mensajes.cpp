#include "dialogs/Mensajes.h"

#include "dialogs/TranslateForm.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>

#include <algorithm>

namespace {

constexpr int ClientWidth = 392;
constexpr int IconTop = 20;
constexpr int IconSize = 32;
constexpr int FrameTop = 10;
constexpr int ButtonHeight = 25;

} // namespace

TfMensaje::TfMensaje(QWidget *parent) : FixedDialog(ClientWidth, 98, parent) {
    Marco = NewSunkenFrame(this, QRect(10, FrameTop, 371, 51));
    imgIcono = NewIconPicture(this, QRect(20, IconTop, IconSize, IconSize));
    lblTexto = new QLabel(this);
    lblTexto->setWordWrap(true);
    lblTexto->setTextFormat(Qt::PlainText);
    lblTexto->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTexto->setGeometry(65, IconTop, 300, 13);
    btnAceptar = NewButton(this, QRect(310, 70, 70, ButtonHeight), 64100);
    btnCancelar = NewButton(this, QRect(310, 70, 70, ButtonHeight), 64101);
    btnAceptar->setDefault(true);
    connect(btnAceptar, &QPushButton::clicked, this, [this] { done(1); });
    connect(btnCancelar, &QPushButton::clicked, this, [this] { done(2); });
    TranslateForm(this);
}

void TfMensaje::Preparar(const QString &Texto, const QString &Titulo, bool ConCancelar) {
    setEscapeCloses(ConCancelar);
    lblTexto->setText(NormalizeLineBreaks(Texto));
    const int labelHeight = lblTexto->heightForWidth(300);
    const int labelTop = labelHeight < IconSize - 10 ? IconTop + 5 : IconTop;
    lblTexto->setGeometry(65, labelTop, 300, labelHeight);

    const int frameHeight = std::max(labelHeight + 20, 50);
    Marco->setGeometry(10, FrameTop, 371, frameHeight);
    const int buttonTop = std::max(FrameTop + frameHeight + 10, 70);
    btnAceptar->move(ConCancelar ? 230 : 310, buttonTop);
    btnCancelar->move(310, buttonTop);
    btnCancelar->setVisible(ConCancelar);
    setClientSize(ClientWidth, buttonTop + ButtonHeight + 5);

    setWindowTitle(Titulo.isEmpty() ? QString::fromLatin1(ApplicationTitle) : Titulo);
    btnAceptar->setFocus();
}

void TfMensaje::reject() {
    done(2);
}

int MostrarMensaje(const QString &Texto, const QString &Titulo, bool ConCancelar) {
    // Owned by the active window so it stays above it; freed here unless that window
    // went first and took it along.
    QPointer<TfMensaje> box = new TfMensaje(QApplication::activeWindow());
    const auto release = qScopeGuard([&box] { delete box.data(); });
    box->Preparar(Texto, Titulo, ConCancelar);
    return box->exec();
}
