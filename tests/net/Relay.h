#pragma once

#include <cstdint>
#include <deque>
#include <random>
#include <vector>

// A UDP relay on the loopback address that mistreats what passes through it the way
// networks do: delay with jitter (so datagrams overtake each other), loss and
// duplicates. The joining side sends to front(); the relay forwards to the host's port.
class ImpairedRelay {
public:
    struct Impairment {
        int minDelayMs = 0, maxDelayMs = 150;
        int lossPerMille = 50;
        int duplicatePerMille = 20;
    };
    ImpairedRelay(std::uint16_t hostPort, Impairment impairment, std::uint32_t seed);
    ~ImpairedRelay();
    std::uint16_t front() const { return frontPort; }
    // Takes what arrived and sends what is due; never blocks.
    void pump();
    std::uint64_t forwarded = 0, dropped = 0, duplicated = 0;

private:
    struct Held {
        std::int64_t due;
        bool toHost;
        std::vector<std::uint8_t> bytes;
    };
    void take(int socket, bool toHost);
    void hold(bool toHost, const std::vector<std::uint8_t> &bytes);
    std::int64_t nowMs() const;

    Impairment impairment;
    std::mt19937 random;
    int frontSocket = -1, backSocket = -1;
    std::uint16_t frontPort = 0, hostPort = 0;
    bool haveClient = false;
    std::uint32_t clientHost = 0;
    std::uint16_t clientPort = 0;
    std::deque<Held> held;
};
