// The replays folder: games land in it as they are played, the last ones stay, kept
// ones stay for good, and a file that is no replay is named with what is wrong with it.
#include "services/ReplayFiles.h"

#include "core/Texts.h"
#include "engine/Game.h"
#include "services/Language.h"
#include "tests/services/FileSizeLimit.h"
#include "tests/services/QtPrinters.h"
#include "tests/services/ScratchDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class ReplayFiles : public ::testing::Test {
protected:
    void SetUp() override {
        library.report = [this](const QString &message) { reports << message; };
        game.TipoJuego = GameMode::OneToOne;
        recorder.wallClock = [this] { return clock += 1000; };
        game.setInputObserver(&recorder);
    }
    // A one-to-one game of a few moves, stopped by the next new game or left running.
    void playGame(bool finish) {
        game.input(Input::command(InputKind::NewGame));
        for (int i = 0; i < 20; ++i) {
            game.clock().run(97);
            game.input(Input::move(1 + i % 2, Move(i % MoveCount)));
            recorder.flush();
        }
        if (finish)
            game.EndGame(false, nullptr);
    }
    QString folder() const { return scratch.filePath("replays"); }
    QStringList names(const QString &in = {}) const {
        return QDir(in.isEmpty() ? folder() : in).entryList(QDir::Files, QDir::Name);
    }

    ScratchDir scratch;
    ReplayLibrary library{scratch.filePath("replays")};
    Game game{GameBindings{}, TPictures(), 3};
    ReplayRecorder recorder{game, library};
    std::int64_t clock = 1700000000000;
    QStringList reports;
};

TEST_F(ReplayFiles, AGameIsWrittenUnfinishedAsItGoesAndCompletedUnderItsNameAtItsEnd) {
    playGame(false);
    ASSERT_EQ(names().size(), 1);
    EXPECT_TRUE(names()[0].endsWith(".replay.part"));
    EXPECT_TRUE(names()[0].contains("-vs"));
    // What is on disk already plays up to the last input.
    Replay running;
    QString message;
    ASSERT_TRUE(ReadReplayFile(library.recordingPath(), running, message)) << message.toStdString();
    EXPECT_EQ(running.inputs.size(), 20u);
    EXPECT_TRUE(library.list().empty()) << "the game being recorded is not listed";

    game.EndGame(false, nullptr);
    ASSERT_EQ(names().size(), 1);
    EXPECT_TRUE(names()[0].endsWith(".replay"));
    const auto entries = library.list();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].replay.finished());
    EXPECT_EQ(library.lastGame(), entries[0].path);
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(ReplayFiles, TheListIsNewestFirstAndAFileLeftByAKilledGameShowsUnfinished) {
    playGame(true);
    playGame(false);
    // A new library, as after the program was killed: the old recording is unfinished.
    ReplayLibrary after(folder());
    const auto entries = after.list();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_FALSE(entries[0].replay.finished());
    EXPECT_TRUE(entries[1].replay.finished());
    EXPECT_GT(entries[0].replay.setup.recordedAt, entries[1].replay.setup.recordedAt);
    EXPECT_EQ(DescribeReplay(entries[0].replay).result, GetText(16218));
}

TEST_F(ReplayFiles, OnlyTheLastHundredStayUnlessKeptForGood) {
    playGame(true);
    const QString first = library.lastGame();
    const QString kept = library.setKept(first, true);
    ASSERT_FALSE(kept.isEmpty());
    EXPECT_TRUE(kept.contains("/kept/"));
    EXPECT_FALSE(QFile::exists(first));
    for (int i = 0; i < KeptReplays + 4; ++i)
        playGame(true);
    EXPECT_EQ(names().size(), KeptReplays);
    EXPECT_TRUE(QFile::exists(kept));
    const auto entries = library.list();
    EXPECT_EQ(entries.size(), size_t(KeptReplays + 1));
    EXPECT_TRUE(entries.back().kept);

    // Back among the others, and deleted.
    const QString back = library.setKept(kept, false);
    ASSERT_FALSE(back.isEmpty());
    EXPECT_TRUE(library.remove(back));
    EXPECT_EQ(library.list().size(), size_t(KeptReplays));
    EXPECT_FALSE(library.remove(back));
}

