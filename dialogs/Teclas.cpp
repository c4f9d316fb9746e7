#include "dialogs/Teclas.h"

#include "dialogs/TranslateForm.h"
#include "services/Language.h"
#include "services/VirtualKeys.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <memory>

namespace {

constexpr int BoxTops[5] = {20, 45, 70, 95, 120};
constexpr int FirstLabelTag = 11103;

// The pads' part: a column per player under a header, the pad chosen, then the buttons
// of the five actions.
constexpr int PadColumns[2] = {95, 256};
constexpr int PadColumnWidth = 155;
constexpr int PadChoiceTop = 34;
constexpr int PadBoxTops[5] = {59, 84, 109, 134, 159};
constexpr QRect PadGroup(10, 172, 421, 190);
constexpr int ButtonsTop = 371;

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
    : FixedDialog(442, 404, parent), beep([] { QApplication::beep(); }) {
    SetTag(this, 11100);
    // Escape is a key to capture like any other; neither button cancels.
    setEscapeCloses(false);
    gbJugador1 = newPlayerGroup(10, 11101, 0);
    gbJugador2 = newPlayerGroup(225, 11102, 5);
    newPadGroup();
    btnIntercambiar = NewButton(this, QRect(140, ButtonsTop, 115, 25), 11108);
    btnAceptar = NewButton(this, QRect(285, ButtonsTop, 70, 25), 11109);
    btnAceptar->setObjectName(QStringLiteral("btnAceptar"));
    btnCancelar = NewButton(this, QRect(360, ButtonsTop, 70, 25), 11110);
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
    previous = btnIntercambiar;
    for (int player = 0; player < 2; ++player) {
        setTabOrder(previous, cbMando[size_t(player)]);
        previous = cbMando[size_t(player)];
        for (int action = 0; action < 5; ++action) {
            setTabOrder(previous, botones[size_t(5 * player + action)]);
            previous = botones[size_t(5 * player + action)];
        }
    }

    TranslateForm(this);
    setMandos(TPadSetup());
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

void TfTeclas::newPadGroup() {
    gbMandos = new QGroupBox(this);
    gbMandos->setGeometry(PadGroup);
    SetTag(gbMandos, 16100);
    auto rowLabel = [this](int top, int tag) {
        auto *label = new QLabel(gbMandos);
        label->setGeometry(4, top + 4, 83, 13);
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        SetTag(label, tag);
    };
    rowLabel(PadChoiceTop, 16101);
    for (int row = 0; row < 5; ++row)
        rowLabel(PadBoxTops[row], FirstLabelTag + row);
    for (int player = 0; player < 2; ++player) {
        const int left = PadColumns[player];
        auto *header = new QLabel(gbMandos);
        header->setGeometry(left + 2, 17, PadColumnWidth - 2, 13);
        SetTag(header, 11101 + player);
        auto *choice = new QComboBox(gbMandos);
        choice->setGeometry(left, PadChoiceTop, PadColumnWidth, 21);
        connect(choice, &QComboBox::currentIndexChanged, this,
                [this, player](int index) { choosePad(player, index); });
        cbMando[size_t(player)] = choice;
        for (int row = 0; row < 5; ++row) {
            auto *box = new TPadBox(gbMandos);
            box->setGeometry(left, PadBoxTops[row], PadColumnWidth, 21);
            connect(box, &TPadBox::buttonDown, this,
                    [this, box](int code) { edBotonDown(box, code); });
            botones[size_t(5 * player + row)] = box;
        }
    }
}

void TfTeclas::setMandos(const TPadSetup &setup) {
    padNumbers = setup.pads;
    padNames = setup.names;
    for (size_t i = 0; i < botones.size(); ++i)
        botones[i]->setButtons(setup.buttons[i]);
    for (int player = 0; player < 2; ++player) {
        QComboBox *choice = cbMando[size_t(player)];
        const QSignalBlocker quiet(choice);
        choice->clear();
        choice->addItem(GetText(16102));
        for (size_t i = 0; i < padNumbers.size(); ++i) {
            const QString name =
                i < size_t(setup.names.size()) ? setup.names[qsizetype(i)] : QString();
            choice->addItem(QStringLiteral("%1: %2").arg(i + 1).arg(name));
        }
        const auto at =
            std::find(padNumbers.begin(), padNumbers.end(), setup.seats[size_t(player)]);
        const int index = at == padNumbers.end() ? 0 : int(at - padNumbers.begin()) + 1;
        choice->setCurrentIndex(index);
        shownPad[size_t(player)] = index;
    }
}

TPadSetup TfTeclas::mandos() const {
    TPadSetup setup;
    setup.pads = padNumbers;
    for (size_t i = 0; i < botones.size(); ++i)
        setup.buttons[i] = botones[i]->buttons;
    setup.names = padNames;
    for (int player = 0; player < 2; ++player) {
        const int index = cbMando[size_t(player)]->currentIndex();
        setup.seats[size_t(player)] = index > 0 ? padNumbers[size_t(index - 1)] : -1;
    }
    return setup;
}

// A pad taken from the other player leaves that one the pad this player had.
void TfTeclas::choosePad(int player, int index) {
    QComboBox *other = cbMando[size_t(1 - player)];
    if (index > 0 && other->currentIndex() == index) {
        const QSignalBlocker quiet(other);
        other->setCurrentIndex(shownPad[size_t(player)]);
        shownPad[size_t(1 - player)] = other->currentIndex();
    }
    shownPad[size_t(player)] = index;
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

void TfTeclas::edBotonDown(TPadBox *box, int code) {
    if (code <= 0 || code >= PadButtonCount || PadButtonReserved(code)) {
        beep();
        box->stopListening();
        return;
    }
    if (TPadBox *holder = BotonUsado(code, box)) {
        holder->setFocus();
        box->stopListening();
        beep();
        return;
    }
    box->take(code);
}

// Only the player's own actions count: the two players' buttons are on different pads.
TPadBox *TfTeclas::BotonUsado(int code, const TPadBox *box) const {
    const auto at = std::find(botones.begin(), botones.end(), box);
    const size_t first = at - botones.begin() < 5 ? 0 : 5;
    for (size_t i = first; i < first + 5; ++i)
        if (botones[i] != box && botones[i]->buttons.holds(code))
            return botones[i];
    return nullptr;
}

// The players exchange everything: keys, pad buttons and pads.
void TfTeclas::btnIntercambiarClick() {
    for (int action = 0; action < 5; ++action) {
        std::swap(cajas[action]->code, cajas[action + 5]->code);
        showName(cajas[action]);
        showName(cajas[action + 5]);
        const PadPair first = botones[size_t(action)]->buttons;
        botones[size_t(action)]->setButtons(botones[size_t(action + 5)]->buttons);
        botones[size_t(action + 5)]->setButtons(first);
    }
    const int pad1 = cbMando[0]->currentIndex(), pad2 = cbMando[1]->currentIndex();
    for (int player = 0; player < 2; ++player) {
        const QSignalBlocker quiet(cbMando[size_t(player)]);
        cbMando[size_t(player)]->setCurrentIndex(player == 0 ? pad2 : pad1);
        shownPad[size_t(player)] = player == 0 ? pad2 : pad1;
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
                   int language, QWidget *parent, TPadSetup *pads) {
    auto dialog = std::make_unique<TfTeclas>(parent);
    dialog->bindKeyNames(language);
    dialog->setTeclas(TeclasJuego);
    dialog->setTeclasReservadas(TeclasReservadas);
    if (pads)
        dialog->setMandos(*pads);
    if (dialog->exec() != 1)
        return false;
    TeclasJuego = dialog->teclas();
    if (pads)
        *pads = dialog->mandos();
    return true;
}
