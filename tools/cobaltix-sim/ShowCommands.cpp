#include "tools/cobaltix-sim/Simulator.h"

namespace {

QString rocksName(bool random, bool lines) {
    if (random && lines)
        return QStringLiteral("both");
    if (random)
        return QStringLiteral("random");
    return lines ? QStringLiteral("lines") : QStringLiteral("none");
}

QString cellPoint(int col, int row) {
    return QStringLiteral("%1,%2").arg(col).arg(row);
}

} // namespace

void Simulator::cmdShow(const ScriptLine &line) {
    if (line.words.size() > 2)
        throw ScriptError(line.number, QStringLiteral("usage: show [game|hash|1|2]"));
    if (line.words.size() == 1) {
        showGame();
        showPlayer(1);
        showPlayer(2);
    } else if (line.words[1] == u"game") {
        showGame();
    } else if (line.words[1] == u"hash") {
        out.line(QStringLiteral("hash state %1 wells %2")
                     .arg(game->stateHash(), 16, 16, QLatin1Char('0'))
                     .arg(WellsHash(views), 16, 16, QLatin1Char('0')));
    } else {
        showPlayer(player(line, 1));
    }
}

void Simulator::cmdEcho(const ScriptLine &line) {
    out.line(line.words.mid(1).join(u' '));
}

void Simulator::showGame() {
    out.line(QStringLiteral("game playing=%1 paused=%2 mode=%3 stage=%4 target=%5 limit=%6 "
                            "rocks=%7")
                 .arg(Transcript::flag(game->Jugando), Transcript::flag(game->Pausado),
                      QString::fromLatin1(GameModeWord(game->TipoJuego)))
                 .arg(game->FaseActual)
                 .arg(game->Objetivo)
                 .arg(game->Limite)
                 .arg(rocksName(game->RocasAzar, game->LineasRocas)));
}

// Settled cells in capitals, the falling pair in small letters.
QStringList Simulator::wellLines(const TInfo &p) const {
    QStringList rows;
    for (int r = 0; r < BoardText::Rows; ++r) {
        QString row = QStringLiteral("|");
        for (int c = 0; c < BoardText::Columns; ++c) {
            QChar cell = BoardText::letter(p.Board(c, r));
            if (p.Falling && c == p.Gem1Col && r == p.Gem1Row)
                cell = BoardText::letter(p.Gem1Colour).toLower();
            else if (p.Falling && c == p.Gem2Col && r == p.Gem2Row)
                cell = BoardText::letter(p.Gem2Colour).toLower();
            row += cell;
        }
        rows << row + u'|';
    }
    return rows;
}

void Simulator::showPlayer(int number) {
    const TInfo &p = game->player(number);
    const HeadlessViews::Player &f = views.player(number);
    out.line(QStringLiteral("player %1").arg(number));
    for (const QString &row : wellLines(p))
        out.line(row);
    if (p.Falling)
        out.line(QStringLiteral("pair %1 %2 %3 %4")
                     .arg(BoardText::letter(p.Gem1Colour))
                     .arg(cellPoint(p.Gem1Col, p.Gem1Row))
                     .arg(BoardText::letter(p.Gem2Colour))
                     .arg(cellPoint(p.Gem2Col, p.Gem2Row)));
    else
        out.line(QStringLiteral("pair none"));
    if (p.PreviewColour1 == 0 && p.PreviewColour2 == 0)
        out.line(QStringLiteral("preview --"));
    else
        out.line(QStringLiteral("preview %1%2")
                     .arg(BoardText::letter(p.PreviewColour1))
                     .arg(BoardText::letter(p.PreviewColour2)));
    out.line(QStringLiteral("points %1 eliminated %2 level %3 stage-eliminated %4 "
                            "rocks-pending %5 gems-dealt %6")
                 .arg(p.Points)
                 .arg(p.Eliminated)
                 .arg(p.Level)
                 .arg(p.StageEliminated)
                 .arg(p.RocksPending)
                 .arg(p.GemsDealt));
    out.line(QStringLiteral("flags falling=%1 animating=%2 stage-done=%3 rocks-fallen=%4 "
                            "landing-pending=%5 active=%6")
                 .arg(Transcript::flag(p.Falling), Transcript::flag(p.Animating),
                      Transcript::flag(p.StageDone), Transcript::flag(p.RocksFallen),
                      Transcript::flag(p.LandingPending), Transcript::flag(p.Active)));
    out.line(QStringLiteral("labels points %1 eliminated %2 level %3 status %4 rocks %5 name %6")
                 .arg(quoted(f.points.text()), quoted(f.eliminated.text()), quoted(f.level.text()),
                      quoted(f.status.text()), quoted(f.rocks.text()), quoted(f.name.text())));
    QString colours;
    for (int i = 0; i < p.NextColours.Count(); ++i)
        colours += BoardText::letter(p.NextColours.At(i));
    out.line(QStringLiteral("queues colours %1 drawings %2 messages %3")
                 .arg(quoted(colours))
                 .arg(p.Drawings.Count())
                 .arg(p.Messages.Count()));
}
