#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct _ENetHost;
struct _ENetPeer;

// Counts of what was dropped before anything read it.
struct DropCounts {
    std::uint64_t foreign = 0;    // datagrams from an address other than the peer's
    std::uint64_t oversized = 0;  // datagrams or messages past the size bound
    std::uint64_t flooded = 0;    // datagrams past the rate bound
    std::uint64_t malformed = 0;  // datagrams too short, messages that do not decode
    std::uint64_t repeated = 0;   // input packets already seen
    std::uint64_t outOfRange = 0; // messages whose steps, games or acks cannot be
    std::uint64_t total() const {
        return foreign + oversized + flooded + malformed + repeated + outOfRange;
    }
};

// One ENet connection to one peer over UDP, with two channels: the session's, reliable
// and ordered, and the inputs', unreliable. Before ENet sees a datagram it is screened:
// from a third address, oversized or past the rate bound, it is dropped and counted.
class Transport {
public:
    enum Channel : std::uint8_t { SessionChannel = 0, InputChannel = 1 };
    static constexpr std::size_t MaxDatagram = 1400;
    static constexpr int FloodPerSecond = 1000;

    struct Event {
        enum class Kind { None, Connected, Received, Disconnected } kind = Kind::None;
        std::uint8_t channel = 0;
        std::vector<std::uint8_t> data;
    };

    ~Transport();
    Transport(const Transport &) = delete;
    Transport &operator=(const Transport &) = delete;

    // Waits for one peer on the UDP port (0: one the system picks) of the address
    // (empty: every address of the machine).
    static std::unique_ptr<Transport> listen(const std::string &address, std::uint16_t port,
                                             std::string &error);
    // Starts connecting to a host; Connected follows once it answers.
    static std::unique_ptr<Transport> connect(const std::string &address, std::uint16_t port,
                                              std::string &error);

    // One event, waiting up to timeoutMs for it; false when none came.
    bool service(Event &event, int timeoutMs);
    void send(Channel channel, const std::vector<std::uint8_t> &bytes);
    void flush();
    // Tells the peer goodbye once what was sent has gone.
    void disconnect();
    bool connected() const { return peer != nullptr && isConnected; }

    std::uint16_t localPort() const;
    // ENet's mean round trip to the peer, in ms.
    int roundTripMs() const;
    std::uint64_t bytesSent() const { return sentBytes; }
    std::uint64_t bytesReceived() const { return receivedBytes; }
    DropCounts &drops() { return dropCounts; }
    const DropCounts &drops() const { return dropCounts; }

    // The screening of one raw datagram (ENet's intercept): true to let ENet have it.
    bool screen(std::uint32_t host, std::uint16_t port, std::size_t size);

private:
    Transport() = default;
    bool create(const std::string &address, std::uint16_t port, bool listening, std::string &error);
    void takeTotals();

    _ENetHost *host = nullptr;
    _ENetPeer *peer = nullptr;
    bool isConnected = false;
    bool havePeerAddress = false;
    std::uint32_t peerHost = 0;
    std::uint16_t peerPort = 0;
    std::int64_t floodWindowStart = 0;
    int floodCount = 0;
    std::uint64_t sentBytes = 0, receivedBytes = 0;
    DropCounts dropCounts;
};
