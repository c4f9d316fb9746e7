#include "ReplaySupport.h"

#include <gtest/gtest.h>

namespace {

class MemorySink : public IReplaySink {
public:
    MemorySink(MemoryStore &store, size_t index) : store(store), index(index) {}
    bool append(const char *data, qsizetype size) override {
        MemoryStore::File &f = store.files[index];
        if (store.capacity >= 0 && f.bytes.size() + size > store.capacity)
            return false;
        f.bytes.append(data, size);
        return true;
    }
    bool finish(const char *data, qsizetype size) override {
        if (!append(data, size))
            return false;
        store.files[index].finished = true;
        return true;
    }

private:
    MemoryStore &store;
    size_t index;
};

} // namespace

std::unique_ptr<IReplaySink> MemoryStore::begin(const ReplaySetup &) {
    files.emplace_back();
    return std::make_unique<MemorySink>(*this, files.size() - 1);
}

int AnsweringHost::MostrarMensaje(const QString &, const QString &, bool withCancel) {
    if (!withCancel)
        return 1;
    ++asked;
    if (questions.empty())
        return 1;
    const int answer = questions.front();
    questions.pop_front();
    return answer;
}

void AnsweringHost::PedirNombres(QString &name1, QString &name2) {
    ++named;
    name1 = QStringLiteral("Ann %1").arg(named);
    name2 = QStringLiteral("Bob %1").arg(named);
}

void AnsweringHost::NuevoRecordFases(int points, int, QString &name) {
    ++recorded;
    name = QStringLiteral("Zoe %1 %2").arg(recorded).arg(points);
}

bool AnsweringHost::PedirTeclas(std::array<std::uint16_t, 10> &keys,
                                const std::array<bool, 256> &) {
    if (keysTaken.empty() || !keysTaken.front()) {
        if (!keysTaken.empty())
            keysTaken.pop_front();
        return false;
    }
    keysTaken.pop_front();
    // Both players' keys change places.
    for (int i = 0; i < 5; ++i)
        std::swap(keys[size_t(i)], keys[size_t(i + 5)]);
    return true;
}

RecordedGame::RecordedGame(GameMode mode, std::uint32_t seed, int limit, int target)
    : game(views.bindings(&host), TPictures::plain(), seed), recorder(game, store) {
    for (int n = 1; n <= 2; ++n)
        views.player(n).well.picture = game.pictures().FondoVacio;
    game.Fases.fill(PlainStage(limit, target, true, true));
    game.TipoJuego = mode;
    game.setInputObserver(&recorder);
    recorder.wallClock = [] { return std::int64_t(1700000000000); };
}

void RecordedGame::play(std::uint32_t seed, std::int64_t ms) {
    std::mt19937 r(seed);
    const std::int64_t end = game.clock().now() + ms;
    while (game.clock().now() < end) {
        game.clock().run(std::int64_t(r() % 200));
        const unsigned pick = r() % 50;
        if (pick == 0)
            game.input(Input::key(114)); // F3, pause or continue
        else if (pick < 12)
            game.input(Input::move(1 + int(r() % 2), Move(r() % MoveCount)));
        else
            game.input(Input::key(game.TeclasJuego[r() % 10]));
        recorder.flush();
    }
}

Replay RecordedGame::replay(size_t file) const {
    Replay r;
    const ReplayStatus status = ReadReplay(store.files.at(file).bytes, r);
    EXPECT_TRUE(status.ok()) << "problem " << int(status.problem) << " at " << status.offset;
    return r;
}

ShownReplay::ShownReplay(const Replay &replay)
    : data(replay), game(views.bindings(&host), TPictures::plain(), 1), playback(game, data) {
    for (int n = 1; n <= 2; ++n)
        views.player(n).well.picture = game.pictures().FondoVacio;
    host.answers = ReplayAnswers(data.answers);
}
