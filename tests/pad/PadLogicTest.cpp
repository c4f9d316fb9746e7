// The pads' logic without SDL: sticks as buttons, held buttons repeating, and which pad
// plays for whom.
#include "pad/AxisButtons.h"
#include "pad/PadRepeat.h"
#include "pad/PadSeats.h"

#include <gtest/gtest.h>

namespace {
using Change = AxisButtons::Change;

bool Is(const Change &c, PadButton released, PadButton pressed) {
    return c.released == released && c.pressed == pressed;
}
} // namespace

TEST(AxisButtons, DriftDoesNothingAndThresholdsDoNotChatter) {
    AxisButtons x(PadButton::StickLeft, PadButton::StickRight);
    // A worn stick's drift, both ways, up to just under half its travel.
    for (int v : {0, 3000, -3000, 9000, -9000, 16000, -16383})
        EXPECT_TRUE(Is(x.update(v), PadButton::None, PadButton::None)) << v;
    EXPECT_TRUE(Is(x.update(-16384), PadButton::None, PadButton::StickLeft));
    // Hovering around the threshold keeps it held; below a third lets it go.
    for (int v : {-16000, -16500, -12000, -11000})
        EXPECT_TRUE(Is(x.update(v), PadButton::None, PadButton::None)) << v;
    EXPECT_EQ(x.held(), PadButton::StickLeft);
    EXPECT_TRUE(Is(x.update(-10000), PadButton::StickLeft, PadButton::None));
    // Straight from one side to the other in one reading: let go, then pressed.
    x.update(-32768);
    EXPECT_TRUE(Is(x.update(32767), PadButton::StickLeft, PadButton::StickRight));
    EXPECT_TRUE(Is(x.update(0), PadButton::StickRight, PadButton::None));
}

TEST(AxisButtons, TriggerPressedPastHalfItsTravel) {
    TriggerButton t(PadButton::LeftTrigger);
    EXPECT_TRUE(Is(t.update(16000), PadButton::None, PadButton::None));
    EXPECT_TRUE(Is(t.update(30000), PadButton::None, PadButton::LeftTrigger));
    EXPECT_TRUE(Is(t.update(12000), PadButton::None, PadButton::None));
    EXPECT_TRUE(Is(t.update(0), PadButton::LeftTrigger, PadButton::None));
}

TEST(PadRepeat, HeldButtonsRepeatAfterTheDelayAtTheInterval) {
    PadRepeat r(500, 33);
    r.press(7, 14, 1000);
    EXPECT_TRUE(r.due(1499).empty());
    using Due = std::vector<std::pair<int, int>>;
    EXPECT_EQ(r.due(1500), (Due{{7, 14}}));
    EXPECT_TRUE(r.due(1532).empty());
    EXPECT_EQ(r.due(1533), (Due{{7, 14}}));
    // A late look gives one repeat, not the six it missed, and paces on from then.
    EXPECT_EQ(r.due(1800), (Due{{7, 14}}));
    EXPECT_TRUE(r.due(1832).empty());
    EXPECT_EQ(r.due(1833), (Due{{7, 14}}));

    // Two held, in the order pressed; pressing again restarts the delay.
    r.press(8, 15, 1833);
    r.press(7, 14, 1840);
    EXPECT_TRUE(r.due(2332).empty());
    EXPECT_EQ(r.due(2340), (Due{{8, 15}, {7, 14}}));
    r.release(8, 15);
    EXPECT_EQ(r.due(2373), (Due{{7, 14}}));
    r.releasePad(7);
    EXPECT_TRUE(r.empty());
    EXPECT_TRUE(r.due(99999).empty());
}

TEST(PadSeats, PadsTakeThePlayersInTheOrderTheyCome) {
    PadSeats s;
    EXPECT_EQ(s.connect(4), 1);
    EXPECT_EQ(s.connect(9), 2);
    // A third waits, connected, for nobody.
    EXPECT_EQ(s.connect(11), 0);
    EXPECT_EQ(s.player(11), 0);
    EXPECT_EQ(s.connected(), (std::vector<int>{4, 9, 11}));
    // Told twice, a pad stays where it is.
    EXPECT_EQ(s.connect(9), 2);
    EXPECT_EQ(s.connected().size(), 3u);

    // Player 1's pad goes: the pad connected next takes the free place, not player 2's.
    EXPECT_EQ(s.disconnect(4), 1);
    EXPECT_EQ(s.pad(1), -1);
    EXPECT_EQ(s.pad(2), 9);
    EXPECT_EQ(s.disconnect(11), 0);
    EXPECT_EQ(s.connect(12), 1);
    EXPECT_EQ(s.pad(1), 12);
    EXPECT_EQ(s.disconnect(77), 0);
}

TEST(PadSeats, APlayerGivenTheOtherPlayersPadLeavesThemTheirOwn) {
    PadSeats s;
    s.connect(1);
    s.connect(2);
    s.connect(3);
    s.assign(1, 2);
    EXPECT_EQ(s.pad(1), 2);
    EXPECT_EQ(s.pad(2), 1);
    s.assign(2, 3);
    EXPECT_EQ(s.pad(2), 3);
    EXPECT_EQ(s.player(1), 0);
    s.assign(1, -1);
    EXPECT_EQ(s.pad(1), -1);
    // A pad not connected, or a player that does not exist, changes nothing.
    s.assign(1, 42);
    s.assign(3, 1);
    EXPECT_EQ(s.pad(1), -1);
    EXPECT_EQ(s.pad(2), 3);
    EXPECT_EQ(s.pad(0), -1);
}
