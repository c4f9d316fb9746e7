// The replay file: what is written reads back the same, a file cut anywhere after its
// set-up still reads, and every kind of bad file gets its own problem.
#include "ReplaySupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

ReplaySetup richSetup() {
    Game game(GameBindings{}, TPictures(), 77);
    game.random().Random(10);
    game.random().forceColours({1, 6, 3});
    game.TipoJuego = GameMode::TwoPlayers;
    for (int n = 0; n < StageCount; ++n) {
        TFase f = PlainStage(1 + n, 5 * n, n % 2, n % 3 == 0);
        f.Tablero[size_t(TBoard::index(n % 7, 15))] = 1 + n % 7;
        game.Fases[size_t(n)] = f;
    }
    game.player(1).Name = QStringLiteral("Íñigo «el rápido»");
    game.player(2).Gem1Row = -1;
    game.player(2).Gem2Colour = 6;
    game.TeclasJuego[3] = 65535;
    game.Sonido = false;
    game.clock().startAt(123456);
    ReplaySetup s = ReplayRecorder::setupOf(game);
    s.recordedAt = 1700000000123;
    return s;
}

// A finished recording of a short two-player game.
QByteArray recordedBytes() {
    RecordedGame g(GameMode::TwoPlayers, 31, 4, 1000);
    g.game.input(Input::command(InputKind::NewGame));
    g.play(4, 8000);
    g.game.input(Input::command(InputKind::NewGame));
    return g.store.files.at(0).bytes;
}

TEST(ReplayFormat, TheSetUpReadsBackExactly) {
    const ReplaySetup setup = richSetup();
    EXPECT_EQ(setup.programVersion, QStringLiteral(COBALTIX_VERSION_TEXT));
    Replay replay;
    ASSERT_TRUE(ReadReplay(ReplayCodec::header(setup), replay).ok());
    EXPECT_EQ(replay.setup, setup);
    EXPECT_FALSE(replay.finished());
    EXPECT_TRUE(replay.inputs.empty());

    // The generator state taken back deals exactly what the original deals next.
    Game a(GameBindings{}, TPictures(), 77), b(GameBindings{}, TPictures(), 1);
    a.random().Random(10);
    a.random().forceColours({1, 6, 3});
    ASSERT_TRUE(b.random().setState(setup.randomState, setup.forcedColours));
    for (int i = 0; i < 2000; ++i) {
        int x = 0, y = 0;
        ASSERT_EQ(a.random().takeForcedColour(x), b.random().takeForcedColour(y));
        ASSERT_EQ(x, y);
        ASSERT_EQ(a.random().Random(1000), b.random().Random(1000));
    }
}

