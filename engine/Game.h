#pragma once

#include "clock/GameClock.h"
#include "core/Texts.h"
#include "engine/Controller.h"
#include "engine/Host.h"
#include "engine/Input.h"
#include "engine/Rules.h"
#include "engine/Stages.h"
#include "engine/Tipos.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

// What the game is built on: both players' views, the stage label and the host. None
// of it is owned by the game; any of it may be missing (a headless game).
struct GameBindings {
    std::array<PlayerViews, 2> Players;
    ILabel *StageLabel = nullptr; // lblFase
    IGameHost *Host = nullptr;
};

constexpr int DrawInterval = 25;    // ms, TimerDibujar1 / TimerDibujar2
constexpr int StatusInterval = 250; // ms, TimerStatus
constexpr int ControlInterval = 25; // ms, the controllers' steps
constexpr int LastStage = 25;

// Default game keys: player 1 left, right, rotate, step down, throw; then player 2.
constexpr std::array<std::uint16_t, 10> DefaultKeys = {37, 39, 38, 40, 13, 65, 68, 87, 83, 17};

// The game: both players, the game-wide state of the main window, the engine's
// operations and the window-free session commands (new game, pause, mode, keys).
// Owns the two player records, the random generator and the game clock with its
// timers, whose handlers it wires itself: a host only advances the clock.
class Game {
public:
    Game(const GameBindings &bindings, TPictures pictures, std::uint32_t seed = 1);
    ~Game();
    Game(const Game &) = delete;
    Game &operator=(const Game &) = delete;

    // Game-wide state (fields of the main window).
    bool Jugando = false;
    bool Pausado = false;
    GameMode TipoJuego = GameMode::OnePlayer;
    int FaseActual = 0;
    int Objetivo = 0;
    int Limite = 4;
    bool RocasAzar = false;
    bool LineasRocas = false;
    TFaseTable Fases{};
    std::array<std::uint16_t, 10> TeclasJuego = DefaultKeys;
    std::array<bool, 256> TeclasReservadas{};
    std::array<QString, 5> TextosDerrota;
    bool Sonido = true; // the sound menu item's check mark

    TInfo &player(int number) { return number == 2 ? *p2 : *p1; }
    const TInfo &player(int number) const { return number == 2 ? *p2 : *p1; }
    TInfo &other(const TInfo &p) { return &p == p1.get() ? *p2 : *p1; }
    TRandom &random() { return rng; }
    const TRandom &random() const { return rng; }
    // Timers in firing order at one moment: Timer1, Timer2, TimerDibujar1,
    // TimerDibujar2, TimerStatus, then the controllers' timer.
    GameClock &clock() { return gameClock; }
    const GameClock &clock() const { return gameClock; }
    TPictures &pictures() { return pics; }
    IGameHost &host() { return *hostPtr; }
    // Texts 100..104 of the current language into TextosDerrota.
    void LoadTextosDerrota();
    bool isPauseEnabled() const { return pauseEnabled; }

    // Called around every landing: with after = false once the pair can fall no
    // further, with after = true once its eliminations are done. For observers such
    // as tests and tools; the game does not depend on it.
    std::function<void(const TInfo &, bool after)> LandingHook;

    // Timer handlers; tag 1 is player 1, anything else player 2.
    void TimerTimer(int tag);
    void TimerTimer(ITimer &sender) { TimerTimer(sender.tag()); }
    void TimerDibujarTimer(int tag);
    void TimerDibujarTimer(ITimer &sender) { TimerDibujarTimer(sender.tag()); }
    void TimerStatusTimer();

    // Engine operations.
    void Throw(TInfo &p);
    void Eliminate(TInfo &p, TInfo &other);
    bool RockFall(TInfo &p);
    void StartStage(int n);
    void StageComplete(TInfo &p);
    void PlayerOut(TInfo &p);
    void EndGame(bool lost, TInfo *p);
    void PostStatus(TInfo &p, const QString &text);
    void PostStatusAppend(TInfo &p, const QString &text);
    // Sound cues (only while Sonido is set) and the mixer's activation. A host call
    // that throws is reported once per game through showError; the game goes on.
    void Play(TSonido wave, int channel);
    void SetMixerActive(bool on);

