#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The moves a player makes with the falling pair, whatever makes them: keys, a pad,
// a CPU player, a network peer or a replay.
enum class Move : std::uint8_t { Left, Right, Rotate, StepDown, Throw };

constexpr int MoveCount = 5;

// "left", "right", "rotate", "down", "throw".
const char *MoveName(Move move);
bool ParseMove(const QString &word, Move &move);

// Everything that enters the game from outside. Each is stamped with the game
// clock's time when it is applied, so (time, input) pairs replay a game exactly.
enum class InputKind : std::uint8_t {
    Key,            // code: a virtual-key code, through FormKeyDown
    MoveOf,         // player, code: a Move
    NewGame,        // the new-game command
    Pause,          // the pause command
    SelectMode,     // code: a GameMode
    PauseIfRunning, // losing activation, opening the menu
    Sound,          // code: 1 on, 0 off
    Help,           // the help command
    KeysDialog,     // the key dialog command
};

struct Input {
    InputKind kind = InputKind::Key;
    std::uint8_t player = 0; // 1 or 2 where it applies
    std::int32_t code = 0;

    static Input key(int code) { return {InputKind::Key, 0, code}; }
    static Input move(int player, Move move) {
        return {InputKind::MoveOf, std::uint8_t(player), std::int32_t(move)};
    }
    static Input command(InputKind kind, int code = 0) { return {kind, 0, code}; }
    bool operator==(const Input &) const = default;
};

// What a dialog answered during the game; a replay answers with it again.
enum class AnswerKind : std::uint8_t { Question, Names, NewRecord, Keys };

struct Answer {
    AnswerKind kind = AnswerKind::Question;
    int value = 0; // the question's button (1 OK, 2 Cancel); keys: 1 taken, 0 cancelled
    QString first, second;
    std::array<std::uint16_t, 10> keys{};
};

// How a game came to its end.
enum class GameEnd : std::uint8_t {
    Stopped,   // a new game, a change of mode or the window closing stopped it
    Lost,      // a player was blocked
    Completed, // the last stage was done
};

// Told of every input as it is applied and of every dialog answer, with the clock's
// time: the game's log, for replays and network peers. Also told when a game starts
// (its old game, if any, already stopped; nothing of the new one done yet) and when it
// has ended (every end dialog answered).
class IInputObserver {
public:
    virtual ~IInputObserver() = default;
    virtual void inputApplied(std::int64_t time, const Input &input) { (void)time, (void)input; }
    virtual void answered(std::int64_t time, const Answer &answer) { (void)time, (void)answer; }
    virtual void gameStarted(std::int64_t time) { (void)time; }
    // loser: the blocked player (1 or 2) when how is Lost, else 0.
    virtual void gameEnded(std::int64_t time, GameEnd how, int loser) {
        (void)time, (void)how, (void)loser;
    }
};
