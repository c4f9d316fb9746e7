// Telling whether a pad may be connected from the kernel's device list, and starting
// the pads only when one comes.
#include "pad/PadPresence.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {
const QByteArray Keyboard = "I: Bus=0011 Vendor=0001 Product=0001 Version=ab41\n"
                            "N: Name=\"AT Translated Set 2 keyboard\"\n"
                            "H: Handlers=sysrq kbd leds event0 \n"
                            "B: EV=120013\n"
                            "B: KEY=402000000 3803078f800d001 feffffdfffefffff fffffffffffffffe\n"
                            "\n";
const QByteArray Mouse = "N: Name=\"Logitech USB Optical Mouse\"\n"
                         "H: Handlers=mouse0 event3 \n"
                         "B: KEY=70000 0 0 0 0\n"
                         "B: REL=903\n"
                         "\n";
// A pad's motion sensors come as a device of their own, with axes and no buttons.
const QByteArray Sensors = "N: Name=\"Wireless Controller Motion Sensors\"\n"
                           "H: Handlers=event7 \n"
                           "B: ABS=3f\n"
                           "\n";
// Gamepad buttons from 0x130 up, no joystick handler (joydev not loaded).
const QByteArray Pad = "N: Name=\"Generic X-Box pad\"\n"
                       "H: Handlers=event20 \n"
                       "B: KEY=7cdb000000000000 0 0 0 0\n"
                       "B: ABS=3003f\n"
                       "\n";
const QByteArray OldJoystick = "N: Name=\"Stick\"\n"
                               "H: Handlers=event9 js0\n"
                               "\n";

// The watch needs an event loop.
struct EventLoop {
    int argc = 1;
    char name[9] = "pad_test";
    char *argv[1] = {name};
    QCoreApplication app{argc, argv};
};

void write(const QString &path, const QByteArray &text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}
} // namespace

TEST(PadPresence, OnlyJoysticksAndPadsCount) {
    EXPECT_EQ(JoystickListed(""), PadPresence::None);
    EXPECT_EQ(JoystickListed(Keyboard + Mouse + Sensors), PadPresence::None);
    EXPECT_EQ(JoystickListed(Keyboard + Pad + Mouse), PadPresence::Possible);
    EXPECT_EQ(JoystickListed(OldJoystick), PadPresence::Possible);
    // Button 0x120, the first joystick button, alone in its word.
    EXPECT_EQ(JoystickListed("B: KEY=100000000 0 0 0 0\n"), PadPresence::Possible);
    // Just below and just above the pads' buttons.
    EXPECT_EQ(JoystickListed("B: KEY=80000000 0 0 0 0\n"), PadPresence::None);
    EXPECT_EQ(JoystickListed("B: KEY=1 0 0 0 0 0\n"), PadPresence::None);
    // Damaged lines are no pad, and nothing worse.
    EXPECT_EQ(JoystickListed("B: KEY=zz 0 0 0 0\nH: Handlers=\nB: KEY=\n"), PadPresence::None);
}

TEST(PadPresence, ArrivalWaitsForAPadThenCallsOnce) {
    EventLoop loop;
    QTemporaryDir dir;
    const QString list = dir.filePath("devices"), folder = dir.filePath("input");
    ASSERT_TRUE(QDir().mkdir(folder));
    write(list, Keyboard + Mouse);
    int calls = 0;
    PadArrival arrival([&] { ++calls; }, nullptr, list, folder);
    arrival.watch();
    EXPECT_EQ(calls, 0);

    // A mouse plugged in: the folder changes, still no pad.
    write(list, Keyboard + Mouse + Mouse);
    write(folder + "/event3", "");
    QTest::qWait(PadArrival::SettleMs + 200);
    EXPECT_EQ(calls, 0);

    write(list, Keyboard + Mouse + Pad);
    write(folder + "/event20", "");
    QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 5000);
    write(folder + "/event21", "");
    QTest::qWait(PadArrival::SettleMs + 200);
    EXPECT_EQ(calls, 1) << "the pads' own layer sees later pads";
}

TEST(PadPresence, ArrivalIsAtOnceWhenAPadIsThereOrTheListUnreadable) {
    EventLoop loop;
    QTemporaryDir dir;
    write(dir.filePath("devices"), Pad);
    int calls = 0;
    PadArrival there([&] { ++calls; }, nullptr, dir.filePath("devices"), dir.filePath("none"));
    there.watch();
    EXPECT_EQ(calls, 1);
    PadArrival unknown([&] { ++calls; }, nullptr, dir.filePath("missing"), dir.filePath("none"));
    unknown.watch();
    EXPECT_EQ(calls, 2) << "where nothing can be told, the pads start as before";
}
