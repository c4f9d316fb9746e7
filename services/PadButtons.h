#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

// The buttons of a game controller as the game names and stores them, whatever library
// reads the pads. The stick's four directions and the two triggers count as buttons.
enum class PadButton : std::uint8_t {
    None,
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStickClick,
    RightStickClick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
    StickLeft,
    StickRight,
    StickUp,
    StickDown,
    LeftTrigger,
    RightTrigger,
};

constexpr int PadButtonCount = int(PadButton::RightTrigger) + 1;

constexpr std::uint8_t Code(PadButton button) {
    return std::uint8_t(button);
}

// The buttons one action answers to: up to two, None for an empty place.
struct PadPair {
    std::uint8_t first = 0, second = 0;

    bool holds(int code) const { return code != 0 && (first == code || second == code); }
    bool operator==(const PadPair &) const = default;
};

// Each player's left, right, rotate, step down and throw: player 1's five, then player
// 2's, in the order of the game keys.
using TBotonesMando = std::array<PadPair, 10>;

constexpr PadPair Pair(PadButton a, PadButton b = PadButton::None) {
    return {Code(a), Code(b)};
}

// D-pad and stick move and step down, A and B rotate, Y and up throw.
constexpr std::array<PadPair, 5> DefaultPadActions = {
    Pair(PadButton::DpadLeft, PadButton::StickLeft),
    Pair(PadButton::DpadRight, PadButton::StickRight),
    Pair(PadButton::A, PadButton::B),
    Pair(PadButton::DpadDown, PadButton::StickDown),
    Pair(PadButton::Y, PadButton::DpadUp),
};

constexpr TBotonesMando DefaultPadButtons = {
    DefaultPadActions[0], DefaultPadActions[1], DefaultPadActions[2], DefaultPadActions[3],
    DefaultPadActions[4], DefaultPadActions[0], DefaultPadActions[1], DefaultPadActions[2],
    DefaultPadActions[3], DefaultPadActions[4]};

// Start pauses, Back opens the menu, Guide belongs to the system: none is a game button.
bool PadButtonReserved(int code);

// The action (0 left ... 4 throw) of player 1 or 2 that the button makes, or -1.
int PadAction(const TBotonesMando &buttons, int player, int code);

// A button's name in the current language; a code outside the buttons has none.
QString PadButtonName(int code);
// "A, B": the names of an action's buttons.
QString PadPairName(const PadPair &pair);

// The stored form: two bytes per action, 20 in all. Decoding refuses a value of another
// size or holding a code that is no button.
QByteArray EncodePadButtons(const TBotonesMando &buttons);
bool DecodePadButtons(const QByteArray &bytes, TBotonesMando &buttons);

// The pads as the key dialog offers them: both players' buttons, the pads connected
// (numbers and names in the order they came) and which one each player has (-1: none).
struct TPadSetup {
    TBotonesMando buttons = DefaultPadButtons;
    std::vector<int> pads;
    QStringList names;
    std::array<int, 2> seats{-1, -1};
};
