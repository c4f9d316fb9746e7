#pragma once

#include "engine/Input.h"
#include "pad/Gamepads.h"
#include "pad/PadRepeat.h"
#include "pad/PadSeats.h"
#include "services/PadButtons.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// The window's pads. Read every few milliseconds on the user-interface thread; a press
// goes to the open menu or dialog (PadNavigate), else to the game: a player's buttons
// make that player's moves, Start pauses and continues, Back opens the menu. Held
// directions and held moves left, right and down repeat at the keyboard's pace. Pads
// play for the players in the order they come; one that goes away is reported.
class TMandos : public QObject {
    Q_OBJECT
public:
    explicit TMandos(QObject *parent = nullptr);

    // Starts reading the pads; false when SDL cannot be had (the game plays with keys,
    // nothing is reported).
    bool start();
    void stop();
    bool running() const { return pads.running(); }
    // Reads the pads now and acts on what happened; the timer does it on its own.
    void poll();

    PadSeats &seats() { return seatTable; }
    const PadSeats &seats() const { return seatTable; }
    QString padName(int pad) const { return pads.name(pad); }

    // Both players' pad buttons.
    TBotonesMando Botones = DefaultPadButtons;

    // What presses outside menus and dialogs do. All are called after the poll has
    // returned, so whatever they open keeps the pads working.
    std::function<void(int player, Move move)> OnMove;
    std::function<void()> OnStart, OnBack;
    // The pad of a player went away.
    std::function<void(int player)> OnLost;

    // Milliseconds of a steady clock; tests replace it.
    std::function<std::int64_t()> now;

    // How often the pads are read: often while a pad is connected, seldom otherwise
    // (only to see one come).
    static constexpr int PollMs = 8;
    static constexpr int IdlePollMs = 250;
    // Held buttons repeat after this long, at the keyboard's repeat rate.
    static constexpr int RepeatDelayMs = 500;

private:
    void handle(const PadEvent &event);
    void press(int pad, PadButton button, bool repeated);
    bool repeats(int pad, PadButton button) const;
    void later(std::function<void()> work);
    void pace();

    Gamepads pads;
    PadSeats seatTable;
    PadRepeat repeat;
    QTimer timer;
    QElapsedTimer steady;
    // What was open at the last poll: held buttons repeat only where they were pressed.
    QPointer<QWidget> lastContext;
    bool lastHadContext = false;
    std::vector<PadEvent> events;
};
