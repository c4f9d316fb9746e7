#include "engine/Game.h"

// The value-level rules do the work; here what they did becomes drawing steps,
// status lines, labels, sounds and the other player's rocks.
void Game::Eliminate(TInfo &p, TInfo &o) {
    const RuleSettings settings{Limite, TipoJuego == GameMode::OneToOne};
    EliminateGroups(p.Board, {p.Gem1Col, p.Gem1Row}, {p.Gem2Col, p.Gem2Row}, settings, elimination);
    queueSteps(p, elimination.events);
    p.Points += elimination.points;
    for (const GroupResult &g : elimination.groups) {
        if (g.multiplier == 1)
            PostStatus(p, QString::number(g.size));
        else
            PostStatusAppend(p, QLatin1Char('+') + QString::number(g.size));
    }
    finishPass(p, o);
}

void Game::finishPass(TInfo &p, TInfo &o) {
    const int total = elimination.eliminated;
    p.StageEliminated += total;
    p.Eliminated += total;
    p.ShowEliminated();
    p.ShowPoints();
    if (total > 0) {
        p.Animating = true;
        p.Drawings.Push(0, 0, Step::EndOfAnimation);
    } else {
        Play(TSonido::Depositar, p.Channel1);
    }
    if (elimination.groupCount() >= 2)
        PostStatusAppend(p, QLatin1Char('=') + QString::number(total));
    else if (elimination.groupCount() == 1)
        PostStatus(p, QString::number(total));
    o.RocksPending += elimination.rocksToSend;
}

void Game::queueSteps(TInfo &p, const std::vector<RuleEvent> &events) {
    for (const RuleEvent &e : events) {
        switch (e.kind) {
        case RuleStep::Group:
            p.Drawings.Push(0, 0, Step::SoundEliminate);
            break;
        case RuleStep::Erase:
            p.Drawings.Push(e.col, e.row, Step::Erase);
            break;
        case RuleStep::FrameEnd:
            p.Drawings.Push(0, 0, Step::FrameEnd);
            break;
        case RuleStep::Moved:
            p.Drawings.Push(e.col, e.row, e.code);
            p.Drawings.Push(e.col, e.fromRow, Step::Erase);
            break;
        case RuleStep::Placed:
            p.Drawings.Push(e.col, e.row, e.code);
            break;
        case RuleStep::RocksSound:
            p.Drawings.Push(0, 0, Step::SoundRocks);
            break;
        }
    }
}
