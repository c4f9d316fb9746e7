// The game controllers through SDL, with virtual pads: what a pad does arrives as the
// game's own events, SDL takes no signal of the program's, and no pad is no event.
#include "pad/Gamepads.h"
#include "tests/pad/VirtualPad.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {
using Kind = PadEvent::Kind;

std::vector<PadEvent> Poll(Gamepads &pads) {
    std::vector<PadEvent> events;
    pads.poll(events);
    return events;
}

PadEvent Event(Kind kind, int pad, PadButton button = PadButton::None) {
    return {kind, pad, button};
}

// The events of one pad: SDL tells the pads in an order of its own, and the buttons
// that changed at one reading in the order of their numbers.
std::vector<PadEvent> Of(const std::vector<PadEvent> &events, int pad) {
    std::vector<PadEvent> mine;
    for (const PadEvent &e : events)
        if (e.pad == pad)
            mine.push_back(e);
    return mine;
}

void Handler(int) {}
} // namespace

TEST(Gamepads, StartingLeavesTheProgramsSignalHandlers) {
    struct sigaction ours {};
    ours.sa_handler = Handler;
    sigemptyset(&ours.sa_mask);
    struct sigaction before[3];
    const int shutdownSignals[] = {SIGTERM, SIGINT, SIGHUP};
    for (int i = 0; i < 3; ++i)
        sigaction(shutdownSignals[i], &ours, &before[i]);
    {
        Gamepads pads;
        ASSERT_TRUE(pads.start());
        for (int sig : shutdownSignals) {
            struct sigaction now {};
            sigaction(sig, nullptr, &now);
            EXPECT_EQ(now.sa_handler, &Handler) << sig;
        }
        EXPECT_TRUE(Poll(pads).empty()) << "no pad, no event";
        // Only the controllers: SDL's video and audio stay off.
        EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO | SDL_INIT_AUDIO), 0u);
    }
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u) << "stopped with the pads";
    for (int i = 0; i < 3; ++i)
        sigaction(shutdownSignals[i], &before[i], nullptr);
}

TEST(Gamepads, ButtonsSticksAndTriggersOfTwoPads) {
    Gamepads pads;
    ASSERT_TRUE(pads.start());
    VirtualPad one("First pad"), two("Second pad");
    const auto connected = Poll(pads);
    ASSERT_EQ(connected.size(), 2u);
    EXPECT_EQ(Of(connected, one.id()), (std::vector{Event(Kind::Connected, one.id())}));
    EXPECT_EQ(Of(connected, two.id()), (std::vector{Event(Kind::Connected, two.id())}));
    EXPECT_NE(one.id(), two.id());
    EXPECT_EQ(pads.name(one.id()), "First pad");
    EXPECT_EQ(pads.name(two.id()), "Second pad");

    one.press(SDL_CONTROLLER_BUTTON_A);
    two.press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    two.press(SDL_CONTROLLER_BUTTON_START);
    auto events = Poll(pads);
    EXPECT_EQ(events.size(), 3u);
    EXPECT_EQ(Of(events, one.id()), (std::vector{Event(Kind::Pressed, one.id(), PadButton::A)}));
    EXPECT_EQ(Of(events, two.id()),
              (std::vector{Event(Kind::Pressed, two.id(), PadButton::Start),
                           Event(Kind::Pressed, two.id(), PadButton::DpadLeft)}));
    one.release(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(Poll(pads), (std::vector<PadEvent>{Event(Kind::Released, one.id(), PadButton::A)}));

    // Drift does nothing; the stick pushed down and to the right is two buttons.
    one.axis(SDL_CONTROLLER_AXIS_LEFTX, 6000);
    one.axis(SDL_CONTROLLER_AXIS_LEFTY, -7000);
    EXPECT_TRUE(Poll(pads).empty());
    one.axis(SDL_CONTROLLER_AXIS_LEFTX, 30000);
    one.axis(SDL_CONTROLLER_AXIS_LEFTY, 25000);
    events = Poll(pads);
    EXPECT_EQ(events,
              (std::vector<PadEvent>{Event(Kind::Pressed, one.id(), PadButton::StickRight),
                                     Event(Kind::Pressed, one.id(), PadButton::StickDown)}));
    one.axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_EQ(Poll(pads),
              (std::vector<PadEvent>{Event(Kind::Released, one.id(), PadButton::StickRight)}));
    // The right stick is not the game's.
    one.axis(SDL_CONTROLLER_AXIS_RIGHTX, 30000);
    EXPECT_TRUE(Poll(pads).empty());
    one.axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MAX);
    EXPECT_EQ(Poll(pads),
              (std::vector<PadEvent>{Event(Kind::Pressed, one.id(), PadButton::RightTrigger)}));
}

TEST(Gamepads, APadUnpluggedIsGoneWithWhatItHeld) {
    Gamepads pads;
    ASSERT_TRUE(pads.start());
    VirtualPad pad;
    Poll(pads);
    const int id = pad.id();
    pad.press(SDL_CONTROLLER_BUTTON_B);
    Poll(pads);
    pad.unplug();
    const auto events = Poll(pads);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), Event(Kind::Disconnected, id));
    // Whatever SDL tells before it, a held button is let go, never pressed again.
    for (size_t i = 0; i + 1 < events.size(); ++i)
        EXPECT_EQ(events[i].kind, Kind::Released);
    EXPECT_TRUE(pads.name(id).isEmpty());
    EXPECT_TRUE(Poll(pads).empty());

    // Plugged again it is a new pad.
    VirtualPad again;
    const auto back = Poll(pads);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].kind, Kind::Connected);
    EXPECT_NE(back[0].pad, id);
}

TEST(Gamepads, NothingBeforeStartOrAfterStop) {
    Gamepads pads;
    EXPECT_FALSE(pads.running());
    EXPECT_TRUE(Poll(pads).empty());
    ASSERT_TRUE(pads.start());
    pads.stop();
    EXPECT_FALSE(pads.running());
    EXPECT_TRUE(Poll(pads).empty());
    EXPECT_TRUE(pads.name(0).isEmpty());
}
