// Network games recorded on both machines: each side's replay plays back offline to
// the state both sides agreed on, names the other side as the network player it was,
// and a disagreement keeps both replays, saying where the states parted.
#include "engine/ReplayPlayer.h"
#include "services/ReplayFiles.h"
#include "tests/net/NetKit.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// One side of the game with the window's replay folder, recording as the window does.
struct RecordedSide {
    RecordedSide(NetSession::Role role, std::unique_ptr<Transport> link, NetOptions options,
                 const char *level)
        : side(role, std::move(link), std::move(options), level),
          library(folder.filePath(QStringLiteral("replays"))), recorder(*side.game, library) {
        both.first = &side.log;
        both.second = &recorder;
        side.game->setInputObserver(&both);
        side.session->disagreed = [this](const ReplayMismatch &m) { recorder.endsOnMismatch(m); };
    }
    Replay only() const {
        const std::vector<ReplayEntry> entries = library.list();
        EXPECT_EQ(entries.size(), 1u) << "one replay per game, nothing else";
        return entries.empty() ? Replay{} : entries.front().replay;
    }

    Side side;
    QTemporaryDir folder;
    ReplayLibrary library;
    ReplayRecorder recorder;
    InputObserverPair both;
};

std::unique_ptr<Transport> loopback(std::uint16_t port = 0) {
    std::string error;
    auto t = port ? Transport::connect("127.0.0.1", port, error)
                  : Transport::listen("127.0.0.1", 0, error);
    EXPECT_TRUE(t) << error;
    return t;
}

struct Pair {
    explicit Pair(std::uint32_t limitSteps) {
        NetOptions options = FastOptions("Ana");
        options.seed = 17;
        options.limitSteps = limitSteps;
        auto link = loopback();
        const std::uint16_t port = link->localPort();
        host = std::make_unique<RecordedSide>(NetSession::Role::Host, std::move(link), options,
                                              "hard");
        join = std::make_unique<RecordedSide>(NetSession::Role::Join, loopback(port),
                                              FastOptions("Bea"), "easy");
    }
    bool playUntil(const std::function<bool()> &done, int limitMs) {
        return PollUntil({&host->side, &join->side}, nullptr, done, limitMs);
    }
    bool bothFinished() const {
        return host->side.session->finished() && join->side.session->finished();
    }
    std::unique_ptr<RecordedSide> host, join;
};

TEST(NetReplay, EachSideRecordsTheGameAndItPlaysBackToTheHashBothAgreedOn) {
    Pair p(160);
    ASSERT_TRUE(p.playUntil([&] { return p.bothFinished(); }, 20000));
    ASSERT_FALSE(p.host->side.session->failed()) << p.host->side.session->error().toStdString();
    ASSERT_EQ(p.host->side.ended.size(), 1u);
    const std::uint64_t agreed = p.host->side.ended[0].hash;
    EXPECT_EQ(p.join->side.ended.at(0).hash, agreed);

    for (RecordedSide *s : {p.host.get(), p.join.get()}) {
        const Replay replay = s->only();
        ASSERT_TRUE(replay.finished());
        EXPECT_FALSE(replay.result->mismatch);
        EXPECT_EQ(replay.setup.mode, GameMode::OneToOne);
        HeadlessReplay played(replay);
        played.playback.start();
        played.playback.runToEnd();
        EXPECT_FALSE(played.game->Jugando);
        EXPECT_EQ(NetStateHash(*played.game), agreed);
    }
    // Each side is what it was on that machine: its own CPU, and the other side's
    // player as the network player under the name it gave, with the CPU it said.
    const auto &hostSides = p.host->only().setup.players;
    const auto &joinSides = p.join->only().setup.players;
    EXPECT_EQ(hostSides[0].controller.word, "hard");
    EXPECT_EQ(hostSides[0].controller.playerName, "Ana");
    EXPECT_EQ(hostSides[1].controller.word, "network:easy");
    EXPECT_EQ(hostSides[1].controller.playerName, "Bea");
    EXPECT_EQ(joinSides[0].controller.word, "network:hard");
    EXPECT_EQ(joinSides[0].controller.playerName, "Ana");
    EXPECT_EQ(joinSides[1].controller.word, "easy");
}

// One side's state is changed behind the game's back: both sides stop on the hash
// check, and each keeps its replay for good, marked with the step and the hashes.
TEST(NetReplay, ADisagreementStopsBothSidesAndBothKeepTheirReplay) {
    Pair p(2000);
    ASSERT_TRUE(
        p.playUntil([&] { return p.join->side.session->lockstep().played() >= 30; }, 10000));
    p.join->side.game->player(2).Points += 1;
    ASSERT_TRUE(p.playUntil([&] { return p.bothFinished(); }, 10000));

    std::optional<ReplayMismatch> seen[2];
    int i = 0;
    for (RecordedSide *s : {p.host.get(), p.join.get()}) {
        EXPECT_EQ(s->side.session->failureKind(), NetSession::Failure::Disagree);
        EXPECT_TRUE(s->side.ended.empty());
        const std::vector<ReplayEntry> entries = s->library.list();
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_TRUE(entries[0].kept);
        EXPECT_EQ(entries[0].path, s->recorder.keptPath());
        ASSERT_TRUE(entries[0].replay.finished());
        seen[i++] = entries[0].replay.result->mismatch;
    }
    ASSERT_TRUE(seen[0] && seen[1]);
    // The first hash after the change, every second of play.
    EXPECT_EQ(seen[0]->step, 40u);
    EXPECT_EQ(seen[1]->step, 40u);
    // A side told by the other before it had hashed that step knows the other's only.
    for (int s = 0; s < 2; ++s) {
        const ReplayMismatch &mine = *seen[s], &theirs = *seen[1 - s];
        EXPECT_NE(mine.otherHash, 0u);
        if (mine.ownHash != 0) {
            EXPECT_NE(mine.ownHash, mine.otherHash);
            EXPECT_EQ(mine.ownHash, theirs.otherHash);
        }
    }
    EXPECT_TRUE(seen[0]->ownHash != 0 || seen[1]->ownHash != 0);
}

} // namespace
