#include "engine/Game.h"

namespace {
// Neighbours are always visited left, right, up, down.
constexpr int NeighbourCol[4] = {-1, 1, 0, 0};
constexpr int NeighbourRow[4] = {0, 0, -1, 1};
} // namespace

void Game::Eliminate(TInfo &p, TInfo &o) {
    seeds.Clear();
    jokersSeen.Clear();
    seeds.Push(p.Gem1Col, p.Gem1Row);
    seeds.Push(p.Gem2Col, p.Gem2Row);
    Pass pass;
    int c, r;
    while (seeds.Pop(c, r)) {
        const int v = p.Board(c, r);
        if (v == Cell::Joker) {
            // Each colour around a joker is searched from its own gem.
            jokersSeen.Push(c, r);
            for (int i = 0; i < 4; ++i) {
                const int nc = c + NeighbourCol[i], nr = r + NeighbourRow[i];
                if (p.Board(nc, nr) != Cell::Border && !jokersSeen.Contains(nc, nr))
                    seeds.Push(nc, nr);
            }
            continue;
        }
        if (v < 1 || v > 5)
            continue;
        if (searchGroup(p, c, r) >= Limite)
            removeGroup(p, pass);
        group.Clear();
    }
    finishPass(p, o, pass);
}

// Builds the connected set of the seed's colour and jokers into group; returns its size.
int Game::searchGroup(TInfo &p, int c, int r) {
    const int colour = p.Board(c, r);
    if (++markStamp == 0) {
        mark.fill(0);
        markStamp = 1;
    }
    group.Clear();
    work.Clear();
    group.Push(c, r);
    work.Push(c, r);
    mark[size_t(TBoard::index(c, r))] = markStamp;
    int size = 1;
    while (work.Pop(c, r)) {
        for (int i = 0; i < 4; ++i) {
            const int nc = c + NeighbourCol[i], nr = r + NeighbourRow[i];
            const int v = p.Board(nc, nr);
            std::uint32_t &seen = mark[size_t(TBoard::index(nc, nr))];
            if ((v == colour || v == Cell::Joker) && seen != markStamp) {
                seen = markStamp;
                group.Push(nc, nr);
                work.Push(nc, nr);
                ++size;
            }
        }
    }
    return size;
}

void Game::removeGroup(TInfo &p, Pass &pass) {
    const int n = group.Count();
    p.Drawings.Push(0, 0, Step::SoundEliminate);
    pass.total += n;
    if (pass.m == 1)
        PostStatus(p, QString::number(n));
    else
        PostStatusAppend(p, QLatin1Char('+') + QString::number(n));
    p.Points += pass.m * (10 * n + 100 * (n - Limite));
    if (TipoJuego == GameMode::OneToOne) {
        const int d = n - Limite;
        if (d > 0)
            pass.rocksToSend += 3 * d - 2 + pass.m;
        else if (pass.m > 1)
            pass.rocksToSend += pass.m / 2 + 1;
    }
    pass.m = pass.m < 27 ? pass.m * 3 : pass.m + 3;
    ++pass.groups;

    // One frame per removed gem, with the rocks it breaks.
    work.Clear();
    int c, r;
    while (group.Pop(c, r)) {
        work.Push(c, r);
        p.Board(c, r) = Cell::Empty;
        p.Drawings.Push(c, r, Step::Erase);
        for (int i = 0; i < 4; ++i) {
            const int nc = c + NeighbourCol[i], nr = r + NeighbourRow[i];
            if (p.Board(nc, nr) == Cell::Rock) {
                p.Board(nc, nr) = Cell::Empty;
                p.Drawings.Push(nc, nr, Step::Erase);
                work.Push(nc, nr);
            }
        }
        p.Drawings.Push(0, 0, Step::FrameEnd);
    }
    closeHoles(p);
}

void Game::finishPass(TInfo &p, TInfo &o, const Pass &pass) {
    p.StageEliminated += pass.total;
    p.Eliminated += pass.total;
    p.ShowEliminated();
    p.ShowPoints();
    if (pass.total > 0) {
        p.Animating = true;
        p.Drawings.Push(0, 0, Step::EndOfAnimation);
    } else {
        Play(TSonido::Depositar, p.Channel1);
    }
    if (pass.groups >= 2)
        PostStatusAppend(p, QLatin1Char('=') + QString::number(pass.total));
    else if (pass.groups == 1)
        PostStatus(p, QString::number(pass.total));
    o.RocksPending += pass.rocksToSend;
}
