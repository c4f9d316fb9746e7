// Rules a stage must keep to be playable from its first pair.
#include "tools/stagec/StageText.h"

#include <QList>
#include <QPoint>

namespace stages {

namespace {

constexpr int Width = 7;
constexpr int Height = 16;
// The pair is dealt into the top rows; they stay empty so a stage never starts lost.
constexpr int FreeTopRows = 4;
constexpr int Joker = 6;

int at(const TFase &f, int col, int row) {
    return f.Tablero[18 * (col + 1) + (row + 1)];
}

// The size of the group of colour reaching (col, row), with jokers joining any colour.
int groupSize(const TFase &f, int colour, int col, int row, std::array<bool, 112> &seen) {
    QList<QPoint> pending{{col, row}};
    seen[col * Height + row] = true;
    int size = 0;
    while (!pending.isEmpty()) {
        const QPoint p = pending.takeLast();
        ++size;
        const QPoint steps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const QPoint &step : steps) {
            const QPoint n = p + step;
            if (n.x() < 0 || n.x() >= Width || n.y() < 0 || n.y() >= Height)
                continue;
            const int code = at(f, n.x(), n.y());
            if (seen[n.x() * Height + n.y()] || (code != colour && code != Joker))
                continue;
            seen[n.x() * Height + n.y()] = true;
            pending.append(n);
        }
    }
    return size;
}

QString firstGroupAtLimit(const TFase &f) {
    for (int colour = 1; colour <= 5; ++colour) {
        std::array<bool, 112> seen{};
        for (int col = 0; col < Width; ++col) {
            for (int row = 0; row < Height; ++row) {
                const int code = at(f, col, row);
                if (seen[col * Height + row] || (code != colour && code != Joker))
                    continue;
                const int size = groupSize(f, colour, col, row, seen);
                if (size >= f.Limite) {
                    return QStringLiteral("a group of %1 '%2' at column %3, row %4 already "
                                          "reaches the limit %5")
                        .arg(size)
                        .arg(cellChar(colour))
                        .arg(col + 1)
                        .arg(row + 1)
                        .arg(f.Limite);
                }
            }
        }
    }
    return {};
}

} // namespace

QString stageProblem(const TFase &f) {
    if (f.Objetivo < 1 || f.Objetivo > 999)
        return QStringLiteral("target %1 is not between 1 and 999").arg(f.Objetivo);
    if (f.Limite < 2 || f.Limite > 8)
        return QStringLiteral("limit %1 is not between 2 and 8").arg(f.Limite);
    for (int col = 0; col < Width; ++col) {
        for (int row = 0; row < FreeTopRows; ++row) {
            if (at(f, col, row) != 0) {
                return QStringLiteral("column %1 reaches row %2; the top %3 rows stay empty")
                    .arg(col + 1)
                    .arg(row + 1)
                    .arg(FreeTopRows);
            }
        }
    }
    return firstGroupAtLimit(f);
}

} // namespace stages
