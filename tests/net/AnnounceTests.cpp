#include "net/Announce.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

// A hosted game's beacon, sent on the loopback address, shows in the list with its
// port and name; a finder forgets a game no longer announced.
TEST(Announce, AHostedGameIsListedAndForgotten) {
    LanFinder finder("127.0.0.1", 0);
    ASSERT_TRUE(finder.listening());
    {
        LanAnnouncer announcer(4321, "Ana", "1.1", "127.0.0.1", finder.port());
        announcer.tick(0);
        for (int i = 0; i < 200 && finder.games().empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            finder.tick(10);
        }
        ASSERT_EQ(finder.games().size(), 1u);
        EXPECT_EQ(finder.games()[0].address, "127.0.0.1");
        EXPECT_EQ(finder.games()[0].port, 4321);
        EXPECT_EQ(finder.games()[0].name, "Ana");
        announcer.tick(500); // not yet a second: nothing sent
    }
    finder.tick(3011);
    EXPECT_TRUE(finder.games().empty());
}

// Beacons that are cut short, padded or carry a bad name or no port are ignored.
TEST(Announce, BadBeaconsAreIgnored) {
    const std::vector<std::uint8_t> good = EncodeBeacon(5, "Bo", "1.1");
    FoundGame g;
    ASSERT_TRUE(DecodeBeacon(good.data(), good.size(), g));
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(DecodeBeacon(good.data(), n, g)) << n;
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_FALSE(DecodeBeacon(longer.data(), longer.size(), g));
    const std::vector<std::uint8_t> control = EncodeBeacon(5, "B\no", "1.1");
    EXPECT_FALSE(DecodeBeacon(control.data(), control.size(), g));
    const std::vector<std::uint8_t> noPort = EncodeBeacon(0, "Bo", "1.1");
    EXPECT_FALSE(DecodeBeacon(noPort.data(), noPort.size(), g));
}
