#include "tests/net/Relay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace {

int loopbackSocket(std::uint16_t &port) {
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    if (s < 0)
        throw std::runtime_error("no socket");
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    if (bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0)
        throw std::runtime_error("no bind");
    socklen_t len = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr *>(&a), &len);
    port = ntohs(a.sin_port);
    fcntl(s, F_SETFL, O_NONBLOCK);
    return s;
}

} // namespace

ImpairedRelay::ImpairedRelay(std::uint16_t hostPort, Impairment impairment, std::uint32_t seed)
    : impairment(impairment), random(seed), hostPort(hostPort) {
    std::uint16_t unused;
    frontSocket = loopbackSocket(frontPort);
    backSocket = loopbackSocket(unused);
}

ImpairedRelay::~ImpairedRelay() {
    close(frontSocket);
    close(backSocket);
}

std::int64_t ImpairedRelay::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void ImpairedRelay::hold(bool toHost, const std::vector<std::uint8_t> &bytes) {
    std::uniform_int_distribution<int> perMille(0, 999);
    std::uniform_int_distribution<int> delay(impairment.minDelayMs, impairment.maxDelayMs);
    if (perMille(random) < impairment.lossPerMille) {
        ++dropped;
        return;
    }
    const int copies = perMille(random) < impairment.duplicatePerMille ? 2 : 1;
    duplicated += std::uint64_t(copies - 1);
    for (int i = 0; i < copies; ++i)
        held.push_back({nowMs() + delay(random), toHost, bytes});
}

void ImpairedRelay::take(int socket, bool toHost) {
    std::vector<std::uint8_t> buffer(65536);
    for (;;) {
        sockaddr_in from{};
        socklen_t len = sizeof from;
        const ssize_t n = recvfrom(socket, buffer.data(), buffer.size(), 0,
                                   reinterpret_cast<sockaddr *>(&from), &len);
        if (n < 0)
            return;
        if (toHost) {
            haveClient = true;
            clientHost = from.sin_addr.s_addr;
            clientPort = from.sin_port;
        }
        hold(toHost, std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + n));
    }
}

void ImpairedRelay::pump() {
    take(frontSocket, true);
    take(backSocket, false);
    const std::int64_t now = nowMs();
    for (auto it = held.begin(); it != held.end();) {
        if (it->due > now) {
            ++it;
            continue;
        }
        sockaddr_in to{};
        to.sin_family = AF_INET;
        if (it->toHost) {
            to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            to.sin_port = htons(hostPort);
            sendto(backSocket, it->bytes.data(), it->bytes.size(), 0,
                   reinterpret_cast<sockaddr *>(&to), sizeof to);
        } else if (haveClient) {
            to.sin_addr.s_addr = clientHost;
            to.sin_port = clientPort;
            sendto(frontSocket, it->bytes.data(), it->bytes.size(), 0,
                   reinterpret_cast<sockaddr *>(&to), sizeof to);
        }
        ++forwarded;
        it = held.erase(it);
    }
}
