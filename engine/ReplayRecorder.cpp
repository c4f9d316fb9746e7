#include "engine/ReplayRecorder.h"

#include "engine/Game.h"

#include <QDateTime>

#include <utility>

namespace {
// Room for a long burst of inputs; a batch this full is written at once.
constexpr size_t BatchCapacity = 16384;
constexpr size_t BatchFlushAt = BatchCapacity - 1024;
} // namespace

ReplayRecorder::ReplayRecorder(Game &g, IReplayStore &s) : game(g), store(s) {
    batch.reserve(BatchCapacity);
}

ReplayRecorder::~ReplayRecorder() = default;

ReplaySetup ReplayRecorder::setupOf(Game &g) {
    ReplaySetup s;
    s.programVersion = QStringLiteral(COBALTIX_VERSION_TEXT);
    s.mode = g.TipoJuego;
    s.startTime = g.clock().now();
    s.randomState = g.random().engineState();
    s.forcedColours = g.random().forcedColours();
    s.sound = g.Sonido;
    s.keys = g.TeclasJuego;
    for (int n = 1; n <= 2; ++n) {
        const TInfo &p = g.player(n);
        PlayerController &c = g.controller(n);
        ReplaySide &side = s.players[size_t(n - 1)];
        // A CPU's side keeps the person's name aside; the new game puts the CPU's on.
        side.name = g.personName(n);
        side.controller = {c.controllerWord(), c.playerName(), c.takesKeys(), c.needsSteps()};
        side.gem1Col = p.Gem1Col, side.gem1Row = p.Gem1Row, side.gem1Colour = p.Gem1Colour;
        side.gem2Col = p.Gem2Col, side.gem2Row = p.Gem2Row, side.gem2Colour = p.Gem2Colour;
    }
    s.hasStages = g.TipoJuego != GameMode::OneToOne;
    if (s.hasStages)
        s.stages = g.Fases;
    return s;
}

bool ReplayRecorder::open(ReplaySetup setup) {
    sink.reset();
    finishedSink.reset();
    kept.clear();
    batch.clear();
    inputs = answers = answersBeforeLastInput = 0;
    mismatch.reset();
    entries = ReplayEntryWriter(setup.startTime);
    setup.recordedAt = wallClock ? wallClock() : QDateTime::currentMSecsSinceEpoch();
    sink = store.begin(setup);
    if (!sink)
        return false;
    const QByteArray header = ReplayCodec::header(setup);
    if (!sink->append(header.constData(), header.size())) {
        fail();
        return false;
    }
    return true;
}

void ReplayRecorder::fail() {
    sink.reset();
    batch.clear();
    store.failed();
}

void ReplayRecorder::write(const std::vector<std::uint8_t> &bytes) {
    if (sink &&
        !sink->append(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())))
        fail();
}

void ReplayRecorder::flush() {
    if (!sink || batch.empty())
        return;
    write(batch);
    batch.clear();
}

void ReplayRecorder::inputApplied(std::int64_t time, const Input &input) {
    if (!sink)
        return;
    entries.input(batch, time, input);
    ++inputs;
    answersBeforeLastInput = answers;
    if (batch.size() >= BatchFlushAt)
        flush();
}

void ReplayRecorder::answered(std::int64_t time, const Answer &answer) {
    if (!sink)
        return;
    entries.answer(batch, time, answer);
    ++answers;
    // A dialog took its time: what it answered is written at once.
    flush();
}

void ReplayRecorder::gameStarted(std::int64_t) {
    open(setupOf(game));
}

void ReplayRecorder::gameEnded(std::int64_t time, GameEnd how, int loser) {
    if (!sink)
        return;
    flush();
    ReplayResult r;
    r.how = how;
    r.loser = loser;
    r.endTime = time;
    r.inputCount = inputs;
    r.answerCount = answers;
    // The new game that stopped this one is the next game's first input.
    if (how == GameEnd::Stopped && game.applyingInput() && inputs > 0) {
        r.inputCount = inputs - 1;
        r.answerCount = answersBeforeLastInput;
    }
    r.points = {game.player(1).Points, game.player(2).Points};
    r.stage = game.FaseActual;
    r.stateHash = game.stateHash();
    r.mismatch = std::exchange(mismatch, std::nullopt);
    const QByteArray last = entries.close(r);
    if (!sink->finish(last.constData(), last.size())) {
        store.failed();
        sink.reset();
        return;
    }
    finishedSink = std::move(sink);
    lastResult = r;
    if (r.mismatch)
        keep();
}

void ReplayRecorder::keep() {
    kept = finishedSink->keepForGood();
    if (kept.isEmpty())
        store.failed();
}

void ReplayRecorder::endsOnMismatch(const ReplayMismatch &m) {
    if (sink) {
        mismatch = m;
        return;
    }
    if (!finishedSink || lastResult.mismatch)
        return;
    lastResult.mismatch = m;
    const QByteArray last = entries.close(lastResult);
    if (!finishedSink->amend(last.constData(), last.size())) {
        store.failed();
        return;
    }
    keep();
}

void ReplayRecorder::continueFrom(const Replay &replay, size_t inputCount, size_t answerCount) {
    inputCount = std::min(inputCount, replay.inputs.size());
    answerCount = std::min(answerCount, replay.answers.size());
    if (!open(replay.setup))
        return;
    // Both kinds in time order, so the times written never go back.
    size_t i = 0, a = 0;
    while (sink && (i < inputCount || a < answerCount)) {
        if (a == answerCount ||
            (i < inputCount && replay.inputs[i].time <= replay.answers[a].time)) {
            entries.input(batch, replay.inputs[i].time, replay.inputs[i].input);
            ++i;
            ++inputs;
            answersBeforeLastInput = answers;
        } else {
            entries.answer(batch, replay.answers[a].time, replay.answers[a].answer);
            ++a;
            ++answers;
        }
        if (batch.size() >= BatchFlushAt)
            flush();
    }
    flush();
}
