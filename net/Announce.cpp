#include "net/Announce.h"

#include "net/Wire.h"

#include <enet/enet.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr char BeaconMagic[] = "CBTXLAN1";
constexpr std::size_t MagicBytes = 8;
constexpr std::int64_t BeaconIntervalMs = 1000, ForgetMs = 3000;
constexpr std::size_t MaxFound = 32;

int openSocket(bool broadcast) {
    if (enet_initialize() != 0)
        return -1;
    const ENetSocket s = enet_socket_create(ENET_SOCKET_TYPE_DATAGRAM);
    if (s == ENET_SOCKET_NULL)
        return -1;
    enet_socket_set_option(s, ENET_SOCKOPT_NONBLOCK, 1);
    if (broadcast)
        enet_socket_set_option(s, ENET_SOCKOPT_BROADCAST, 1);
    return int(s);
}

void closeSocket(int s) {
    if (s >= 0) {
        enet_socket_destroy(ENetSocket(s));
        enet_deinitialize();
    }
}

} // namespace

std::vector<std::uint8_t> EncodeBeacon(std::uint16_t port, const std::string &name,
                                       const std::string &version) {
    std::vector<std::uint8_t> b(BeaconMagic, BeaconMagic + MagicBytes);
    b.push_back(std::uint8_t(port & 0xff));
    b.push_back(std::uint8_t(port >> 8));
    for (const std::string *text : {&name, &version}) {
        b.push_back(std::uint8_t(text->size()));
        b.insert(b.end(), text->begin(), text->end());
    }
    return b;
}

bool DecodeBeacon(const std::uint8_t *data, std::size_t size, FoundGame &game) {
    if (size < MagicBytes + 4 || size > 128 || std::memcmp(data, BeaconMagic, MagicBytes) != 0)
        return false;
    std::size_t at = MagicBytes;
    game.port = std::uint16_t(data[at] | (data[at + 1] << 8));
    at += 2;
    for (std::string *text : {&game.name, &game.version}) {
        if (at >= size || size - at - 1 < data[at])
            return false;
        text->assign(reinterpret_cast<const char *>(data + at + 1), data[at]);
        at += 1 + data[at];
    }
    return at == size && game.port != 0 && wire::IsValidName(game.name) &&
           wire::IsValidVersion(game.version);
}

LanAnnouncer::LanAnnouncer(std::uint16_t gamePort, const std::string &name,
                           const std::string &version, const std::string &target,
                           std::uint16_t announcePort)
    : port(announcePort), beacon(EncodeBeacon(gamePort, name, version)) {
    ENetAddress addr{};
    addr.host = ENET_HOST_BROADCAST;
    if (!target.empty() && enet_address_set_host_ip(&addr, target.c_str()) != 0)
        return;
    host = addr.host;
    socket = openSocket(target.empty());
}

LanAnnouncer::~LanAnnouncer() {
    closeSocket(socket);
}

void LanAnnouncer::tick(std::int64_t nowMs) {
    if (socket < 0 || nowMs - lastSent < BeaconIntervalMs)
        return;
    lastSent = nowMs;
    ENetAddress to{};
    to.host = host;
    to.port = port;
    ENetBuffer buffer;
    buffer.data = beacon.data();
    buffer.dataLength = beacon.size();
    enet_socket_send(ENetSocket(socket), &to, &buffer, 1);
}

LanFinder::LanFinder(const std::string &bindAddress, std::uint16_t announcePort) {
    ENetAddress addr{};
    addr.host = ENET_HOST_ANY;
    addr.port = announcePort;
    if (!bindAddress.empty() && enet_address_set_host_ip(&addr, bindAddress.c_str()) != 0)
        return;
    socket = openSocket(false);
    if (socket < 0)
        return;
    enet_socket_set_option(ENetSocket(socket), ENET_SOCKOPT_REUSEADDR, 1);
    if (enet_socket_bind(ENetSocket(socket), &addr) != 0) {
        closeSocket(socket);
        socket = -1;
    }
}

std::uint16_t LanFinder::port() const {
    ENetAddress addr{};
    if (socket < 0 || enet_socket_get_address(ENetSocket(socket), &addr) != 0)
        return 0;
    return addr.port;
}

LanFinder::~LanFinder() {
    closeSocket(socket);
}

void LanFinder::tick(std::int64_t nowMs) {
    if (socket < 0)
        return;
    std::uint8_t bytes[256];
    for (int i = 0; i < 64; ++i) {
        ENetAddress from{};
        ENetBuffer buffer;
        buffer.data = bytes;
        buffer.dataLength = sizeof bytes;
        const int n = enet_socket_receive(ENetSocket(socket), &from, &buffer, 1);
        if (n <= 0)
            break;
        FoundGame game;
        if (!DecodeBeacon(bytes, std::size_t(n), game))
            continue;
        char ip[64] = {};
        enet_address_get_host_ip(&from, ip, sizeof ip);
        game.address = ip;
        game.seenMs = nowMs;
        auto same = std::find_if(found.begin(), found.end(), [&](const FoundGame &g) {
            return g.address == game.address && g.port == game.port;
        });
        if (same != found.end())
            *same = game;
        else if (found.size() < MaxFound)
            found.push_back(game);
    }
    found.erase(std::remove_if(found.begin(), found.end(),
                               [&](const FoundGame &g) { return nowMs - g.seenMs > ForgetMs; }),
                found.end());
}
