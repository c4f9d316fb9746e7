#include "engine/Game.h"

namespace {
// FNV-1a, fed value by value.
struct Hasher {
    std::uint64_t h = 1469598103934665603ull;
    void add(std::int64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= std::uint64_t(v >> (8 * i)) & 0xff;
            h *= 1099511628211ull;
        }
    }
    void add(const QString &text) {
        add(text.size());
        for (QChar c : text)
            add(c.unicode());
    }
};

void addPlayer(Hasher &h, const TInfo &p) {
    for (std::int32_t cell : p.Board.cells)
        h.add(cell);
    for (int v : {p.Gem1Col,
                  p.Gem1Row,
                  p.Gem1Colour,
                  p.Gem2Col,
                  p.Gem2Row,
                  p.Gem2Colour,
                  p.Level,
                  p.StageEliminated,
                  p.Eliminated,
                  p.Points,
                  p.RocksPending,
                  p.GemsDealt,
                  int(p.Falling),
                  int(p.Animating),
                  int(p.StageDone),
                  int(p.RocksFallen),
                  int(p.LandingPending),
                  int(p.Active),
                  p.PreviewColour1,
                  p.PreviewColour2})
        h.add(v);
    h.add(p.NextColours.Count());
    for (int i = 0; i < p.NextColours.Count(); ++i)
        h.add(p.NextColours.At(i));
    h.add(p.Drawings.Count());
    for (int i = 0; i < p.Drawings.Count(); ++i) {
        const TColaDib::Entry &e = p.Drawings.At(i);
        h.add(e.col), h.add(e.row), h.add(e.code);
    }
    h.add(p.Messages.Count());
    for (int i = 0; i < p.Messages.Count(); ++i)
        h.add(p.Messages.At(i));
    h.add(p.Name);
}
} // namespace

std::uint64_t Game::stateHash() const {
    Hasher h;
    for (int v : {int(Jugando), int(Pausado), int(TipoJuego), FaseActual, Objetivo, Limite,
                  int(RocasAzar), int(LineasRocas), int(Sonido), int(pauseEnabled)})
        h.add(v);
    addPlayer(h, *p1);
    addPlayer(h, *p2);
    h.add(QString::fromStdString(rng.stateText()));
    h.add(gameClock.now());
    for (int i = 0; i < gameClock.timerCount(); ++i) {
        const ClockTimer &t = gameClock.timer(i);
        h.add(t.interval()), h.add(t.isEnabled()), h.add(t.isEnabled() ? t.due() : 0);
    }
    return h.h;
}
