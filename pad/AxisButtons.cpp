#include "pad/AxisButtons.h"

AxisButtons::Change AxisButtons::update(int value) {
    PadButton now = PadButton::None;
    if (value <= -PressAt || (state == negative && value < -ReleaseBelow))
        now = negative;
    else if (value >= PressAt || (state == positive && value > ReleaseBelow))
        now = positive;
    Change change;
    if (now == state)
        return change;
    change.released = state;
    change.pressed = now;
    state = now;
    return change;
}

AxisButtons::Change TriggerButton::update(int value) {
    const bool now = value >= AxisButtons::PressAt || (down && value > AxisButtons::ReleaseBelow);
    AxisButtons::Change change;
    if (now == down)
        return change;
    down = now;
    (now ? change.pressed : change.released) = button;
    return change;
}
