#include "dialogs/Teclas.h"

#include "dialogs/TranslateForm.h"
#include "services/Language.h"
#include "services/VirtualKeys.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace {

constexpr int BoxTops[5] = {20, 45, 70, 95, 120};
constexpr int FirstLabelTag = 11103;

bool isFocusMove(const QKeyEvent *event) {
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    return tab && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

TKeyBox::TKeyBox(QWidget *parent) : QLineEdit(parent) {
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool TKeyBox::event(QEvent *event) {
    // Keys bound to shortcuts elsewhere are still keys to capture here.
    if (event->type() == QEvent::ShortcutOverride &&
        !isFocusMove(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void TKeyBox::keyPressEvent(QKeyEvent *event) {
    event->accept();
    emit keyDown(VirtualKeyFromEvent(*event));
}

void TKeyBox::keyReleaseEvent(QKeyEvent *event) {
    event->accept();
}

void TKeyBox::inputMethodEvent(QInputMethodEvent *event) {
    event->ignore();
}

TfTeclas::TfTeclas(QWidget *parent)
    : FixedDialog(442, 208, parent), beep([] { QApplication::beep(); }) {
    SetTag(this, 11100);
    // Escape is a key to capture like any other; neither button cancels.
    setEscapeCloses(false);
    gbJugador1 = newPlayerGroup(10, 11101, 0);
    gbJugador2 = newPlayerGroup(225, 11102, 5);
    btnIntercambiar = NewButton(this, QRect(140, 175, 115, 25), 11108);
    btnAceptar = NewButton(this, QRect(285, 175, 70, 25), 11109);
    btnCancelar = NewButton(this, QRect(360, 175, 70, 25), 11110);
    connect(btnIntercambiar, &QPushButton::clicked, this, &TfTeclas::btnIntercambiarClick);
    connect(btnAceptar, &QPushButton::clicked, this, [this] { done(1); });
    connect(btnCancelar, &QPushButton::clicked, this, [this] { done(2); });

    setTabOrder(btnAceptar, btnCancelar);
    QWidget *previous = btnCancelar;
    for (TKeyBox *box : cajas) {
        setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, btnIntercambiar);

    TranslateForm(this);
    bindKeyNames(GetLanguage());
}

void TfTeclas::bindKeyNames(int language) {
    NombreTecla = language == LanguageSpanish ? NombreTeclaEspanol : NombreTeclaIngles;
    for (TKeyBox *box : cajas)
        showName(box);
}

QGroupBox *TfTeclas::newPlayerGroup(int left, int tag, int firstBox) {
    auto *group = new QGroupBox(this);
    group->setGeometry(left, 10, 206, 156);
    SetTag(group, tag);
    for (int row = 0; row < 5; ++row) {
        auto *label = new QLabel(group);
        label->setGeometry(4, BoxTops[row] + 4, 83, 13);
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        SetTag(label, FirstLabelTag + row);
        auto *box = new TKeyBox(group);
        box->setGeometry(95, BoxTops[row], 101, 21);
        connect(box, &TKeyBox::keyDown, this, [this, box](int code) { edTeclaKeyDown(box, code); });
        cajas[firstBox + row] = box;
    }
    return group;
}

void TfTeclas::setTeclas(const Codes &codes) {
    for (std::size_t i = 0; i < cajas.size(); ++i) {
        cajas[i]->code = codes[i];
        showName(cajas[i]);
    }
}

TfTeclas::Codes TfTeclas::teclas() const {
    Codes codes{};
    for (std::size_t i = 0; i < cajas.size(); ++i)
        codes[i] = std::uint16_t(cajas[i]->code);
    return codes;
}

void TfTeclas::setTeclasReservadas(const Reserved &reserved) {
    TeclasReservadas = reserved;
}

void TfTeclas::edTeclaKeyDown(TKeyBox *box, int code) {
    // A key without a code cannot be stored, so it is refused like a reserved one.
    if (code <= 0 || code >= int(TeclasReservadas.size()) || TeclasReservadas[code]) {
        beep();
        return;
    }
    if (TKeyBox *holder = TeclaUsada(code, box)) {
        holder->setFocus();
        beep();
        return;
    }
    box->code = code;
    showName(box);
}

TKeyBox *TfTeclas::TeclaUsada(int code, const TKeyBox *box) const {
    for (TKeyBox *other : cajas) {
        if (other != box && other->code == code)
            return other;
    }
    return nullptr;
}

void TfTeclas::btnIntercambiarClick() {
    for (int action = 0; action < 5; ++action) {
        std::swap(cajas[action]->code, cajas[action + 5]->code);
        showName(cajas[action]);
        showName(cajas[action + 5]);
    }
}

void TfTeclas::reject() {
    done(2);
}

void TfTeclas::showEvent(QShowEvent *event) {
    for (TKeyBox *box : cajas)
        showName(box);
    btnAceptar->setFocus();
    FixedDialog::showEvent(event);
}

void TfTeclas::showName(TKeyBox *box) {
    box->setText(NombreTecla(box->code));
    box->setCursorPosition(0);
}

bool DefinirTeclas(TfTeclas::Codes &TeclasJuego, const TfTeclas::Reserved &TeclasReservadas,
                   QWidget *parent) {
    return DefinirTeclas(TeclasJuego, TeclasReservadas, GetLanguage(), parent);
}

bool DefinirTeclas(TfTeclas::Codes &TeclasJuego, const TfTeclas::Reserved &TeclasReservadas,
                   int language, QWidget *parent) {
    auto dialog = std::make_unique<TfTeclas>(parent);
    dialog->bindKeyNames(language);
    dialog->setTeclas(TeclasJuego);
    dialog->setTeclasReservadas(TeclasReservadas);
    if (dialog->exec() != 1)
        return false;
    TeclasJuego = dialog->teclas();
    return true;
}
