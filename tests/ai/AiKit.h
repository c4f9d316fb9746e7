#pragma once

#include "ai/Sight.h"

#include <string>
#include <vector>

// Hand-built wells and sights for the CPU tests. Rows are given bottom-aligned, top
// row first: . empty, R G B Y M gems, J joker, X rock.
TBoard WellOf(const std::vector<std::string> &rows);
std::vector<std::string> RowsOf(const TBoard &board);

// A sight of a pair just dealt onto the well: colours as letters ("RG"), preview too
// ("" for none).
Sight DealtSight(const std::vector<std::string> &rows, const char *pair, const char *preview,
                 GameMode mode = GameMode::OnePlayer, int limit = 4);

int ColourOf(char letter);
