#include "ai/Levels.h"

#include "core/Texts.h"

namespace {

const char *const levelWords[CpuLevelCount] = {"beginner", "easy", "medium", "hard", "master"};
constexpr int FirstLevelText = 16000;

// The levels differ in what they see ahead, how they weigh a board, their pace and
// their slips; each level keeps clear of the one below in all four.
const LevelParams levelParams[CpuLevelCount] = {
    // lookAhead, judgement, think, spread, move, spread, slips, choices, noise, dropSteps
    {1, 0, 700, 250, 260, 80, 180, 4, 300, 4}, {1, 1, 520, 180, 200, 60, 90, 3, 150, 2},
    {2, 2, 380, 120, 150, 40, 40, 3, 60},      {2, 3, 260, 80, 105, 30, 10, 2, 0},
    {3, 4, 160, 50, 70, 20, 0, 1, 0},
};

} // namespace

const char *CpuLevelWord(CpuLevel level) {
    return levelWords[int(level)];
}

bool ParseCpuLevel(const QString &word, CpuLevel &level) {
    for (int i = 0; i < CpuLevelCount; ++i) {
        if (word == QLatin1String(levelWords[i])) {
            level = CpuLevel(i);
            return true;
        }
    }
    return false;
}

QString CpuLevelName(CpuLevel level) {
    return GetText(FirstLevelText + int(level));
}

const LevelParams &ParamsOf(CpuLevel level) {
    return levelParams[int(level)];
}
