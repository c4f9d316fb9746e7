#include "tests/net/NetKit.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <random>

namespace {

std::unique_ptr<Transport> listenLoopback() {
    std::string error;
    auto t = Transport::listen("127.0.0.1", 0, error);
    EXPECT_TRUE(t) << error;
    return t;
}

std::unique_ptr<Transport> joinLoopback(std::uint16_t port) {
    std::string error;
    auto t = Transport::connect("127.0.0.1", port, error);
    EXPECT_TRUE(t) << error;
    return t;
}

// Sends raw datagrams to a loopback port from a socket of its own (a third address).
void sendRaw(std::uint16_t port, const std::vector<std::uint8_t> &bytes) {
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(port);
    sendto(s, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr *>(&to), sizeof to);
    close(s);
}

} // namespace

// Seeded games through a relay that delays (0 to 150 ms, so packets overtake each
// other), loses 5 % and duplicates: every game ends, both sides end in the same state,
// and that state is the one the recorded inputs give when played again offline.
TEST(NetSession, ImpairedGamesAgreeAndReplay) {
    constexpr int Games = 20;
    constexpr std::uint32_t Seed = 31, Limit = 120; // steps: 3 s of game time
    NetOptions hostOptions = FastOptions("Host");
    hostOptions.games = Games;
    hostOptions.seed = Seed;
    hostOptions.limitSteps = Limit;
    hostOptions.minDelay = 16; // fast play: a long delay keeps the steps flowing
    auto hostLink = listenLoopback();
    ImpairedRelay relay(hostLink->localPort(), {}, 7);
    Side host(NetSession::Role::Host, std::move(hostLink), hostOptions, "hard");
    Side join(NetSession::Role::Join, joinLoopback(relay.front()), FastOptions("Join"), "hard");
    const bool done = PollUntil(
        {&host, &join}, &relay,
        [&] { return host.session->finished() && join.session->finished(); }, 50000);
    ASSERT_TRUE(done) << "host played " << host.ended.size() << ", join " << join.ended.size();
    EXPECT_FALSE(host.session->failed()) << host.session->error().toStdString();
    EXPECT_FALSE(join.session->failed()) << join.session->error().toStdString();
    ASSERT_EQ(host.ended.size(), std::size_t(Games));
    ASSERT_EQ(join.ended.size(), std::size_t(Games));
    int moves = 0;
    for (int g = 0; g < Games; ++g) {
        Side::Ended &h = host.ended[size_t(g)];
        EXPECT_EQ(h.game, g + 1);
        EXPECT_EQ(h.hash, join.ended[size_t(g)].hash) << "game " << g + 1;
        EXPECT_EQ(h.step, join.ended[size_t(g)].step) << "game " << g + 1;
        EXPECT_LE(h.step, Limit);
        h.seed = Seed + std::uint32_t(g);
        EXPECT_EQ(ReplayHash(h, Limit), h.hash) << "game " << g + 1;
        moves += int(h.log.inputs.size());
    }
    EXPECT_GT(moves, Games * 4); // both CPUs really played
    EXPECT_GT(relay.dropped, 0u);
    EXPECT_GT(relay.duplicated, 0u);
}

// A pause on either side pauses both, at the same step.
TEST(NetSession, PauseOnOneSidePausesBoth) {
    NetOptions hostOptions = FastOptions("Host");
    hostOptions.limitSteps = 200;
    auto hostLink = listenLoopback();
    const std::uint16_t port = hostLink->localPort();
    Side host(NetSession::Role::Host, std::move(hostLink), hostOptions, "medium");
    Side join(NetSession::Role::Join, joinLoopback(port), FastOptions("Join"), "medium");
    ASSERT_TRUE(PollUntil(
        {&host, &join}, nullptr, [&] { return join.session->lockstep().played() >= 40; }, 10000));
    join.session->requestPause();
    ASSERT_TRUE(PollUntil(
        {&host, &join}, nullptr, [&] { return host.game->Pausado; }, 5000));
    ASSERT_TRUE(PollUntil(
        {&host, &join}, nullptr, [&] { return join.game->Pausado; }, 5000));
    host.session->requestPause();
    ASSERT_TRUE(PollUntil(
        {&host, &join}, nullptr,
        [&] { return host.session->finished() && join.session->finished(); }, 20000));
    ASSERT_EQ(host.ended.size(), 1u);
    ASSERT_EQ(join.ended.size(), 1u);
    EXPECT_EQ(host.ended[0].hash, join.ended[0].hash);
    int pauses = 0;
    for (const InputLog::Entry &e : host.ended[0].log.inputs)
        pauses += e.input.kind == InputKind::Pause ? 1 : 0;
    EXPECT_EQ(pauses, 2);
}

