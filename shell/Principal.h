#pragma once

#include "dialogs/DialogZoom.h"
#include "engine/Game.h"
#include "engine/Host.h"
#include "engine/ReplayRecorder.h"
#include "services/ReplayFiles.h"
#include "shell/ClockDriver.h"
#include "shell/Mandos.h"
#include "shell/ReplayBar.h"
#include "shell/Sonidos.h"
#include "shell/Widgets.h"
#include "shell/Zoom.h"

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QKeyEvent;
class QMenu;
class TCristal;
class TRecords;
class TRedJuego;
struct NetChoice;
class ReplayWatch;

// Unit Principal: the game's one window. It shows both wells, the scoreboard and the
// status strips, owns the game, the driver of its clock and the sound cues, runs the menu
// commands and answers the game's requests for dialogs, sound and events.
class TfPrincipal : public QWidget, public IGameHost {
    Q_OBJECT
public:
    // pictures gives the game's pictures, decoded elsewhere meanwhile; by default they
    // are read here.
    explicit TfPrincipal(QWidget *parent = nullptr, std::function<TPictures()> pictures = {});
    ~TfPrincipal() override;

    Game &juego() { return *game; }
    // The high-score object lives beside the window, created after it.
    void setTablaRecords(TRecords *tables) { tablaRecords = tables; }
    // The stage file could not be read: no game can be played.
    bool stageFileFailed() const { return !stagesLoaded; }
    // Closing from a shutdown signal skips the question (the game is stopped anyway).
    void setCloseWithoutAsking(bool on) { closeWithoutAsking = on; }
    // Store the settings now if keys, names or language changed since the last store.
    void storeSettingsIfChanged();
    // Starts reading the game controllers; without them the game plays with keys.
    void startPads();
    // Starts the pads when one may be connected, now or later.
    void awaitPads();
    TMandos &mandos() { return *Mandos; }

    // Whether the mixer exists: it comes with the first game.
    bool soundPrepared() const { return Sonidos.SoundMix() != nullptr; }

    // The window outline built by CrearRegion, at factor 1.
    const QRegion &region() const { return regionForma; }

    // The window size factor the player chose (or the first start picked), which is
    // stored; the window shows the largest that fits its screen, up to it.
    int zoom() const { return chosenZoom; }
    // How the game is drawn now: the window's factor, or full screen's factor and origin.
    const PixelScale &pixelScale() const { return scale; }
    bool isFullScreenShown() const { return fullScreenShown; }

    // Components, named as the game knows them.
    TImagen *imgFondo1, *imgFondo2, *imgMarcador, *imgSgtes1, *imgSgtes2;
    TImagen *imgStatus1, *imgStatus2;
    TCristal *imgCristal;
    TEtiqueta *lblJugador1, *lblJugador2, *lblPuntos1, *lblPuntos2;
    TEtiqueta *lblEliminadas1, *lblEliminadas2, *lblNivel1, *lblNivel2, *lblFase;
    TEtiqueta *lblRocas1, *lblStatus1, *lblRocas2, *lblStatus2;
    // How to begin, in the status strips while no game runs.
    TEtiqueta *lblPista1, *lblPista2;
    TBotonPlano *btnMenu, *btnMinimizar, *btnCerrar;
    // The game's timers on its clock, which the driver paces in real time.
    ITimer *Timer1, *Timer2, *TimerDibujar1, *TimerDibujar2, *TimerStatus;
    QMenu *Menu;
    QAction *mnRed;
    TEtiqueta *lblRed;
    QAction *mnNuevoJuego, *mnPausa, *mnMejores, *mnTipoJuego, *mnUnJugador, *mnDosJugadores,
        *mnUnoUno, *mnTeclas, *mnSonido, *mnIdioma, *mnEnglish, *mnEspaniol, *mnAyuda, *mnAcercaDe,
        *mnSalir;
    // The replays window and watching the last game.
    QAction *mnRepeticiones, *mnVerUltima;
    // The window-size submenu and its items for the factors 1 to 4; full screen.
    QAction *mnTamano, *mnPantallaCompleta;
    std::array<QAction *, 4> mnTamanos{};
    // Who plays each side: the "Players" submenu, and per player its items, the person
    // first, then the CPU levels from Beginner to Master.
    QAction *mnJugadores;
    std::array<std::array<QAction *, 6>, 2> mnControles{};

    // Commands of the buttons and the menu.
    void btnMenuClick();
    void mnRepeticionesClick();
    void mnVerUltimaClick();
    void btnMinimizarClick();
    void mnSalirClick() { close(); }
    void mnIdiomaClick(QAction *item);
    void mnMejoresClick();
    void mnAcercaDeClick();
    // Window size: applied at once and stored.
    void mnTamanoClick(int factor);
    // Full screen on or off (F11, the menu item; Esc leaves it).
    void mnPantallaCompletaClick(bool on);
    // Player (1 or 2) is played by a person (word "person") or a CPU level's word; stored,
    // and taken by the game at once, or when the game in progress ends.
    void mnControlClick(int player, const QString &word);
    void AplicacionDesactivada();
    // The network game: the dialog, or while one runs the question whether to leave it.
    void mnRedClick();
    // Starts a network game as chosen; false (after a message) when the network could
    // not be opened. limitSteps: the host's game-time limit (0: the default).
    bool IniciarRed(const NetChoice &choice, std::uint32_t limitSteps = 0);
    TRedJuego *redJuego() { return red.get(); }
    // Dragging by the glass layer over the scoreboard.
    void imgCristalMouseDown(const QPoint &globalPos);
    void imgCristalMouseMove(const QPoint &globalPos);
    void imgCristalMouseUp();