    // Inputs: applied now, at the clock's present moment, and told to the observer.
    void input(const Input &in);
    void setInputObserver(IInputObserver *observer) { inputObserver = observer; }
    IInputObserver *observer() const { return inputObserver; }
    // True while an input is being applied (a game stopped now was stopped by it).
    bool applyingInput() const { return inputDepth > 0; }
    // One move of player (1 or 2) with the falling pair; nothing while paused or
    // while no pair falls.
    void applyMove(int player, Move move);
    // The player's controller; the keyboard unless another was set.
    PlayerController &controller(int player);
    void setController(int player, std::unique_ptr<PlayerController> controller);
    // The name the person of player (1 or 2) last played under: while a CPU plays
    // that side, Name holds the CPU's name and this the person's, for the settings.
    QString personName(int player) const;

    // A copy of the whole game state (both players, queues, generator, clock and
    // game-wide fields) without views, pictures or host, to advance headless. Its host
    // answers every dialog with its default.
    std::unique_ptr<Game> headlessCopy() const;
    // A hash of the whole game state (what headlessCopy copies, pictures aside): equal
    // for two games that will go on alike.
    std::uint64_t stateHash() const;
    // Takes over the whole state of another game (as headlessCopy copies it) and shows
    // it on this game's views: wells, previews, labels, the pause picture. A wait of
    // this game still running gives up.
    void adoptState(const Game &other);
    // Draws the whole state anew on the views (after another game drew on them).
    void showState();

    // Session commands (menu items and keys).
    void mnNuevoJuegoClick();
    void mnPausaClick();
    void mnTipoJuegoClick(GameMode mode);
    void mnAyudaClick();
    void mnTeclasClick();
    void FormKeyDown(int key);
    // Pause a running game that is not paused (losing activation, menu button, ...).
    void PauseIfRunning();

private:
    bool deal(TInfo &p, TInfo &o);
    bool land(TInfo &p, TInfo &o);
    void blocked(TInfo &p, TInfo &o);
    void raiseLevel(TInfo &p);
    void stageTarget(TInfo &p, TInfo &o);
    void generateShared(TInfo &from, TInfo *to, int count);
    void finishPass(TInfo &p, TInfo &o);
    void queueSteps(TInfo &p, const std::vector<RuleEvent> &events);
    void endStages(TInfo &p);
    void liftPause();
    void endOneToOne(TInfo &loser, TInfo &winner);
    void playStep(TInfo &p, int col, int row, int code);
    void showStatus(TInfo &p);
    bool askLeaveGame();
    void startMode();
    void applyPlayerNames();
    void askNames();
    void drawPause(TInfo &p, QImage &buffer);
    void restorePause(TInfo &p, QImage &buffer);
    void redrawPair(TInfo &p);
    void setPauseItem(bool enabled);
    void setTimer(ITimer *timer, bool on);
    void stopAllTimers();
    void showGameOver(TInfo &p);
    bool waitForAnimation(TInfo &p);
    bool waitForStageEnd(TInfo &p);
    void soundFailed(QString message);
    void createTimers();
    void updateControlTimer();
    void copyStateFrom(const Game &other);
    int ask(const QString &text, const QString &caption, bool withCancel);
    void answered(const Answer &answer);
    void recordStages(TInfo &p);
    void ended(GameEnd how, const TInfo *loser);

    TRandom rng;
    GameClock gameClock;
    ITimer *TimerStatus = nullptr;
    ITimer *TimerControl = nullptr;
    std::array<std::unique_ptr<PlayerController>, 2> controllers;
    std::array<std::optional<QString>, 2> keptNames;
    IInputObserver *inputObserver = nullptr;
    TPictures pics;
    GameBindings views;
    std::unique_ptr<IGameHost> ownHost;
    IGameHost *hostPtr;
    std::unique_ptr<TInfo> p1, p2;
    std::array<QImage, 2> buffers; // imgBuffer1, imgBuffer2
    bool pauseEnabled = false;
    bool soundBroken = false, soundReported = false;
    // Bumped at every game start and stop, so a wait inside a tick can tell that the
    // game it belonged to is gone.
    std::uint32_t generation = 0;
    int inputDepth = 0;
    // Set while the last stage's end runs EndGame: its observers hear of the end after
    // the high-score entries.
    bool holdEndNotice = false;
    // What the last elimination or rock fall did, kept to spare allocations.
    Elimination elimination;
};