// A game stopped on a disagreement of two machines, and one whose end they disagreed
// on once it was written: both finish in kept/, say so in their result, and outlive the
// rotation of old games.
TEST_F(ReplayFiles, AGameTheMachinesDisagreedOnIsKeptForGoodWithTheStepAndHashes) {
    playGame(false);
    recorder.endsOnMismatch({40, 0x1111, 0x2222});
    game.EndGame(false, nullptr);
    const QString during = recorder.keptPath();
    EXPECT_TRUE(during.contains("/kept/")) << during.toStdString();
    EXPECT_TRUE(names().isEmpty());

    playGame(true);
    EXPECT_TRUE(recorder.keptPath().isEmpty());
    recorder.endsOnMismatch({77, 0x3333, 0});
    const QString after = recorder.keptPath();
    EXPECT_TRUE(after.contains("/kept/")) << after.toStdString();
    recorder.endsOnMismatch({99, 1, 2}); // told once per game
    EXPECT_EQ(names(folder() + "/kept").size(), 2);

    for (int i = 0; i < KeptReplays + 2; ++i)
        playGame(true);
    for (auto [path, step] : {std::pair{during, 40u}, std::pair{after, 77u}}) {
        Replay r;
        QString message;
        ASSERT_TRUE(ReadReplayFile(path, r, message)) << message.toStdString();
        ASSERT_TRUE(r.finished());
        ASSERT_TRUE(r.result->mismatch);
        EXPECT_EQ(r.result->mismatch->step, step);
        EXPECT_EQ(r.inputs.size(), 20u);
        EXPECT_EQ(DescribeReplay(r).result, GetTextFmt(16234, {step}));
    }
    Replay r;
    QString message;
    ASSERT_TRUE(ReadReplayFile(after, r, message));
    EXPECT_EQ(r.result->mismatch->ownHash, 0x3333u);
    EXPECT_EQ(r.result->mismatch->otherHash, 0u);
    EXPECT_EQ(library.list().size(), size_t(KeptReplays + 2));
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(ReplayFiles, FilesThatAreNoGoodReplaysAreLeftOutEachWithItsReason) {
    playGame(true);
    QFile good(library.lastGame());
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    auto put = [this](const char *name, const QByteArray &data) {
        QFile f(folder() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    };
    QByteArray newer = bytes, damaged = bytes;
    newer[ReplayMagicSize] = 9;
    damaged[40] = char(damaged[40] ^ 1);
    put("a-junk.replay", "PK\x03\x04 not a replay");
    put("b-newer.replay", newer);
    put("c-short.replay", bytes.left(30));
    put("d-damaged.replay", damaged);
    QStringList problems;
    EXPECT_EQ(library.list(&problems).size(), 1u);
    EXPECT_EQ(problems, (QStringList{GetTextFmt(16220, {"a-junk.replay"}),
                                     GetTextFmt(16221, {"b-newer.replay"}),
                                     GetTextFmt(16222, {"c-short.replay"}),
                                     GetTextFmt(16223, {"d-damaged.replay", 18})}));
    EXPECT_EQ(problems[0], "a-junk.replay is not a Cobaltix replay.");
    Replay none;
    QString message;
    EXPECT_FALSE(ReadReplayFile(folder() + "/missing.replay", none, message));
    EXPECT_EQ(message, "Error opening missing.replay.");
}

TEST_F(ReplayFiles, AFolderThatCannotBeMadeSkipsRecordingWithOneMessage) {
    // A file where the folder should be: no rights help there, as a read-only disk.
    QFile blocker(folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    playGame(true);
    playGame(true);
    EXPECT_GT(game.clock().now(), 3000) << "the games were played";
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith("Games cannot be recorded in ")) << reports[0].toStdString();
    EXPECT_TRUE(library.list().empty());
}

TEST_F(ReplayFiles, AFullDiskStopsTheRecordingWithOneMessageAndKeepsWhatWasWritten) {
    {
        FileSizeLimit limit(2650);
        playGame(true);
        playGame(true);
    }
    ASSERT_EQ(reports.size(), 1);
    // The first game's file holds its set-up and some of its inputs.
    Replay part;
    QString message;
    const QStringList left = names();
    ASSERT_FALSE(left.isEmpty());
    EXPECT_TRUE(ReadReplayFile(folder() + "/" + left[0], part, message)) << message.toStdString();
    EXPECT_FALSE(part.finished());
}

TEST_F(ReplayFiles, TheListDescribesAGameInTheCurrentLanguage) {
    playGame(false);
    game.player(2).Points = 1234;
    game.EndGame(true, &game.player(1));
    const Replay r = library.list().at(0).replay;
    const ReplayColumns c = DescribeReplay(r);
    EXPECT_EQ(c.mode, "One to one");
    EXPECT_EQ(c.players, "Player 1 \u2013 Player 2");
    EXPECT_EQ(c.result, "Player 2 won");
    EXPECT_EQ(c.points, "0 \u2013 2234");
    EXPECT_EQ(c.length, "0:01");

    ASSERT_TRUE(QFile::copy(COBALTIX_TEST_LANGUAGE_MODULE, scratch.filePath("esp.dll")));
    SetLanguage(LanguageSpanish);
    const ReplayColumns es = DescribeReplay(r);
    SetLanguage(LanguageEnglish);
    EXPECT_EQ(es.mode, "Uno contra uno");
    EXPECT_EQ(es.result, "Ganó Player 2") << "the names as the game had them";
}

} // namespace
