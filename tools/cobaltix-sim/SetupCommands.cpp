#include "tools/cobaltix-sim/Simulator.h"

#include "services/Artwork.h"
#include "services/ReplayFiles.h"

#include "core/Texts.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

void Simulator::cmdMode(const ScriptLine &line) {
    expectWords(line, 2, "mode one|two|vs");
    game->TipoJuego = modeWord(line, 1);
}

// A file the game would refuse gets the game's own fatal message; the table in use stays.
void Simulator::cmdStages(const ScriptLine &line) {
    expectWords(line, 2, "stages PATH");
    QFile file(line.words[1]);
    TFaseTable table;
    if (!file.open(QIODevice::ReadOnly) || !ParseStages(file.readAll(), table)) {
        host.showError(GetTextFmt(1008, {QFileInfo(line.words[1]).fileName()}), GetText(1003));
        return;
    }
    fileStages = table;
    stagesFromFile = true;
    applyStages();
}

void Simulator::cmdStage(const ScriptLine &line) {
    expectWords(line, 4, "stage LIMIT TARGET none|random|lines|both");
    int limit = number(line, 1, 1, 112, "the group limit");
    int target = number(line, 2, -1000000, 1000000, "the gem target");
    const QString &rocks = line.words[3];
    if (rocks != u"none" && rocks != u"random" && rocks != u"lines" && rocks != u"both")
        throw ScriptError(
            line.number,
            QStringLiteral("rocks are none, random, lines or both, not \"%1\"").arg(rocks));
    builtIn.limit = limit;
    builtIn.target = target;
    builtIn.randomRocks = rocks == u"random" || rocks == u"both";
    builtIn.rockLines = rocks == u"lines" || rocks == u"both";
    stagesFromFile = false;
    applyStages();
}

void Simulator::cmdSeed(const ScriptLine &line) {
    expectWords(line, 2, "seed N");
    bool ok = false;
    uint value = line.words[1].toUInt(&ok);
    if (!ok)
        throw ScriptError(line.number,
                          QStringLiteral("the seed must be a number from 0 to 4294967295"));
    game->random().seed(value);
    seedValue = value;
}

void Simulator::cmdDeal(const ScriptLine &line) {
    if (line.words.size() < 2)
        throw ScriptError(line.number, QStringLiteral("usage: deal LETTERS"));
    std::vector<int> colours;
    for (const QString &word : line.words.mid(1)) {
        for (QChar c : word) {
            int code = BoardText::colourCode(c);
            if (code < 0)
                throw ScriptError(line.number,
                                  QStringLiteral("'%1' is no colour (use R G B Y M J)").arg(c));
            colours.push_back(code);
        }
    }
    game->random().forceColours(colours);
}

void Simulator::cmdAnswer(const ScriptLine &line) {
    host.nextAnswerCancel = !onOff(line, "ok", "cancel");
}

void Simulator::cmdNames(const ScriptLine &line) {
    expectWords(line, 3, "names NAME1 NAME2");
    host.namesAnswers.emplace_back(line.words[1], line.words[2]);
}

// A word ending in ".replay" or holding a "/" is where to record the next game; any
// other word is what the next new-record dialog returns.
void Simulator::cmdRecord(const ScriptLine &line) {
    expectWords(line, 2, "record NAME|PATH");
    const QString &word = line.words[1];
    if (word.endsWith(QLatin1String(ReplaySuffix), Qt::CaseInsensitive) || word.contains(u'/'))
        recordInto(word);
    else
        host.recordAnswers.push_back(word);
}

void Simulator::cmdKeys(const ScriptLine &line) {
    expectWords(line, 11, "keys K1 K2 K3 K4 K5 K6 K7 K8 K9 K10");
    for (int i = 0; i < 10; ++i)
        game->TeclasJuego[size_t(i)] = std::uint16_t(number(line, i + 1, 0, 65535, "a key code"));
}

// The game's own pictures instead of plain ones, so wells compare with the window's.
void Simulator::cmdArt(const ScriptLine &line) {
    const bool on = onOff(line, "on", "off");
    game->pictures() = on ? LoadPictures() : TPictures::plain();
    for (int n = 1; n <= 2; ++n) {
        views.player(n).well.picture = game->pictures().FondoVacio;
        TInfo &p = game->player(n);
        p.SpriteFor(p.Gem1Colour, p.Gem1Image, p.Gem1Mask);
        p.SpriteFor(p.Gem2Colour, p.Gem2Image, p.Gem2Mask);
    }
}

void Simulator::cmdSound(const ScriptLine &line) {
    game->input(Input::command(InputKind::Sound, onOff(line, "on", "off")));
}

void Simulator::cmdBoard(const ScriptLine &line) {
    expectWords(line, 2, "board P (then 16 rows)");
    int p = player(line, 1, true);
    BoardText::Well well{};
    for (int r = 0; r < BoardText::Rows; ++r) {
        QString text, why;
        int at = 0;
        if (!reader->nextRaw(text, at))
            throw ScriptError(line.number, QStringLiteral("board needs 16 rows, the script "
                                                          "ends after %1")
                                               .arg(r));
        if (!BoardText::parseRow(text, well[size_t(r)], why))
            throw ScriptError(at, why);
    }
    QString why;
    if (!BoardText::checkPacked(well, why))
        throw ScriptError(line.number, why);
    if (p == 0) {
        builtIn.board = well;
        applyStages();
        return;
    }
    TInfo &info = game->player(p);
    for (int c = 0; c < BoardText::Columns; ++c)
        for (int r = 0; r < BoardText::Rows; ++r)
            info.Board(c, r) = well[size_t(r)][size_t(c)];
    info.DrawBoard();
}

// The scoreboard follows the counters it shows, and the level sets the falling speed.
void Simulator::cmdSet(const ScriptLine &line) {
    expectWords(line, 4, "set P FIELD N");
    TInfo &info = game->player(player(line, 1));
    const QString &field = line.words[2];
    if (field == u"level") {
        info.Level = number(line, 3, 1, 9, "the level");
        info.setTickInterval(550 - 50 * info.Level);
        info.ShowLevel();
        return;
    }
    int value = number(line, 3, -1000000000, 1000000000, "the value");
    if (field == u"points") {
        info.Points = value;
        info.ShowPoints();
    } else if (field == u"eliminated") {
        info.Eliminated = value;
        info.ShowEliminated();
    } else if (field == u"stage-eliminated") {
        info.StageEliminated = value;
    } else if (field == u"rocks-pending") {
        info.RocksPending = value;
    } else if (field == u"gems-dealt") {
        info.GemsDealt = value;
    } else {
        throw ScriptError(line.number,
                          QStringLiteral("unknown field \"%1\" (points, eliminated, level, "
                                         "stage-eliminated, rocks-pending, gems-dealt)")
                              .arg(field));
    }
}

void Simulator::cmdMixerFails(const ScriptLine &line) {
    expectWords(line, 2, "mixer-fails TEXT");
    host.mixerFault = line.words[1];
}

void Simulator::cmdMixerWorks(const ScriptLine &line) {
    expectWords(line, 1, "mixer-works");
    host.mixerFault.reset();
}
