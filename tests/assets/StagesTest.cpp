// The stage compiler must turn every mistake in the source into a message naming the
// line, and the stage file it builds must be what the game loads.
#include "tools/stagec/StageText.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

// 25 valid stages with empty wells; tests then break one line of it.
QStringList validSource() {
    QStringList lines{"# test stages", ""};
    for (int n = 1; n <= StageCount; ++n) {
        lines << QStringLiteral("stage %1").arg(n) << "intent  test"
              << "target  10"
              << "limit   4"
              << "rocks   no"
              << "lines   no"
              << "board";
        for (int row = 0; row < 16; ++row)
            lines << ".......";
        lines << "";
    }
    return lines;
}

// Line number (from 1) of the k-th board row of stage n.
int boardLine(const QStringList &lines, int stage, int row) {
    const int start = lines.indexOf(QStringLiteral("stage %1").arg(stage));
    return start + 7 + row + 1;
}

QString errorOf(const QStringList &lines) {
    stages::StageSourceTable table;
    const stages::ParseResult result = stages::parseStageText(lines.join('\n'), table);
    return result.ok ? QString() : result.error;
}

void expectErrorAtLine(const QStringList &lines, int line, const char *words) {
    const QString error = errorOf(lines);
    EXPECT_TRUE(error.startsWith(QStringLiteral("line %1:").arg(line))) << qPrintable(error);
    EXPECT_TRUE(error.contains(QLatin1String(words))) << qPrintable(error);
}

TEST(StageSource, ValidSourceCompiles) {
    EXPECT_EQ(errorOf(validSource()), QString());
}

TEST(StageSource, BoardMistakesNameTheirLine) {
    QStringList lines = validSource();
    const int row = boardLine(lines, 3, 14);
    lines[row - 1] = "..Q....";
    expectErrorAtLine(lines, row, "'Q' is not a cell");

    lines = validSource();
    lines[row - 1] = "......";
    expectErrorAtLine(lines, row, "7 cells, not 6");

    // A gem above an empty cell would float, which the game never expects.
    lines = validSource();
    lines[row - 1] = "R......";
    expectErrorAtLine(lines, row + 1, "column 1 has a hole");

    lines = validSource();
    lines.removeAt(boardLine(lines, 25, 15) - 1);
    lines.removeAt(boardLine(lines, 25, 14) - 1);
    lines.removeAt(boardLine(lines, 25, 13) - 1);
    EXPECT_TRUE(errorOf(lines).contains("has 13 rows; it needs 16")) << qPrintable(errorOf(lines));
}

TEST(StageSource, UnplayableStagesAreRefusedAtTheirStageLine) {
    QStringList lines = validSource();
    const int stageLine = lines.indexOf("stage 7") + 1;
    lines[boardLine(lines, 7, 15) - 1] = "RRRR...";
    expectErrorAtLine(lines, stageLine, "group of 4 'R'");

    // A joker joins any colour, so it completes a group as well.
    lines = validSource();
    lines[boardLine(lines, 7, 15) - 1] = "GGJG...";
    expectErrorAtLine(lines, stageLine, "reaches the limit 4");

    lines = validSource();
    for (int row = 2; row < 16; ++row)
        lines[boardLine(lines, 7, row) - 1] = "X......";
    expectErrorAtLine(lines, stageLine, "top 4 rows stay empty");

    lines = validSource();
    lines[stageLine + 1] = "target  0";
    expectErrorAtLine(lines, stageLine, "target 0");
}

TEST(StageSource, FieldMistakesNameTheirLine) {
    QStringList lines = validSource();
    const int stageLine = lines.indexOf("stage 2") + 1;
    lines[stageLine + 3] = "rocks   maybe";
    expectErrorAtLine(lines, stageLine + 4, "yes or no");

    lines = validSource();
    lines[stageLine + 2] = "limit   four";
    expectErrorAtLine(lines, stageLine + 3, "not a whole number");

    lines = validSource();
    lines.removeAt(stageLine);
    expectErrorAtLine(lines, stageLine + 5, "'intent' is missing");

    lines = validSource();
    lines[stageLine + 1] = "colour  red";
    expectErrorAtLine(lines, stageLine + 2, "unexpected 'colour'");

    lines = validSource();
    lines[stageLine - 1] = "stage 3";
    expectErrorAtLine(lines, stageLine, "expected 'stage 2'");

    lines = validSource();
    lines << "stage 26";
    expectErrorAtLine(lines, lines.size(), "after the last stage");
}

TEST(StageSource, PrintedStageFileCompilesToTheSameStages) {
    QStringList lines = validSource();
    lines[boardLine(lines, 5, 15) - 1] = "RGBYMJX";
    lines[boardLine(lines, 5, 14) - 1] = "..X...G";
    lines[lines.indexOf("stage 5") + 4] = "rocks   yes";
    stages::StageSourceTable first;
    ASSERT_TRUE(stages::parseStageText(lines.join('\n'), first).ok);

    TFaseTable table;
    for (int n = 0; n < StageCount; ++n)
        table[n] = first[n].stage;
    stages::StageSourceTable second;
    const stages::ParseResult again = stages::parseStageText(stages::stageText(table), second);
    ASSERT_TRUE(again.ok) << qPrintable(again.error);
    for (int n = 0; n < StageCount; ++n) {
        EXPECT_EQ(second[n].stage.Tablero, table[n].Tablero) << n;
        EXPECT_EQ(second[n].stage.RocasAzar, table[n].RocasAzar) << n;
    }
}

// The shipped stages: loadable by the game and shaped as a curve that teaches first.
TEST(ShippedStages, BuiltStageFileLoadsAndRisesInDifficulty) {
    QFile file(QStringLiteral(COBALTIX_STAGE_FILE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    TFaseTable table;
    QString why;
    ASSERT_TRUE(ParseStages(file.readAll(), table, &why)) << qPrintable(why);

    EXPECT_EQ(table[0].Limite, 4);
    EXPECT_FALSE(table[0].RocasAzar || table[0].LineasRocas);
    EXPECT_TRUE(table[24].RocasAzar && table[24].LineasRocas);
    for (int n = 0; n < StageCount; ++n) {
        EXPECT_TRUE(stages::stageProblem(table[n]).isEmpty()) << n + 1;
        EXPECT_LE(table[n].Objetivo, table[24].Objetivo) << n + 1;
    }
}

} // namespace
