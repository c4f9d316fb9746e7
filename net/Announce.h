#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Games hosted on the local network: a host's beacon and the list a joining player
// picks from. Beacons carry no more than a name, a version and the game's port; a
// beacon that does not parse is ignored.
constexpr std::uint16_t DefaultAnnouncePort = 47654;

struct FoundGame {
    std::string address; // where the beacon came from
    std::uint16_t port = 0;
    std::string name, version;
    std::int64_t seenMs = 0;
};

std::vector<std::uint8_t> EncodeBeacon(std::uint16_t port, const std::string &name,
                                       const std::string &version);
bool DecodeBeacon(const std::uint8_t *data, std::size_t size, FoundGame &game);

// Sends the beacon of a hosted game about once a second, while it exists.
class LanAnnouncer {
public:
    // target: where beacons go; empty for the local network's broadcast address.
    LanAnnouncer(std::uint16_t gamePort, const std::string &name, const std::string &version,
                 const std::string &target = {}, std::uint16_t announcePort = DefaultAnnouncePort);
    ~LanAnnouncer();
    LanAnnouncer(const LanAnnouncer &) = delete;
    LanAnnouncer &operator=(const LanAnnouncer &) = delete;
    // Sends when a second has passed since the last beacon.
    void tick(std::int64_t nowMs);

private:
    int socket = -1;
    std::uint32_t host = 0;
    std::uint16_t port = 0;
    std::vector<std::uint8_t> beacon;
    std::int64_t lastSent = -1000000;
};

// Listens for beacons and keeps the games heard from in the last few seconds.
class LanFinder {
public:
    // bindAddress: empty for every address of the machine.
    explicit LanFinder(const std::string &bindAddress = {},
                       std::uint16_t announcePort = DefaultAnnouncePort);
    ~LanFinder();
    LanFinder(const LanFinder &) = delete;
    LanFinder &operator=(const LanFinder &) = delete;
    bool listening() const { return socket >= 0; }
    // The port it listens on (the one the system picked for 0).
    std::uint16_t port() const;
    // Takes the beacons that arrived and forgets games not heard from for 3 s.
    void tick(std::int64_t nowMs);
    const std::vector<FoundGame> &games() const { return found; }

private:
    int socket = -1;
    std::vector<FoundGame> found;
};
