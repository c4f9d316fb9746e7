#include "engine/Game.h"

#include "core/Texts.h"

namespace {
// Fills the two "%s" of an outcome text: the loser's name, then the winner's.
QString formatNames(const QString &pattern, const QString &first, const QString &second) {
    QString text = pattern;
    const QString names[2] = {first, second};
    qsizetype from = 0;
    for (const QString &name : names) {
        const qsizetype at = text.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        text.replace(at, 2, name);
        from = at + name.size();
    }
    return text;
}
} // namespace

void Game::StartStage(int n) {
    if (n < 1 || n > StageCount)
        return;
    const TFase &stage = Fases[size_t(n - 1)];
    Objetivo = stage.Objetivo;
    Limite = stage.Limite;
    RocasAzar = stage.RocasAzar;
    LineasRocas = stage.LineasRocas;
    for (TInfo *p : {p1.get(), p2.get()}) {
        if (!p->Active)
            continue;
        // Steps still queued were meant for the old well; the new stage must not get them.
        p->DiscardDrawings();
        p->ResetBoard();
        p->Board.cells = stage.Tablero;
        p->DrawBoard();
    }
    if (views.StageLabel)
        views.StageLabel->setText(QString::number(n));
    QString text = GetTextFmt(10003, {n, Limite});
    if (RocasAzar)
        text += GetText(10004);
    if (LineasRocas)
        text += GetText(10005);
    hostPtr->MostrarMensaje(text, QString::fromLatin1(ApplicationTitle), false);
}

void Game::StageComplete(TInfo &p) {
    TInfo &o = other(p);
    Play(TSonido::Fase, p.Channel1);
    hostPtr->MostrarMensaje(GetTextFmt(10002, {FaseActual}), QString::fromLatin1(ApplicationTitle),
                            false);
    PostStatus(*p1, QString());
    PostStatus(*p2, QString());
    p.StageEliminated = p.RocksPending = 0;
    if (o.Active)
        o.StageEliminated = o.RocksPending = 0;
    if (FaseActual >= LastStage) {
        endStages(p);
        return;
    }
    ++FaseActual;
    StartStage(FaseActual);
    p.StageDone = false;
    if (o.Active)
        o.StageDone = false;
    if (TipoJuego == GameMode::TwoPlayers && o.Active) {
        generateShared(*p1, p2.get(), 4);
        setTimer(p1->TickTimer, true);
        setTimer(p2->TickTimer, true);
    } else {
        generateShared(p, nullptr, 4);
        setTimer(p.TickTimer, true);
    }
}

// The last stage is done: the end form, the final bonus, and the high-score entries.
void Game::endStages(TInfo &p) {
    TInfo &o = other(p);
    hostPtr->showFinal();
    p.Points += 10000;
    if (o.Active)
        o.Points += 10000;
    holdEndNotice = true;
    EndGame(false, &p);
    holdEndNotice = false;
    recordStages(*p1);
    recordStages(*p2);
    ended(GameEnd::Completed, nullptr);
}

void Game::PlayerOut(TInfo &p) {
    p.Active = false;
    p.StageDone = true;
    p.ResetQueues();
    setTimer(p.TickTimer, false);
    showGameOver(p);
    TInfo &o = other(p);
    if (o.StageDone)
        StageComplete(o);
}

void Game::EndGame(bool lost, TInfo *p) {
    TInfo &loser = p ? *p : *p2;
    TInfo &winner = p == p1.get() ? *p2 : *p1;
    const bool wasPlaying = Jugando;
    stopAllTimers();
    p1->ResetQueues();
    p2->ResetQueues();
    Jugando = false;
    ++generation;
    p1->Active = p2->Active = false;
    if (Pausado)
        liftPause();
    setPauseItem(false);
    if (lost && p) {
        if (TipoJuego == GameMode::OneToOne) {
            endOneToOne(loser, winner);
        } else {
            showGameOver(loser);
            recordStages(winner);
            recordStages(loser);
        }
    }
    SetMixerActive(false);
    if (wasPlaying && !holdEndNotice)
        ended(lost && p ? GameEnd::Lost : GameEnd::Stopped, lost ? p : nullptr);
}

void Game::ended(GameEnd how, const TInfo *loser) {
    if (inputObserver)
        inputObserver->gameEnded(gameClock.now(), how, loser ? loser->Number : 0);
}

void Game::endOneToOne(TInfo &loser, TInfo &winner) {
    Play(TSonido::Fase, loser.Channel1);
    winner.Points += 1000;
    winner.ShowPoints();
    if (winner.View.PointsLabel)
        winner.View.PointsLabel->repaint();
    const QString &pattern = TextosDerrota[size_t(rng.Random(5))];
    hostPtr->MostrarMensaje(formatNames(pattern, loser.Name, winner.Name), GetText(10001), false);
    hostPtr->NuevoRecordVs(winner.Points, true, winner.Name);
    hostPtr->NuevoRecordVs(loser.Points, false, loser.Name);
    hostPtr->showHighScores();
}

// A by-stages result for the high-score table; the name the dialog returned is logged.
// A CPU's result goes in under its own name: nobody is asked to type one for it.
void Game::recordStages(TInfo &p) {
    if (controller(p.Number).playerName().isEmpty())
        hostPtr->NuevoRecordFases(p.Points, FaseActual, p.Name);
    else
        hostPtr->NuevoRecordFasesCpu(p.Points, FaseActual, p.Name);
    answered({AnswerKind::NewRecord, p.Points, p.Name, {}, {}});
}
