#pragma once

#include <QString>

#include <array>

// The well as text: one letter per cell code, used by "board" and "show".
namespace BoardText {

constexpr int Columns = 7, Rows = 16;
// Interior cells only, indexed [row][column].
using Well = std::array<std::array<int, Columns>, Rows>;

// "." for 0, R G B Y M for 1..5, J joker, X rock, "?" for anything else.
QChar letter(int code);
// The code of a letter, or -1 when the letter names no cell.
int code(QChar letter);
// The code of a gem colour letter R G B Y M J, or -1.
int colourCode(QChar letter);

// One row of 7 cell letters, optionally between bars as "show" prints it. Returns false
// with the reason in why.
bool parseRow(const QString &text, std::array<int, Columns> &row, QString &why);
// Every column must be one unbroken run standing on the bottom row.
bool checkPacked(const Well &well, QString &why);

} // namespace BoardText
