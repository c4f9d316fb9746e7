#include "shell/Principal.h"

#include "shell/LatencyProbe.h"
#include "shell/ReplayWatch.h"

#include "ai/CpuController.h"
#include "ai/Levels.h"
#include "core/Texts.h"
#include "dialogs/TranslateForm.h"
#include "services/VirtualKeys.h"

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QMenu>

namespace {
// The key shown beside an item; the keys act through the key handler only.
QString KeyShown(const QAction *item) {
    return item->property("KeyShown").toString();
}
} // namespace

namespace {
QAction *NewItem(QMenu *in, const char *name, int tag, const char *key = nullptr) {
    QAction *a = in->addAction(GetText(tag));
    a->setObjectName(QLatin1String(name));
    a->setProperty("Tag", tag);
    if (key)
        a->setProperty("KeyShown", QLatin1String(key));
    return a;
}

QAction *NewSubmenu(QMenu *in, const char *name, int tag) {
    QAction *a = in->addMenu(GetText(tag))->menuAction();
    a->setObjectName(QLatin1String(name));
    a->setProperty("Tag", tag);
    return a;
}

// Checkable items of which exactly one is checked.
void RadioGroup(QObject *owner, std::initializer_list<QAction *> items) {
    auto *group = new QActionGroup(owner);
    for (QAction *a : items) {
        a->setCheckable(true);
        group->addAction(a);
    }
}
} // namespace

void TfPrincipal::createMenu() {
    Menu = new QMenu(this);
    Menu->setObjectName(QStringLiteral("Menu"));
    Menu->setProperty("Tag", 65536);
    mnNuevoJuego = NewItem(Menu, "mnNuevoJuego", 10100, "F2");
    mnRed = NewItem(Menu, "mnRed", 17000);
    mnPausa = NewItem(Menu, "mnPausa", 10101, "F3");
    mnPausa->setEnabled(false);
    mnMejores = NewItem(Menu, "mnMejores", 10102);
    mnRepeticiones = NewItem(Menu, "mnRepeticiones", 16227);
    mnVerUltima = NewItem(Menu, "mnVerUltima", 16228);
    Menu->addSeparator();
    mnTipoJuego = NewSubmenu(Menu, "mnTipoJuego", 10103);
    // The game-mode items carry their text ids, which also name the mode they select.
    QMenu *modes = mnTipoJuego->menu();
    mnUnJugador = NewItem(modes, "mnUnJugador", 10015);
    mnDosJugadores = NewItem(modes, "mnDosJugadores", 10016);
    mnUnoUno = NewItem(modes, "mnUnoUno", 10017);
    RadioGroup(this, {mnUnJugador, mnDosJugadores, mnUnoUno});
    mnUnJugador->setChecked(true);
    mnTeclas = NewItem(Menu, "mnTeclas", 10104, "F5");
    mnSonido = NewItem(Menu, "mnSonido", 10105);
    mnSonido->setCheckable(true);
    mnSonido->setChecked(true);
    createPlayersMenu(Menu);
    createZoomMenu(Menu);
    Menu->addSeparator();
    mnIdioma = NewSubmenu(Menu, "mnIdioma", 10106);
    // The language items carry their language numbers; their captions stay as they are.
    mnEnglish = NewItem(mnIdioma->menu(), "mnEnglish", 0);
    mnEnglish->setText(QStringLiteral("English"));
    mnEspaniol = NewItem(mnIdioma->menu(), "mnEspaniol", 1);
    mnEspaniol->setText(QStringLiteral("Español"));
    RadioGroup(this, {mnEnglish, mnEspaniol});
    Menu->addSeparator();
    mnAyuda = NewItem(Menu, "mnAyuda", 10107, "F1");
    mnAcercaDe = NewItem(Menu, "mnAcercaDe", 10108);
    Menu->addSeparator();
    mnSalir = NewItem(Menu, "mnSalir", 10109);
    for (QAction *a : Menu->actions())
        if (!KeyShown(a).isEmpty())
            setMenuCaption(a, a->property("Tag").toInt());
    connectMenu();
}