TEST(ReplayFormat, EveryInputAndAnswerReadsBackInOrderWithItsTime) {
    const ReplaySetup setup = richSetup();
    std::vector<std::uint8_t> out;
    ReplayEntryWriter writer(setup.startTime);
    const std::vector<InputLog::Entry> inputs = {
        {123456, Input::move(1, Move::Left)},
        {123456, Input::move(2, Move::Throw)},
        {123500, Input::key(39)},
        {123500, Input::key(-5)},
        {123600, Input::key(39)},
        {200000, Input::command(InputKind::SelectMode, 2)},
        {1LL << 40, Input::command(InputKind::Sound, 0)},
    };
    Answer keys{AnswerKind::Keys, 1, {}, {}, {}};
    keys.keys[9] = 4000;
    const std::vector<InputLog::AnswerEntry> answers = {
        {123500, {AnswerKind::Names, 0, QStringLiteral("Ana"), QStringLiteral("Bea"), {}}},
        {300000, keys},
    };
    writer.input(out, inputs[0].time, inputs[0].input);
    writer.input(out, inputs[1].time, inputs[1].input);
    writer.input(out, inputs[2].time, inputs[2].input);
    writer.answer(out, answers[0].time, answers[0].answer);
    writer.input(out, inputs[3].time, inputs[3].input);
    // A key seen before is named in one byte with its time step.
    const size_t before = out.size();
    writer.input(out, inputs[4].time, inputs[4].input);
    EXPECT_EQ(out.size() - before, 2u);
    writer.input(out, inputs[5].time, inputs[5].input);
    writer.answer(out, answers[1].time, answers[1].answer);
    writer.input(out, inputs[6].time, inputs[6].input);
    // Moves close together take one byte each.
    EXPECT_EQ(out[1], 5 + 4);
    EXPECT_LT(out.size(), 60u);

    QByteArray bytes = ReplayCodec::header(setup);
    bytes.append(reinterpret_cast<const char *>(out.data()), qsizetype(out.size()));
    ReplayResult result{GameEnd::Lost, 2, 1LL << 40, 7, 2, {-1, 70000}, 7, 0x0123456789abcdefull};
    bytes += writer.close(result);
    Replay replay;
    ASSERT_TRUE(ReadReplay(bytes, replay).ok());
    ASSERT_EQ(replay.inputs.size(), inputs.size());
    for (size_t i = 0; i < inputs.size(); ++i) {
        EXPECT_EQ(replay.inputs[i].time, inputs[i].time) << i;
        EXPECT_EQ(replay.inputs[i].input, inputs[i].input) << i;
    }
    ASSERT_EQ(replay.answers.size(), 2u);
    EXPECT_EQ(replay.answers[0].answer.second, QStringLiteral("Bea"));
    EXPECT_EQ(replay.answers[1].answer.keys, keys.keys);
    ASSERT_TRUE(replay.finished());
    EXPECT_EQ(replay.result->stateHash, result.stateHash);
    EXPECT_EQ(replay.result->points, result.points);
    EXPECT_EQ(replay.result->endTime, result.endTime);
    EXPECT_EQ(replay.result->entryBytes, out.size());
    EXPECT_EQ(replay.result->winner(GameMode::OneToOne), 1);
    EXPECT_EQ(replay.length(), (1LL << 40) - setup.startTime);
}

TEST(ReplayFormat, AFileCutAnywhereAfterItsSetUpReadsAsAnUnfinishedReplayOfWhatItHolds) {
    const QByteArray bytes = recordedBytes();
    Replay whole;
    ASSERT_TRUE(ReadReplay(bytes, whole).ok());
    ASSERT_TRUE(whole.finished());
    const qsizetype setupEnd = ReplayCodec::header(whole.setup).size();
    size_t lastCount = 0;
    for (qsizetype size = 0; size < bytes.size(); ++size) {
        Replay part;
        const ReplayStatus status = ReadReplay(bytes.left(size), part);
        if (size < setupEnd) {
            ASSERT_EQ(status.problem, ReplayProblem::Truncated) << size;
            continue;
        }
        ASSERT_TRUE(status.ok()) << size;
        ASSERT_FALSE(part.finished()) << size;
        ASSERT_GE(part.inputs.size(), lastCount) << size;
        ASSERT_LE(part.inputs.size(), whole.inputs.size() + 1) << size;
        for (size_t i = 0; i < part.inputs.size() && i < whole.inputs.size(); ++i)
            ASSERT_EQ(part.inputs[i].input, whole.inputs[i].input) << size;
        lastCount = part.inputs.size();
    }
}

