#pragma once

#include <QString>

#include <functional>
#include <memory>

class Game;

// Where one player's moves come from. The keyboard is the default; a CPU player, a
// network peer or a replay plug in here without the engine knowing which it is. A
// controller makes moves by handing the game inputs (Game::input), so every move is
// stamped and logged alike.
class PlayerController {
public:
    virtual ~PlayerController() = default;
    // True when the game keys of this player drive it (FormKeyDown).
    virtual bool takesKeys() const = 0;
    // True when it wants step() called on the game clock's controller timer.
    virtual bool needsSteps() const { return false; }
    // A moment to look at the game and make moves; called every ControlInterval ms.
    virtual void step(Game &game, int player) { (void)game, (void)player; }
    // A new game started, or the game ended (forget any plan).
    virtual void reset() {}
    // The name the player plays under when the controller is not a person ("CPU
    // Master"); empty for a person, whose name the names dialog asks.
    virtual QString playerName() const { return {}; }
    // One word naming who plays, as a replay records it and makes the controller again
    // to play on from it: "person" for the keyboard, a CPU level's name, "network".
    virtual QString controllerWord() const { return QStringLiteral("person"); }
};

// Makes the controller a word names; null when there is none of that name (the
// keyboard then plays). The shell provides it.
using ControllerFactory = std::function<std::unique_ptr<PlayerController>(const QString &word)>;

// The player's game keys make its moves.
class KeyboardController : public PlayerController {
public:
    bool takesKeys() const override { return true; }
};
