#include "net/Lockstep.h"

#include <gtest/gtest.h>

namespace {

// Carries one side's packet to the other through the wire format, as the network does.
Intake deliver(Lockstep &from, Lockstep &to) {
    const std::vector<std::uint8_t> bytes = wire::Encode(from.outgoing());
    const auto m = wire::Decode(bytes.data(), bytes.size());
    return to.incoming(std::get<wire::Inputs>(*m));
}

} // namespace

// Without word from the other side, a side plays only the steps before the first one a
// move could be stamped for, then waits.
TEST(Lockstep, PlaysNoStepWhoseMovesAreUnknown) {
    Lockstep a;
    a.reset(1, 3);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(a.canPlay());
        a.stepPlayed();
    }
    EXPECT_FALSE(a.canPlay());
}

// A move crosses over and is handed out at its step on the other side, not before.
TEST(Lockstep, MovesArriveAtTheirStep) {
    Lockstep a, b;
    a.reset(1, 2);
    b.reset(1, 2);
    a.addLocal(Move::Rotate); // stamped step 3
    a.stepPlayed();
    EXPECT_EQ(deliver(a, b), Intake::Taken);
    EXPECT_EQ(b.knownThrough(), 3u);
    EXPECT_TRUE(b.takeRemoteDue(2).empty());
    const std::vector<Move> due = b.takeRemoteDue(3);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0], Move::Rotate);
    EXPECT_EQ(a.takeLocalDue(3), due);
}

// Packets repeat unacknowledged moves; an old or repeated packet adds nothing, and an
// acknowledgement stops the repeats.
TEST(Lockstep, RepeatsUntilAcknowledgedAndTakesEachMoveOnce) {
    Lockstep a, b;
    a.reset(1, 2);
    b.reset(1, 2);
    a.addLocal(Move::Left);
    a.stepPlayed();
    const wire::Inputs first = a.outgoing();
    const wire::Inputs second = a.outgoing();
    EXPECT_EQ(second.moves, first.moves);
    EXPECT_EQ(b.incoming(second), Intake::Taken);
    EXPECT_EQ(b.incoming(first), Intake::Repeated);
    EXPECT_EQ(b.incoming(second), Intake::Repeated);
    EXPECT_EQ(b.takeRemoteDue(100).size(), 1u);
    EXPECT_EQ(deliver(b, a), Intake::Taken);
    EXPECT_TRUE(a.outgoing().moves.empty());
}

// Claims no honest peer makes are refused: final steps going back or far ahead, an
// acknowledgement of moves never stamped, fewer pauses than already received.
TEST(Lockstep, RefusesWhatNoHonestPeerSends) {
    Lockstep b;
    b.reset(1, 2);
    EXPECT_EQ(b.incoming({1, 1, 0, 1, 0, {}}), Intake::OutOfRange);
    EXPECT_EQ(b.incoming({1, 2, 0, Lockstep::MaxAhead + 1, 0, {}}), Intake::OutOfRange);
    EXPECT_EQ(b.incoming({1, 3, 50, 5, 0, {}}), Intake::OutOfRange);
    EXPECT_EQ(b.incoming({2, 4, 0, 5, 0, {}}), Intake::Stale);
    EXPECT_TRUE(b.addRemotePause(7));
    EXPECT_EQ(b.incoming({1, 5, 0, 8, 0, {}}), Intake::OutOfRange);
    EXPECT_EQ(b.incoming({1, 6, 0, 8, 1, {}}), Intake::Taken);
    EXPECT_FALSE(b.addRemotePause(8)); // inside what is already final
    EXPECT_EQ(b.knownThrough(), 8u);
}

// A pause travels apart from the moves: steps past it are not final until it is here.
TEST(Lockstep, HoldsStepsUntilAPauseArrives) {
    Lockstep a, b;
    a.reset(1, 2);
    b.reset(1, 2);
    const std::uint32_t at = a.addLocalPause();
    a.stepPlayed();
    EXPECT_EQ(deliver(a, b), Intake::Held);
    EXPECT_EQ(b.knownThrough(), 2u);
    EXPECT_TRUE(b.addRemotePause(at));
    EXPECT_EQ(deliver(a, b), Intake::Taken);
    EXPECT_EQ(b.remotePausesAt(at), 1);
    EXPECT_EQ(b.knownThrough(), 3u);
}

// More moves than a packet holds: it declares final only what it carries whole.
TEST(Lockstep, AFullPacketDeclaresOnlyWhatItCarries) {
    Lockstep a, b;
    a.reset(1, 1);
    b.reset(1, 1);
    for (int step = 0; step < 40; ++step) {
        a.addLocal(Move::Left);
        a.addLocal(Move::Right);
        a.stepPlayed();
    }
    const wire::Inputs p = a.outgoing();
    ASSERT_LE(p.moves.size(), wire::MaxMovesPerPacket);
    EXPECT_LT(p.through, a.localThrough());
    for (const wire::StepMove &m : p.moves)
        EXPECT_LE(m.step, p.through);
    EXPECT_EQ(b.incoming(p), Intake::Taken);
    EXPECT_EQ(deliver(b, a), Intake::Taken);
    EXPECT_EQ(deliver(a, b), Intake::Taken);
    EXPECT_EQ(b.knownThrough(), a.localThrough());
    EXPECT_EQ(b.takeRemoteDue(1000).size(), 80u);
}
