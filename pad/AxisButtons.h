#pragma once

#include "services/PadButtons.h"

#include <cstdint>

// One stick axis seen as two buttons, its negative and its positive direction. A
// direction is pressed past half of the axis's travel and released below a third, so a
// stick's drift near the centre does nothing and a value hovering at the threshold does
// not chatter.
class AxisButtons {
public:
    static constexpr int PressAt = 16384;
    static constexpr int ReleaseBelow = 10923;

    AxisButtons(PadButton negative, PadButton positive) : negative(negative), positive(positive) {}

    struct Change {
        PadButton released = PadButton::None;
        PadButton pressed = PadButton::None;
    };
    // The axis moved to value (-32768 .. 32767): which direction let go, which went down.
    Change update(int value);
    PadButton held() const { return state; }

private:
    PadButton negative, positive;
    PadButton state = PadButton::None;
};

// A trigger (0 .. 32767) seen as a button, pressed past half its travel.
class TriggerButton {
public:
    explicit TriggerButton(PadButton button) : button(button) {}
    AxisButtons::Change update(int value);

private:
    PadButton button;
    bool down = false;
};
