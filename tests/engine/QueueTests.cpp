#include "engine/Tipos.h"

#include <gtest/gtest.h>

// The colour queue deals from the game's generator by the joker and repeat rules.
TEST(ColourQueue, TakeOnEmptyGivesMinusOneAndPeekNeedsTwo) {
    TRandom rng(3);
    TColaFichas q(rng);
    EXPECT_EQ(q.Take(), -1);
    q.Append(4);
    int a = 9, b = 9;
    EXPECT_FALSE(q.PeekTwo(a, b));
    EXPECT_EQ(a, 4);
    EXPECT_EQ(b, 0);
    q.Append(2);
    EXPECT_TRUE(q.PeekTwo(a, b));
    EXPECT_EQ(q.Count(), 2); // peeking removes nothing
    EXPECT_EQ(q.Take(), 4);
    EXPECT_EQ(q.Take(), 2);
}

TEST(ColourQueue, WithoutJokersOrRepeatsEveryColourIsOneOfFive) {
    TRandom rng(7);
    TColaFichas q(rng);
    int seen[7] = {};
    for (int i = 0; i < 5000; ++i) {
        const int c = q.Generate();
        ASSERT_GE(c, 1);
        ASSERT_LE(c, 5);
        ++seen[c];
    }
    for (int c = 1; c <= 5; ++c)
        EXPECT_GT(seen[c], 800) << "colour " << c << " is rare";
}

TEST(ColourQueue, JokersComeAboutTwiceInAHundred) {
    TRandom rng(11);
    TColaFichas q(rng);
    q.Configure(true, 25);
    q.Append(1);
    int jokers = 0, repeats = 0;
    for (int i = 0; i < 20000; ++i) {
        const int head = q.At(0);
        const int c = q.Generate();
        jokers += c == 6;
        repeats += c == head;
        q.Take(); // the queue holds one colour before every draw
    }
    EXPECT_GT(jokers, 250);
    EXPECT_LT(jokers, 700);
    // 25 in 100 copy the head, and a fresh draw matches it one time in five.
    EXPECT_GT(repeats, 20000 * 35 / 100);
}

TEST(ColourQueue, RepeatNeedsSomethingQueued) {
    TRandom rng(5);
    TColaFichas q(rng);
    q.Configure(false, 100);
    const int first = q.Generate();
    for (int i = 0; i < 50; ++i)
        q.Generate();
    int copies = 0;
    for (int i = 0; i < q.Count(); ++i)
        copies += q.At(i) == first;
    EXPECT_GT(copies, 45); // r in 1..100 always repeats; only r = 0 draws afresh
}

TEST(ColourQueue, ClearKeepsSettingsAndForcedColoursComeFirst) {
    TRandom rng(1);
    TColaFichas q(rng);
    q.Configure(true, 25);
    q.Generate();
    q.Clear();
    EXPECT_TRUE(q.IsEmpty());
    EXPECT_TRUE(q.Jokers);
    EXPECT_EQ(q.RepeatChance, 25);
    rng.forceColours({6, 6, 3});
    EXPECT_EQ(q.Generate(), 6);
    EXPECT_EQ(q.Generate(), 6);
    EXPECT_EQ(q.Generate(), 3);
    EXPECT_EQ(rng.forcedCount(), 0);
}

TEST(ColourQueue, SameSeedSameColours) {
    TRandom a(42), b(42);
    TColaFichas qa(a), qb(b);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(qa.Generate(), qb.Generate());
}

TEST(WorkQueues, PositionQueueComparesBothCoordinates) {
    TColaPos q;
    q.Push(2, 3);
    EXPECT_TRUE(q.Contains(2, 3));
    EXPECT_FALSE(q.Contains(3, 2));
    int c, r;
    EXPECT_TRUE(q.Pop(c, r));
    EXPECT_FALSE(q.Contains(2, 3)); // taken entries are no longer queued
    EXPECT_FALSE(q.Pop(c, r));
    EXPECT_EQ(q.Count(), 0);
}

TEST(WorkQueues, DrawingAndMessageQueuesAreFirstInFirstOut) {
    TColaDib d;
    d.Push(1, 2, 3);
    d.Push(4, 5, 6);
    int c, r, code;
    ASSERT_TRUE(d.Pop(c, r, code));
    EXPECT_EQ(code, 3);
    d.Push(7, 8, 9); // appending after a take keeps the order
    ASSERT_TRUE(d.Pop(c, r, code));
    EXPECT_EQ(code, 6);
    ASSERT_TRUE(d.Pop(c, r, code));
    EXPECT_EQ(code, 9);
    EXPECT_FALSE(d.Pop(c, r, code));

    TColaMsg m;
    QString text = QStringLiteral("old");
    m.Pop(text);
    EXPECT_TRUE(text.isEmpty());
    m.Push(QStringLiteral("a"));
    m.Push(QStringLiteral("b"));
    m.Pop(text);
    EXPECT_EQ(text, QStringLiteral("a"));
    EXPECT_EQ(m.Count(), 1);
}