void TfPrincipal::createZoomMenu(QMenu *menu) {
    mnTamano = NewSubmenu(menu, "mnTamano", 10110);
    // The size items carry their factors; their captions are the same in every language.
    for (int factor = 1; factor <= int(mnTamanos.size()); ++factor) {
        const QByteArray name = "mnTamano" + QByteArray::number(factor);
        QAction *item = NewItem(mnTamano->menu(), name.constData(), 0);
        item->setText(QString(QChar(0xD7)) + QString::number(factor));
        item->setProperty("Zoom", factor);
        connect(item, &QAction::triggered, this, [this, factor] { mnTamanoClick(factor); });
        mnTamanos[size_t(factor - 1)] = item;
    }
    RadioGroup(this, {mnTamanos[0], mnTamanos[1], mnTamanos[2], mnTamanos[3]});
    connect(mnTamano->menu(), &QMenu::aboutToShow, this, &TfPrincipal::refreshZoomItems);
    mnPantallaCompleta = NewItem(menu, "mnPantallaCompleta", 10111, "F11");
    mnPantallaCompleta->setCheckable(true);
    connect(mnPantallaCompleta, &QAction::triggered, this, &TfPrincipal::mnPantallaCompletaClick);
}

// The word of the item at index (0 the person, then the levels).
static QString ControlWord(int index) {
    return index == 0 ? QStringLiteral("person")
                      : QString::fromLatin1(CpuLevelWord(CpuLevel(index - 1)));
}

void TfPrincipal::createPlayersMenu(QMenu *menu) {
    mnJugadores = NewSubmenu(menu, "mnJugadores", 10112);
    for (int n = 1; n <= 2; ++n) {
        QAction *side = NewSubmenu(mnJugadores->menu(), n == 1 ? "mnJugador1" : "mnJugador2",
                                   n == 1 ? 12000 : 12001);
        auto &items = mnControles[size_t(n - 1)];
        for (int i = 0; i <= CpuLevelCount; ++i) {
            const QByteArray name = "mnControl" + QByteArray::number(n) + QByteArray::number(i);
            // The person's item translates by its tag; the CPU items are named on showing.
            items[size_t(i)] = NewItem(side->menu(), name.constData(), i == 0 ? 10113 : 0);
            const QString word = ControlWord(i);
            connect(items[size_t(i)], &QAction::triggered, this,
                    [this, n, word] { mnControlClick(n, word); });
        }
        RadioGroup(this, {items[0], items[1], items[2], items[3], items[4], items[5]});
    }
    connect(mnJugadores->menu(), &QMenu::aboutToShow, this, &TfPrincipal::refreshPlayersMenu);
}

void TfPrincipal::refreshPlayersMenu() {
    for (size_t side = 0; side < mnControles.size(); ++side) {
        for (int i = 0; i <= CpuLevelCount; ++i) {
            QAction *item = mnControles[side][size_t(i)];
            if (i > 0)
                item->setText(GetTextFmt(16005, {CpuLevelName(CpuLevel(i - 1))}));
            item->setChecked(ControlWord(i) == chosenPlayers[side]);
        }
    }
}

void TfPrincipal::mnControlClick(int player, const QString &word) {
    chosenPlayers[size_t(player - 1)] = word;
    if (!gameInProgress)
        applyPlayers();
    storeSettingsIfChanged();
}

// The game's controllers follow the players chosen; a word that names no level (a
// stored value from elsewhere) is a person.
void TfPrincipal::applyPlayers() {
    for (int n = 1; n <= 2; ++n) {
        CpuLevel level;
        const QString &word = chosenPlayers[size_t(n - 1)];
        if (ParseCpuLevel(word, level))
            game->setController(n, MakeCpuController(level));
        else
            game->setController(n, std::make_unique<KeyboardController>());
    }
}

