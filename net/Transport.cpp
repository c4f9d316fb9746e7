#include "net/Transport.h"

#include <enet/enet.h>

#include <cstring>

namespace {

int libraryUsers = 0;
// The transport whose host is being serviced: ENet's intercept has no user pointer.
thread_local Transport *servicing = nullptr;

int ENET_CALLBACK intercept(ENetHost *host, ENetEvent *) {
    if (!servicing)
        return 0;
    const bool pass = servicing->screen(host->receivedAddress.host, host->receivedAddress.port,
                                        host->receivedDataLength);
    return pass ? 0 : 1;
}

// Small bounds so a peer cannot make ENet hold much for it.
constexpr std::size_t MaxReassembled = 4096;
constexpr std::size_t MaxWaitingData = 64 * 1024;
constexpr enet_uint32 TimeoutMinimumMs = 5000, TimeoutMaximumMs = 8000;

} // namespace

Transport::~Transport() {
    if (host) {
        if (peer)
            enet_peer_reset(peer);
        enet_host_destroy(host);
    }
    if (--libraryUsers == 0)
        enet_deinitialize();
}

bool Transport::create(const std::string &address, std::uint16_t port, bool listening,
                       std::string &error) {
    if (libraryUsers++ == 0 && enet_initialize() != 0) {
        error = "the network library cannot start";
        return false;
    }
    ENetAddress addr{};
    addr.host = ENET_HOST_ANY;
    addr.port = port;
    if (!address.empty() && enet_address_set_host_ip(&addr, address.c_str()) != 0 &&
        enet_address_set_host(&addr, address.c_str()) != 0) {
        error = "unknown address " + address;
        return false;
    }
    if (listening) {
        host = enet_host_create(&addr, 1, 2, 0, 0);
        if (!host) {
            error = "cannot listen on UDP port " + std::to_string(port);
            return false;
        }
    } else {
        host = enet_host_create(nullptr, 1, 2, 0, 0);
        if (!host) {
            error = "cannot open a UDP socket";
            return false;
        }
        peer = enet_host_connect(host, &addr, 2, 0);
        if (!peer) {
            error = "cannot connect to " + address;
            return false;
        }
        havePeerAddress = true;
        peerHost = addr.host;
        peerPort = addr.port;
        enet_peer_timeout(peer, 0, TimeoutMinimumMs, TimeoutMaximumMs);
    }
    host->checksum = enet_crc32;
    host->intercept = intercept;
    host->maximumPacketSize = MaxReassembled;
    host->maximumWaitingData = MaxWaitingData;
    host->duplicatePeers = 1;
    return true;
}

std::unique_ptr<Transport> Transport::listen(const std::string &address, std::uint16_t port,
                                             std::string &error) {
    std::unique_ptr<Transport> t(new Transport);
    if (!t->create(address, port, true, error))
        return nullptr;
    return t;
}

std::unique_ptr<Transport> Transport::connect(const std::string &address, std::uint16_t port,
                                              std::string &error) {
    std::unique_ptr<Transport> t(new Transport);
    if (!t->create(address, port, false, error))
        return nullptr;
    return t;
}

bool Transport::screen(std::uint32_t fromHost, std::uint16_t fromPort, std::size_t size) {
    if (havePeerAddress && (fromHost != peerHost || fromPort != peerPort)) {
        ++dropCounts.foreign;
        return false;
    }
    if (size > MaxDatagram) {
        ++dropCounts.oversized;
        return false;
    }
    if (size < 4) {
        ++dropCounts.malformed;
        return false;
    }
    const std::int64_t now = enet_time_get();
    if (now - floodWindowStart >= 1000) {
        floodWindowStart = now;
        floodCount = 0;
    }
    if (++floodCount > FloodPerSecond) {
        ++dropCounts.flooded;
        return false;
    }
    return true;
}

bool Transport::service(Event &event, int timeoutMs) {
    event = Event();
    if (!host)
        return false;
    ENetEvent e;
    servicing = this;
    const int got = enet_host_service(host, &e, enet_uint32(timeoutMs > 0 ? timeoutMs : 0));
    servicing = nullptr;
    takeTotals();
    if (got <= 0)
        return false;
    switch (e.type) {
    case ENET_EVENT_TYPE_CONNECT:
        if (peer && e.peer != peer) {
            enet_peer_reset(e.peer);
            return false;
        }
        peer = e.peer;
        isConnected = true;
        havePeerAddress = true;
        peerHost = e.peer->address.host;
        peerPort = e.peer->address.port;
        enet_peer_timeout(peer, 0, TimeoutMinimumMs, TimeoutMaximumMs);
        event.kind = Event::Kind::Connected;
        return true;
    case ENET_EVENT_TYPE_RECEIVE:
        event.kind = Event::Kind::Received;
        event.channel = e.channelID;
        event.data.assign(e.packet->data, e.packet->data + e.packet->dataLength);
        enet_packet_destroy(e.packet);
        return true;
    case ENET_EVENT_TYPE_DISCONNECT:
        if (e.peer != peer)
            return false;
        isConnected = false;
        peer = nullptr;
        event.kind = Event::Kind::Disconnected;
        return true;
    case ENET_EVENT_TYPE_NONE:
        break;
    }
    return false;
}

void Transport::send(Channel channel, const std::vector<std::uint8_t> &bytes) {
    if (!connected())
        return;
    const enet_uint32 flags =
        channel == SessionChannel ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED;
    ENetPacket *packet = enet_packet_create(bytes.data(), bytes.size(), flags);
    if (packet && enet_peer_send(peer, channel, packet) != 0)
        enet_packet_destroy(packet);
}

void Transport::flush() {
    if (host) {
        enet_host_flush(host);
        takeTotals();
    }
}

void Transport::disconnect() {
    if (peer && isConnected)
        enet_peer_disconnect_later(peer, 0);
}

std::uint16_t Transport::localPort() const {
    ENetAddress addr{};
    if (!host || enet_socket_get_address(host->socket, &addr) != 0)
        return 0;
    return addr.port;
}

int Transport::roundTripMs() const {
    return peer ? int(peer->roundTripTime) : 0;
}

// ENet's totals are 32-bit and meant to be reset by their user.
void Transport::takeTotals() {
    sentBytes += host->totalSentData;
    receivedBytes += host->totalReceivedData;
    host->totalSentData = host->totalReceivedData = 0;
}
