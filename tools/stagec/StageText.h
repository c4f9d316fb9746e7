#pragma once

#include "engine/Stages.h"

#include <QString>
#include <QStringList>

#include <array>

namespace stages {

// The readable form of one stage; intent is a one-line note for the maintainer that
// the stage file does not keep.
struct StageSource {
    TFase stage;
    QString intent;
    int line = 0;
};

using StageSourceTable = std::array<StageSource, StageCount>;

struct ParseResult {
    bool ok = false;
    // "line N: reason" on failure, for the maintainer editing the source.
    QString error;
};

// Reads the 25 stages of the text source and checks every rule the game relies on.
ParseResult parseStageText(const QString &text, StageSourceTable &table);

// The text form of a stage table, which parseStageText reads back unchanged.
QString stageText(const TFaseTable &table);

// Rules beyond the file format: a playable target and limit, room at the top for the
// first pairs, and no group already at or above the limit. Empty when the stage is fine.
QString stageProblem(const TFase &stage);

// Cell codes as board characters and back.
QChar cellChar(int code);
int cellCode(QChar c);

} // namespace stages