void TfPrincipal::connectMenu() {
    connect(mnNuevoJuego, &QAction::triggered, this, [this] { post(InputKind::NewGame); });
    connect(mnPausa, &QAction::triggered, this, [this] { post(InputKind::Pause); });
    connect(mnMejores, &QAction::triggered, this, &TfPrincipal::mnMejoresClick);
    connect(mnRed, &QAction::triggered, this, &TfPrincipal::mnRedClick);
    connect(mnRepeticiones, &QAction::triggered, this, &TfPrincipal::mnRepeticionesClick);
    connect(mnVerUltima, &QAction::triggered, this, &TfPrincipal::mnVerUltimaClick);
    connect(mnUnJugador->actionGroup(), &QActionGroup::triggered, this, [this](QAction *a) {
        const int tag = a->property("Tag").toInt();
        const GameMode mode = tag == 10015   ? GameMode::OnePlayer
                              : tag == 10016 ? GameMode::TwoPlayers
                                             : GameMode::OneToOne;
        post(InputKind::SelectMode, int(mode));
        // The game reports the mode in force; a cancelled change keeps the old mark.
        gameModeChanged(game->TipoJuego);
    });
    connect(mnTeclas, &QAction::triggered, this, [this] {
        post(InputKind::KeysDialog);
        storeSettingsIfChanged();
    });
    connect(mnSonido, &QAction::toggled, this, [this](bool on) {
        post(InputKind::Sound, on);
        Sonidos.Habilitado = on;
    });
    connect(mnEnglish->actionGroup(), &QActionGroup::triggered, this, &TfPrincipal::mnIdiomaClick);
    connect(mnAyuda, &QAction::triggered, this, [this] { post(InputKind::Help); });
    connect(mnAcercaDe, &QAction::triggered, this, &TfPrincipal::mnAcercaDeClick);
    connect(mnSalir, &QAction::triggered, this, &TfPrincipal::mnSalirClick);
}

void TfPrincipal::setMenuCaption(QAction *item, int textId) {
    const QString key = KeyShown(item);
    item->setText(key.isEmpty() ? GetText(textId) : GetText(textId) + QLatin1Char('\t') + key);
}

void TfPrincipal::btnMenuClick() {
    if (watch)
        watch->setPaused(true);
    else
        post(InputKind::PauseIfRunning);
    // Placed from the window's own geometry: under a window manager the native window's
    // cached position, which mapToGlobal reads, can stay at the origin after the
    // placement in showEvent.
    const QPoint underButton = btnMenu->geometry().bottomLeft() + QPoint(0, 1);
    Menu->popup(geometry().topLeft() + underButton);
}

void TfPrincipal::pauseItemChanged(bool enabled, bool paused) {
    // The pause item is enabled exactly while a game is in progress.
    showStartHints(!enabled);
    const bool ended = gameInProgress && !enabled;
    gameInProgress = enabled;
    // A network game's seats stay until the network game is over.
    if (ended && !red)
        applyPlayers();
    mnPausa->setEnabled(enabled);
    setMenuCaption(mnPausa, paused ? 10011 : 10012);
    // The pause item is enabled exactly while a game is in progress.
    gameRunning = enabled && !paused;
    updatePointer();
}

void TfPrincipal::gameModeChanged(GameMode mode) {
    QAction *item = mode == GameMode::OnePlayer    ? mnUnJugador
                    : mode == GameMode::TwoPlayers ? mnDosJugadores
                                                   : mnUnoUno;
    item->setChecked(true);
}

bool TfPrincipal::event(QEvent *e) {
    // The window sees every key before any control, and a key is never consumed.
    if (e->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(e);
        fullScreenKeys(*key);
        if (key->key() == Qt::Key_M && (key->modifiers() & Qt::AltModifier)) {
            btnMenuClick();
            return true;
        }
        const int code = VirtualKeyFromEvent(*key);
        if (watch && watchKey(*key, code))
            return true;
        if (code > 0 && code < 256 && red) {
            netKey(code);
            return true;
        }
        if (code > 0 && code < 256) {
            LatencyProbe::keyReceived();
            driver->post(Input::key(code));
            return true;
        }
    }
    return QWidget::event(e);
}
