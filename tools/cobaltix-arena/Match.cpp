#include "tools/cobaltix-arena/Match.h"

#include "ai/CpuController.h"
#include "ai/Levels.h"

namespace {

// Seats the arena's players under the names "1" and "2", so the high-score entries the
// game hands out tell who won, whatever the levels are called.
class Seat : public PlayerController {
public:
    Seat(std::unique_ptr<PlayerController> inner, int number)
        : inner(std::move(inner)), name(QString::number(number)) {}
    bool takesKeys() const override { return inner->takesKeys(); }
    bool needsSteps() const override { return inner->needsSteps(); }
    void step(Game &game, int player) override { inner->step(game, player); }
    void reset() override { inner->reset(); }
    QString playerName() const override { return name; }

private:
    std::unique_ptr<PlayerController> inner;
    QString name;
};

} // namespace

bool IsArenaLevel(const QString &word) {
    CpuLevel level;
    return word == u"greedy" || ParseCpuLevel(word, level);
}

std::unique_ptr<PlayerController> MakeArenaPlayer(const QString &word, std::uint32_t seed) {
    CpuLevel level;
    if (ParseCpuLevel(word, level))
        return MakeCpuController(level, seed);
    return MakeGreedyController(seed);
}

// Every dialog answers with its default; the results and the end form are noted.
class Match::Host : public IGameHost {
public:
    void NuevoRecordVs(int points, bool won, const QString &name) override {
        (void)points;
        if (won)
            winner = name.toInt();
    }
    void showFinal() override { completed = true; }
    int winner = 0;
    bool completed = false;
};

Match::Match(const TFaseTable &stages) : host(std::make_unique<Host>()) {
    GameBindings bindings;
    bindings.Host = host.get();
    game = std::make_unique<Game>(bindings, TPictures(), 1);
    game->Fases = stages;
    game->Sonido = false;
    // The longest cascade, replayed on a copy of the board the pair lands on.
    game->LandingHook = [this](const TInfo &p, bool after) {
        if (after)
            return;
        TBoard board = p.Board;
        PairPlacement pair{p.Gem1Col, p.Gem1Row, p.Gem1Colour, p.Gem2Col, p.Gem2Row, p.Gem2Colour};
        if (!LandPair(board, pair))
            return;
        EliminateGroups(board, {pair.col1, pair.row1}, {pair.col2, pair.row2},
                        {game->Limite, game->TipoJuego == GameMode::OneToOne}, scratch);
        int &most = longest[p.Number - 1];
        most = std::max(most, scratch.groupCount());
    };
}

Match::~Match() = default;

MatchResult Match::playVs(std::unique_ptr<PlayerController> one,
                          std::unique_ptr<PlayerController> two, std::uint32_t seed,
                          std::int64_t limitMs) {
    game->setController(1, std::make_unique<Seat>(std::move(one), 1));
    game->setController(2, std::make_unique<Seat>(std::move(two), 2));
    return play(GameMode::OneToOne, seed, limitMs);
}

MatchResult Match::playStages(std::unique_ptr<PlayerController> one, std::uint32_t seed,
                              std::int64_t limitMs) {
    game->setController(1, std::make_unique<Seat>(std::move(one), 1));
    game->setController(2, std::make_unique<KeyboardController>());
    return play(GameMode::OnePlayer, seed, limitMs);
}

MatchResult Match::play(GameMode mode, std::uint32_t seed, std::int64_t limitMs) {
    host->winner = 0;
    host->completed = false;
    longest[0] = longest[1] = 0;
    game->random().seed(seed);
    game->TipoJuego = mode;
    const std::int64_t start = game->clock().now();
    game->mnNuevoJuegoClick();
    game->clock().runUntil([this] { return !game->Jugando; }, limitMs);
    MatchResult r;
    r.lengthMs = game->clock().now() - start;
    if (game->Jugando)
        game->EndGame(false, nullptr);
    r.winner = host->winner;
    r.completed = host->completed;
    r.stage = game->FaseActual;
    for (int n = 0; n < 2; ++n) {
        r.points[n] = game->player(n + 1).Points;
        r.longest[n] = longest[n];
    }
    return r;
}
