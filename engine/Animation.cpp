#include "engine/Game.h"

#include "core/Texts.h"

// One frame of the player's drawing queue: every step up to the next frame end.
void Game::TimerDibujarTimer(int tag) {
    if (Pausado)
        return;
    TInfo &p = player(tag == 1 ? 1 : 2);
    int col, row, code;
    while (p.Drawings.Pop(col, row, code)) {
        if (code == Step::FrameEnd)
            break;
        playStep(p, col, row, code);
    }
}

void Game::playStep(TInfo &p, int col, int row, int code) {
    switch (code) {
    case Step::Erase:
        p.EraseCell(col, row);
        break;
    case Step::EndOfAnimation:
        p.Animating = false;
        if (p.LandingPending)
            TimerTimer(p.Number);
        break;
    case Step::SoundEliminate:
        Play(TSonido::Eliminar, p.Channel1);
        break;
    case Step::SoundRocks:
        Play(TSonido::Rocas, p.Channel2);
        break;
    default:
        if (code >= 1 && code <= 7)
            p.DrawCell(col, row, code);
        break;
    }
}

void Game::TimerStatusTimer() {
    for (TInfo *p : {p1.get(), p2.get()})
        showStatus(*p);
}

void Game::showStatus(TInfo &p) {
    if (ILabel *rocks = p.View.RocksLabel) {
        rocks->setText(TipoJuego == GameMode::OneToOne
                           ? GetTextFmt(10010, {p.RocksPending})
                           : GetTextFmt(10009, {Objetivo - p.StageEliminated}));
        rocks->repaint();
    }
    if (p.Messages.IsEmpty())
        return;
    QString text;
    p.Messages.Pop(text);
    ILabel *status = p.View.StatusLabel;
    if (!status)
        return;
    if (text.endsWith(QChar(0)))
        status->setText(status->text() + text.chopped(1));
    else
        status->setText(text);
    status->repaint();
}