    // IGameHost
    int MostrarMensaje(const QString &text, const QString &caption, bool withCancel) override;
    void showError(const QString &text, const QString &caption) override;
    void PedirNombres(QString &name1, QString &name2) override;
    void PedirNombre(int player, QString &name, const QString &rival) override;
    void NuevoRecordFases(int points, int stage, QString &name) override;
    void NuevoRecordFasesCpu(int points, int stage, const QString &name) override;
    void NuevoRecordVs(int points, bool won, const QString &name) override;
    QString NombreVs(int row) override;
    void showFinal() override;
    void showHighScores() override;
    bool PedirTeclas(std::array<std::uint16_t, 10> &keys,
                     const std::array<bool, 256> &reserved) override;
    void playSound(TSonido wave, int channel) override;
    void setMixerActive(bool on) override;
    void pauseItemChanged(bool enabled, bool paused) override;
    void gameModeChanged(GameMode mode) override;
    void processEvents() override;
    void waitUntil(const std::function<bool()> &done, GameClock &clock) override;
    // Hands the game an input through the clock driver.
    void post(InputKind kind, int code = 0);
    ClockDriver &clockDriver() { return *driver; }

    // Replays. Every game is recorded into the library; a replay is watched in the
    // window with the controls in the status strips, and can be played on from the
    // moment shown with the recorded players' controllers.
    ReplayLibrary &replayLibrary() { return replays; }
    ReplayRecorder &replayRecorder() { return *recorder; }
    ReplayWatch *replayWatch() const { return watch.get(); }
    // False (with the reason shown) when the file is no replay or a running game is kept.
    bool watchReplay(const QString &path);
    void stopWatching();
    void playFromHere();
    // Makes the controllers a replay names when playing on; a word it cannot make
    // gives the keyboard.
    void setControllerFactory(ControllerFactory factory) { controllerFactory = std::move(factory); }
    ReplayControls controles;
    // The bindings of the window's views, for a game shown on them.
    GameBindings viewBindings(IGameHost *host);
    TSonidos &sonidos() { return Sonidos; }

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createComponents();
    void createLabels();
    void showStartHints(bool on);
    void createButtons();
    void createMenu();
    void connectMenu();
    void createGame();
    void loadPictures();
    void CrearRegion();
    void LeerConfiguracion();
    void GuardarConfiguracion();
    void setMenuCaption(QAction *item, int textId);
    void loadLanguagePictures();
    void scheduleSettingsCheck();
    void createZoomMenu(QMenu *menu);
    void refreshZoomItems();
    QRect availableArea() const;
    void applyWindowZoom(int factor);
    void applyScale(const PixelScale &next);
    void leaveFullScreen();
    void fullScreenKeys(const QKeyEvent &key);
    void updatePointer();
    void createReplays();
    void createReplayControls();
    void watchMoved();
    bool watchKey(const QKeyEvent &key, int code);
    void replayGameEnded();
    void createPlayersMenu(QMenu *menu);
    void refreshPlayersMenu();
    void applyPlayers();
    void createPads();
    // A player's pad went away: a running game pauses, and the player is told.
    void padLost(int player);
    // While a network game runs, the local player's keys and the commands go to it.
    bool netKey(int code);
    void netCommand(InputKind kind, int code);
    bool askLeaveNetwork();
    void endNetworkGame();
    void setNetworkMenus(bool playing);

    struct Stored {
        std::array<std::uint16_t, 10> keys{};
        QString name1, name2;
        int language = -1;
        int zoom = 0;
        std::array<QString, 2> players;
        TBotonesMando pads{};
        int netPort = 0;
        bool netAnnounce = true;
        bool operator==(const Stored &) const = default;
    };
    Stored currentSettings() const;

    ReplayLibrary replays;
    std::unique_ptr<Game> game;
    std::unique_ptr<ReplayRecorder> recorder;
    std::unique_ptr<ReplayWatch> watch;
    ControllerFactory controllerFactory;
    // The player's own keys, given back when a game played on from a replay (with the
    // recorded keys) is over.
    struct KeysToRestore {
        std::array<std::uint16_t, 10> own, recorded;
    };
    std::optional<KeysToRestore> keysToRestore;
    ClockDriver *driver = nullptr;
    TMandos *Mandos = nullptr;
    std::function<TPictures()> takePictures;
    TSonidos Sonidos;
    TRecords *tablaRecords = nullptr;
    QRegion regionForma;
    QPoint OrigenArrastre;
    bool arrastrando = false;
    bool shown = false;
    bool stagesLoaded = false;
    bool closeWithoutAsking = false;
    bool settingsCheckPending = false;
    Stored lastStored;
    int chosenZoom = 0;
    int windowFactor = 1;
    PixelScale scale;
    bool fullScreenShown = false;
    QPoint placeBeforeFullScreen;
    bool gameRunning = false;
    // A game is in progress (started, not ended): a new choice of players waits for its end.
    bool gameInProgress = false;
    std::array<QString, 2> chosenPlayers{QStringLiteral("person"), QStringLiteral("person")};
    TDialogZoom dialogZoom;
    int puertoRed = 0;
    bool anunciarRed = true;
    // Destroyed before the game it drives.
    std::unique_ptr<TRedJuego> red;
};