TEST(ReplayFormat, EachKindOfBadFileGetsItsProblem) {
    const QByteArray bytes = recordedBytes();
    Replay r;
    EXPECT_EQ(ReadReplay(QByteArray("Cobaltix stage file"), r).problem, ReplayProblem::NotAReplay);
    EXPECT_EQ(ReadReplay(SerializeStages(TFaseTable{}), r).problem, ReplayProblem::NotAReplay);
    EXPECT_EQ(ReadReplay(bytes.left(10), r).problem, ReplayProblem::Truncated);

    QByteArray newer = bytes;
    newer[ReplayMagicSize] = char(ReplayFormatVersion + 1);
    const ReplayStatus status = ReadReplay(newer, r);
    EXPECT_EQ(status.problem, ReplayProblem::NewerVersion);
    EXPECT_EQ(status.version, ReplayFormatVersion + 1);

    // One bit changed anywhere after the version of a finished replay breaks a checksum
    // or the structure.
    for (qsizetype at = ReplayMagicSize + 2; at < bytes.size(); ++at) {
        QByteArray bad = bytes;
        bad[at] = char(bad[at] ^ 0x10);
        Replay read;
        const ReplayStatus s = ReadReplay(bad, read);
        EXPECT_EQ(s.problem, ReplayProblem::Corrupt) << "byte " << at << " of " << bytes.size();
    }
    EXPECT_EQ(ReadReplay(bytes + "x", r).problem, ReplayProblem::Corrupt);
    EXPECT_EQ(ReadReplay(bytes + bytes.mid(ReplayMagicSize + 2), r).problem,
              ReplayProblem::Corrupt);

    // A key or a move written as a command would not write back the same.
    const QByteArray head = ReplayCodec::header(richSetup());
    EXPECT_EQ(ReadReplay(head + QByteArray("\x0b\x00\x02\x00", 4), r).problem,
              ReplayProblem::Corrupt);
    EXPECT_EQ(ReadReplay(head + QByteArray("\x0b\x01\x01\x02", 4), r).problem,
              ReplayProblem::Corrupt);
    EXPECT_TRUE(ReadReplay(head + QByteArray("\x0b\x01\x01\x10", 4), r).ok())
        << "a move the game ignores";

    // A value no game writes, with a good checksum.
    ReplaySetup setup = richSetup();
    setup.randomState.back() = 5000;
    EXPECT_EQ(ReadReplay(ReplayCodec::header(setup), r).problem, ReplayProblem::Corrupt);
    setup = richSetup();
    setup.stages[4].Tablero[size_t(TBoard::index(2, 3))] = 1; // a gem above an empty cell
    EXPECT_EQ(ReadReplay(ReplayCodec::header(setup), r).problem, ReplayProblem::Corrupt);
}

// Files of the first version (no flags after the result) still read and play to their
// recorded end; a result that says the machines of a network game disagreed reads
// back whole, and a flag no writer sets is refused.
TEST(ReplayFormat, FirstVersionFilesReadAndAMismatchResultReadsBack) {
    for (const char *name : {"one-to-one", "by-stages", "against-a-cpu"}) {
        QFile file(QStringLiteral(COBALTIX_REPLAY_SEEDS "/%1.replay").arg(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        Replay old;
        const ReplayStatus status = ReadReplay(file.readAll(), old);
        ASSERT_TRUE(status.ok()) << name;
        EXPECT_EQ(status.version, 1);
        ASSERT_TRUE(old.finished()) << name;
        EXPECT_FALSE(old.result->mismatch);
        HeadlessReplay played(old);
        played.playback.start();
        played.playback.runToEnd();
        EXPECT_EQ(played.game->stateHash(), old.result->stateHash) << name;
    }

    const QByteArray plain = recordedBytes();
    Replay base;
    ASSERT_TRUE(ReadReplay(plain, base).ok());
    ReplayEntryWriter writer(base.setup.startTime);
    std::vector<std::uint8_t> out;
    for (const InputLog::Entry &e : base.inputs)
        writer.input(out, e.time, e.input);
    const QByteArray head =
        ReplayCodec::header(base.setup) +
        QByteArray(reinterpret_cast<const char *>(out.data()), qsizetype(out.size()));
    ReplayResult result = *base.result;
    result.mismatch = ReplayMismatch{4000000000u, 0xfedcba9876543210ull, 0};
    Replay read;
    ASSERT_TRUE(ReadReplay(head + writer.close(result), read).ok());
    ASSERT_TRUE(read.result->mismatch);
    EXPECT_EQ(*read.result->mismatch, *result.mismatch);
    EXPECT_EQ(read.inputs.size(), base.inputs.size());
    EXPECT_FALSE(base.result->mismatch);

    // The same result with an unknown flag, its checksums made good again.
    const auto resealed = [](QByteArray last) {
        const quint16 sum = qChecksum(QByteArrayView(last).sliced(1, last.size() - 3));
        last[last.size() - 2] = char(sum & 0xff);
        last[last.size() - 1] = char(sum >> 8);
        return last;
    };
    QByteArray last = writer.close(*base.result);
    ASSERT_EQ(resealed(last), last);
    const qsizetype flags = last.size() - 3;
    ASSERT_EQ(last[flags], 0);
    last[flags] = 2;
    EXPECT_EQ(ReadReplay(head + resealed(last), read).problem, ReplayProblem::Corrupt);
}

} // namespace