// Different versions never play: both sides stop at the hello, naming both versions;
// so does an older program, whose hello does not say who plays.
TEST(NetSession, AVersionMismatchIsRefusedAtTheHello) {
    for (std::uint16_t protocol : {std::uint16_t(NetProtocol + 1), std::uint16_t(1)}) {
        auto hostLink = listenLoopback();
        const std::uint16_t port = hostLink->localPort();
        Side host(NetSession::Role::Host, std::move(hostLink), FastOptions("Host"), "easy");
        NetOptions old = FastOptions("Join");
        old.version = "0.9";
        old.protocol = protocol;
        Side join(NetSession::Role::Join, joinLoopback(port), old, "easy");
        ASSERT_TRUE(PollUntil(
            {&host, &join}, nullptr,
            [&] { return host.session->finished() && join.session->finished(); }, 10000));
        const QString mine = QString::fromLatin1(NetProgramVersion());
        EXPECT_EQ(host.session->failureKind(), NetSession::Failure::Versions) << protocol;
        for (Side *side : {&host, &join}) {
            EXPECT_TRUE(side->session->failed());
            EXPECT_TRUE(side->session->error().contains(mine))
                << side->session->error().toStdString();
            EXPECT_TRUE(side->session->error().contains(u"0.9"));
            EXPECT_TRUE(side->ended.empty());
            EXPECT_FALSE(side->game->Jugando);
        }
    }
}

// A peer that sends garbage on both channels, and datagrams from a third address: all
// dropped and counted; the host notices the silence after and ends with its message.
TEST(NetSession, MalformedAndForeignPacketsAreDroppedAndCounted) {
    NetOptions options = FastOptions("Host");
    options.silenceMs = 1000;
    auto hostLink = listenLoopback();
    const std::uint16_t port = hostLink->localPort();
    Side host(NetSession::Role::Host, std::move(hostLink), options, "easy");
    std::unique_ptr<Transport> rogue = joinLoopback(port);
    Transport::Event event;
    ASSERT_TRUE(PollUntil(
        {&host}, nullptr,
        [&] {
            rogue->service(event, 0);
            return rogue->connected();
        },
        5000));
    std::mt19937 random(3);
    for (int i = 0; i < 400; ++i) {
        std::vector<std::uint8_t> junk(std::size_t(random() % 40));
        for (auto &b : junk)
            b = std::uint8_t(random());
        if (i % 4 == 0 && !junk.empty())
            junk[0] = std::uint8_t(wire::Type::Inputs); // a type that is known, its body not
        rogue->send(i % 2 ? Transport::InputChannel : Transport::SessionChannel, junk);
        if (i % 50 == 0)
            sendRaw(port, junk.empty() ? std::vector<std::uint8_t>{1} : junk);
        rogue->flush();
        host.session->poll(0);
    }
    // A move out of its moment: inputs before any game.
    rogue->send(Transport::SessionChannel, wire::Encode(wire::Start{5, 1, 2, 0}));
    rogue->flush();
    const bool ended = PollUntil(
        {&host}, nullptr, [&] { return host.session->finished(); }, 10000);
    ASSERT_TRUE(ended);
    EXPECT_TRUE(host.session->failed());
    EXPECT_TRUE(host.session->error().contains(u"does not answer") ||
                host.session->error().contains(u"heard"))
        << host.session->error().toStdString();
    const DropCounts d = host.session->stats().drops;
    EXPECT_GT(d.malformed, 100u);
    EXPECT_GE(d.foreign, 6u);
    EXPECT_GE(d.outOfRange, 1u);
    EXPECT_TRUE(host.ended.empty());
}
