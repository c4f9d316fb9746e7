#include "tools/stagec/StageText.h"

#include <QTextStream>

namespace stages {

namespace {

const QString CellChars = QStringLiteral(".RGBYMJX");
constexpr int Width = 7;
constexpr int Height = 16;

class ParseError {
public:
    ParseError(int line, QString reason)
        : message(QStringLiteral("line %1: %2").arg(line).arg(reason)) {}
    QString message;
};

// Walks the source line by line; comments and blank lines only separate entries.
class Reader {
public:
    explicit Reader(const QString &text) : lines(text.split(QLatin1Char('\n'))) {}

    // The next meaningful line, trimmed; false at the end of the text.
    bool next(QString &line) {
        while (index < lines.size()) {
            line = lines[index++].trimmed();
            if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
                return true;
        }
        return false;
    }
    // The next line exactly as written, for board rows.
    bool nextRaw(QString &line) {
        if (index >= lines.size())
            return false;
        line = lines[index++].trimmed();
        return true;
    }
    int lineNumber() const { return index; }

private:
    QStringList lines;
    int index = 0;
};

void initWalls(TFase &f) {
    f.Tablero.fill(-1);
    for (int col = 0; col < Width; ++col)
        for (int row = 0; row < Height; ++row)
            f.Tablero[18 * (col + 1) + (row + 1)] = 0;
}

int number(const QString &value, int line, const QString &key) {
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok)
        throw ParseError(line, QStringLiteral("%1 '%2' is not a whole number").arg(key, value));
    return n;
}

bool yesNo(const QString &value, int line, const QString &key) {
    if (value == QLatin1String("yes"))
        return true;
    if (value == QLatin1String("no"))
        return false;
    throw ParseError(line, QStringLiteral("%1 must be yes or no, not '%2'").arg(key, value));
}

void readBoard(Reader &reader, TFase &f) {
    std::array<bool, Width> gemAbove{};
    for (int row = 0; row < Height; ++row) {
        QString line;
        if (!reader.nextRaw(line) || line.isEmpty()) {
            throw ParseError(reader.lineNumber(),
                             QStringLiteral("the board has %1 rows; it needs 16").arg(row));
        }
        if (line.size() != Width) {
            throw ParseError(reader.lineNumber(),
                             QStringLiteral("a board row has 7 cells, not %1").arg(line.size()));
        }
        for (int col = 0; col < Width; ++col) {
            const int code = cellCode(line[col]);
            if (code < 0) {
                throw ParseError(reader.lineNumber(),
                                 QStringLiteral("'%1' is not a cell; use one of %2")
                                     .arg(line[col])
                                     .arg(CellChars));
            }
            if (code == 0 && gemAbove[col]) {
                throw ParseError(reader.lineNumber(),
                                 QStringLiteral("column %1 has a hole under a filled cell; "
                                                "cells rest on the bottom")
                                     .arg(col + 1));
            }
            gemAbove[col] = gemAbove[col] || code != 0;
            f.Tablero[18 * (col + 1) + (row + 1)] = code;
        }
    }
}

// Reads the fields of one stage after its "stage N" line, up to and including its board.
void readStage(Reader &reader, StageSource &source) {
    initWalls(source.stage);
    QStringList missing{"intent", "target", "limit", "rocks", "lines"};
    QString line;
    while (reader.next(line)) {
        const int at = reader.lineNumber();
        const QString key = line.section(QLatin1Char(' '), 0, 0);
        const QString value = line.section(QLatin1Char(' '), 1).trimmed();
        if (key == QLatin1String("board")) {
            if (!missing.isEmpty())
                throw ParseError(
                    at, QStringLiteral("'%1' is missing before the board").arg(missing.first()));
            readBoard(reader, source.stage);
            return;
        }
        if (!missing.removeOne(key))
            throw ParseError(at, QStringLiteral("unexpected '%1' (repeated or unknown)").arg(key));
        if (value.isEmpty())
            throw ParseError(at, QStringLiteral("'%1' needs a value").arg(key));
        if (key == QLatin1String("intent"))
            source.intent = value;
        else if (key == QLatin1String("target"))
            source.stage.Objetivo = number(value, at, key);
        else if (key == QLatin1String("limit"))
            source.stage.Limite = number(value, at, key);
        else if (key == QLatin1String("rocks"))
            source.stage.RocasAzar = yesNo(value, at, key);
        else
            source.stage.LineasRocas = yesNo(value, at, key);
    }
    throw ParseError(reader.lineNumber(), QStringLiteral("the stage ends before its board"));
}

void readAll(Reader &reader, StageSourceTable &table) {
    for (int n = 1; n <= StageCount; ++n) {
        QString line;
        if (!reader.next(line))
            throw ParseError(reader.lineNumber(), QStringLiteral("stage %1 is missing").arg(n));
        if (line.simplified() != QStringLiteral("stage %1").arg(n))
            throw ParseError(reader.lineNumber(),
                             QStringLiteral("expected 'stage %1', found '%2'").arg(n).arg(line));
        StageSource &source = table[n - 1];
        source.line = reader.lineNumber();
        readStage(reader, source);
        const QString problem = stageProblem(source.stage);
        if (!problem.isEmpty())
            throw ParseError(source.line, QStringLiteral("stage %1: %2").arg(n).arg(problem));
    }
    QString extra;
    if (reader.next(extra))
        throw ParseError(reader.lineNumber(), QStringLiteral("text after the last stage"));
}

} // namespace

QChar cellChar(int code) {
    return code >= 0 && code < CellChars.size() ? CellChars[code] : QLatin1Char('?');
}

int cellCode(QChar c) {
    return int(CellChars.indexOf(c));
}

ParseResult parseStageText(const QString &text, StageSourceTable &table) {
    StageSourceTable result;
    Reader reader(text);
    try {
        readAll(reader, result);
    } catch (const ParseError &error) {
        return {false, error.message};
    }
    // The game's own loader has the last word on the binary form.
    TFaseTable stagesOnly;
    for (int n = 0; n < StageCount; ++n)
        stagesOnly[n] = result[n].stage;
    TFaseTable reread;
    QString why;
    if (!ParseStages(SerializeStages(stagesOnly), reread, &why))
        return {false, QStringLiteral("the stage file would be refused: %1").arg(why)};
    table = result;
    return {true, {}};
}

QString stageText(const TFaseTable &table) {
    QString text;
    QTextStream out(&text);
    out << "# Printed from a stage file, which keeps no intents.\n";
    for (int n = 0; n < StageCount; ++n) {
        const TFase &f = table[n];
        out << "\nstage " << n + 1 << "\n"
            << "intent  -\n"
            << "target  " << f.Objetivo << "\n"
            << "limit   " << f.Limite << "\n"
            << "rocks   " << (f.RocasAzar ? "yes" : "no") << "\n"
            << "lines   " << (f.LineasRocas ? "yes" : "no") << "\n"
            << "board\n";
        for (int row = 0; row < Height; ++row) {
            for (int col = 0; col < Width; ++col)
                out << cellChar(f.Tablero[18 * (col + 1) + (row + 1)]);
            out << "\n";
        }
    }
    return text;
}

} // namespace stages
