#pragma once

#include <QString>

#include <cstdint>

// The five CPU levels, from a beginner's slips to a master's cascades.
enum class CpuLevel : std::uint8_t { Beginner, Easy, Medium, Hard, Master };
constexpr int CpuLevelCount = 5;

// "beginner", "easy", "medium", "hard", "master": the words of scripts, tools and
// stored settings.
const char *CpuLevelWord(CpuLevel level);
bool ParseCpuLevel(const QString &word, CpuLevel &level);
// The level's name in the current language ("Master", "Maestro").
QString CpuLevelName(CpuLevel level);

// How a level plays: how far it looks, how it judges a board, how fast it moves and
// how often it slips. Times are in ms of game time.
struct LevelParams {
    // 1: the falling pair only; 2: and the preview pair; 3: and the pairs after it,
    // by their expected colours.
    int lookAhead = 1;
    // Which terms of the evaluation it weighs (see Evaluate.h).
    int judgement = 0;
    int thinkMs = 500, thinkSpreadMs = 0; // before the first move of a pair
    int moveMs = 150, moveSpreadMs = 0;   // between moves
    // Chance in 1000 that a pair goes to a worse place than the best found, and how
    // many of the next best it picks among.
    int slipPerMille = 0, slipChoices = 1;
    // How far the evaluation of a placement may be off, in score units, at random.
    int noise = 0;
    // Steps a placed pair down up to this many rows before it throws it.
    int dropSteps = 0;
};

const LevelParams &ParamsOf(CpuLevel level);
