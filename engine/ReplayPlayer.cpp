#include "engine/ReplayPlayer.h"

ReplayAnswers::ReplayAnswers(const std::vector<InputLog::AnswerEntry> &answers) {
    for (const InputLog::AnswerEntry &e : answers)
        byKind[size_t(e.answer.kind)].push_back(e.answer);
}

bool ReplayAnswers::take(AnswerKind kind, Answer &answer) {
    const auto k = size_t(kind);
    if (next[k] >= byKind[k].size())
        return false;
    answer = byKind[k][next[k]++];
    return true;
}

size_t ReplayAnswers::used() const {
    size_t n = 0;
    for (size_t k : next)
        n += k;
    return n;
}

int ReplayHost::MostrarMensaje(const QString &, const QString &, bool withCancel) {
    Answer a;
    if (withCancel && answers.take(AnswerKind::Question, a))
        return a.value == 2 ? 2 : 1;
    return 1;
}

void ReplayHost::PedirNombres(QString &name1, QString &name2) {
    Answer a;
    if (answers.take(AnswerKind::Names, a)) {
        name1 = a.first;
        name2 = a.second;
    }
}

void ReplayHost::PedirNombre(int player, QString &name, const QString &) {
    Answer a;
    if (answers.take(AnswerKind::Names, a))
        name = player == 1 ? a.first : a.second;
}

void ReplayHost::NuevoRecordFases(int, int, QString &name) {
    Answer a;
    if (answers.take(AnswerKind::NewRecord, a))
        name = a.first;
}

bool ReplayHost::PedirTeclas(std::array<std::uint16_t, 10> &keys, const std::array<bool, 256> &) {
    Answer a;
    if (!answers.take(AnswerKind::Keys, a) || a.value != 1)
        return false;
    keys = a.keys;
    return true;
}

void ApplyReplaySetup(Game &game, const ReplaySetup &s) {
    game.TipoJuego = s.mode;
    if (s.hasStages)
        game.Fases = s.stages;
    game.TeclasJuego = s.keys;
    game.Sonido = s.sound;
    for (int n = 1; n <= 2; ++n) {
        const ReplaySide &side = s.players[size_t(n - 1)];
        TInfo &p = game.player(n);
        p.Name = side.name;
        p.Gem1Col = side.gem1Col, p.Gem1Row = side.gem1Row, p.Gem1Colour = side.gem1Colour;
        p.Gem2Col = side.gem2Col, p.Gem2Row = side.gem2Row, p.Gem2Colour = side.gem2Colour;
        p.SpriteFor(p.Gem1Colour, p.Gem1Image, p.Gem1Mask);
        p.SpriteFor(p.Gem2Colour, p.Gem2Image, p.Gem2Mask);
        game.setController(n, std::make_unique<RecordedController>(side.controller));
    }
    game.random().setState(s.randomState, s.forcedColours);
    game.clock().startAt(s.startTime);
}

ReplayPlayback::ReplayPlayback(Game &g, const Replay &r)
    : game(g), replay(r), schedule(g, r.inputs) {}

ReplayPlayback::~ReplayPlayback() {
    detach();
}

void ReplayPlayback::detach() {
    if (game.clock().eventSource() == &schedule)
        game.clock().setEvents(nullptr);
}

void ReplayPlayback::resumeAt(size_t inputs) {
    schedule.setPosition(inputs);
    game.clock().setEvents(&schedule);
    ended = game.clock().now() >= endTime() && replay.finished();
}

void ReplayPlayback::start() {
    ApplyReplaySetup(game, replay.setup);
    game.clock().setEvents(&schedule);
    game.mnNuevoJuegoClick();
}

void ReplayPlayback::runTo(std::int64_t time) {
    // What follows an unfinished recording is play without inputs.
    const std::int64_t target = replay.finished() ? std::min(time, endTime()) : time;
    if (target > game.clock().now())
        game.clock().run(target - game.clock().now());
    if (ended || game.clock().now() < endTime())
        return;
    ended = true;
    if (replay.result && replay.result->how == GameEnd::Stopped && game.Jugando)
        game.EndGame(false, nullptr);
}

namespace {
GameBindings hostOnly(IGameHost *host) {
    GameBindings b;
    b.Host = host;
    return b;
}
} // namespace

HeadlessReplay::HeadlessReplay(const Replay &replay)
    : game(std::make_unique<Game>(hostOnly(&host), TPictures(), 1)), playback(*game, replay) {
    host.answers = ReplayAnswers(replay.answers);
}
