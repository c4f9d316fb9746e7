#include "tools/script/ScriptReader.h"
#include "tools/cobaltix-sim/VirtualClock.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

// Records "name@ms" for every firing.
struct Log {
    QStringList events;
    void attach(VirtualClock &clock, SimTimer &timer, const QString &name) {
        timer.handler = [this, &clock, name] {
            events << QStringLiteral("%1@%2").arg(name).arg(clock.now());
        };
    }
};

// Guards the contract's tie rule: timers due together fire in the order they were added.
TEST(VirtualClock, TimersDueTogetherFireInTheOrderTheyWereAdded) {
    VirtualClock clock;
    Log log;
    SimTimer &slow = clock.addTimer(50);
    SimTimer &fast = clock.addTimer(25);
    log.attach(clock, slow, "slow");
    log.attach(clock, fast, "fast");
    fast.setEnabled(true);
    slow.setEnabled(true);
    clock.run(100);
    EXPECT_EQ(log.events.join(' '), "fast@25 slow@50 fast@50 fast@75 slow@100 fast@100");
    EXPECT_EQ(clock.now(), 100);
}

// Guards the restart rules the engine relies on for its stop-then-restart tick.
TEST(VirtualClock, EnablingStartsAFullIntervalAndRetuningRestartsIt) {
    VirtualClock clock;
    Log log;
    SimTimer &timer = clock.addTimer(500);
    log.attach(clock, timer, "t");
    clock.run(300);
    timer.setEnabled(true);
    clock.run(400);
    timer.setEnabled(true); // already running: no new interval
    clock.run(150);
    timer.setInterval(450);
    clock.run(500);
    EXPECT_EQ(log.events.join(' '), "t@800 t@1300");
}

// Guards handlers that stop their own timer or start another one while running.
TEST(VirtualClock, HandlersMayStopAndStartTimers) {
    VirtualClock clock;
    Log log;
    SimTimer &first = clock.addTimer(100);
    SimTimer &second = clock.addTimer(30);
    log.attach(clock, second, "second");
    first.handler = [&] {
        log.events << QStringLiteral("first@%1").arg(clock.now());
        first.setEnabled(false);
        second.setEnabled(true);
    };
    first.setEnabled(true);
    clock.run(170);
    EXPECT_EQ(log.events.join(' '), "first@100 second@130 second@160");
}

// Guards "settle" and the engine's waits: stop right after the event that ends the wait.
TEST(VirtualClock, RunUntilStopsAtTheDecisiveEventOrGivesUpAtTheLimit) {
    VirtualClock clock;
    int count = 0;
    SimTimer &timer = clock.addTimer(25);
    timer.handler = [&] { ++count; };
    timer.setEnabled(true);
    EXPECT_TRUE(clock.runUntil([&] { return count == 3; }, 1000));
    EXPECT_EQ(clock.now(), 75);
    timer.setEnabled(false);
    EXPECT_FALSE(clock.runUntil([&] { return count == 4; }, 60000));
    EXPECT_EQ(clock.now(), 60075);
}

QStringList words(const QString &line) {
    return ScriptReader::splitWords(line, 1);
}

// Guards quoting, escapes and comments of script lines.
TEST(ScriptReader, SplitsWordsWithQuotesEscapesAndComments) {
    EXPECT_EQ(words("  key   left1\t# comment"), QStringList({"key", "left1"}));
    EXPECT_EQ(words("names \"Ann Lee\" \"\""), QStringList({"names", "Ann Lee", ""}));
    EXPECT_EQ(words(R"(echo "a \"b\" \\ \n\r # kept")"),
              QStringList({"echo", "a \"b\" \\ \n\r # kept"}));
    EXPECT_TRUE(words("   # only a comment").isEmpty());
}

TEST(ScriptReader, RefusesBrokenQuotesWithTheLineNumber) {
    for (const char *bad : {"echo \"open", "echo \"a\"b", "echo a\"b", "echo \"bad \\q\""}) {
        try {
            ScriptReader::splitWords(QString::fromLatin1(bad), 7);
            ADD_FAILURE() << bad;
        } catch (const ScriptError &error) {
            EXPECT_EQ(error.lineNumber, 7) << bad;
        }
    }
}

// Guards the line numbers of errors and the raw rows read after "board".
TEST(ScriptReader, CountsLinesAcrossBlanksCommentsAndRawRows) {
    ScriptReader reader("# head\n\nnew\nboard 1\n  RR.....  # row\n\n.......\nshow\n");
    ScriptLine line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line.number, 3);
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line.number, 4);
    QString row;
    int number = 0;
    ASSERT_TRUE(reader.nextRaw(row, number));
    EXPECT_EQ(row, "RR.....");
    EXPECT_EQ(number, 5);
    ASSERT_TRUE(reader.nextRaw(row, number));
    EXPECT_EQ(number, 7);
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line.words, QStringList({"show"}));
    EXPECT_EQ(line.number, 8);
    EXPECT_FALSE(reader.next(line));
}

} // namespace
