#include "tools/cobaltix-sim/BoardText.h"

namespace BoardText {

namespace {
const QString letters = QStringLiteral(".RGBYMJX");
}

QChar letter(int code) {
    if (code < 0 || code >= letters.size())
        return u'?';
    return letters[code];
}

int code(QChar c) {
    return int(letters.indexOf(c));
}

int colourCode(QChar c) {
    int value = code(c);
    return value >= 1 && value <= 6 ? value : -1;
}

bool parseRow(const QString &text, std::array<int, Columns> &row, QString &why) {
    QString cells = text;
    if (cells.size() == Columns + 2 && cells.front() == u'|' && cells.back() == u'|')
        cells = cells.mid(1, Columns);
    if (cells.size() != Columns) {
        why = QStringLiteral("a board row needs 7 cells, got \"%1\"").arg(text);
        return false;
    }
    for (int c = 0; c < Columns; ++c) {
        row[size_t(c)] = code(cells[c]);
        if (row[size_t(c)] < 0) {
            why = QStringLiteral("'%1' is no cell (use . R G B Y M J X)").arg(cells[c]);
            return false;
        }
    }
    return true;
}

bool checkPacked(const Well &well, QString &why) {
    for (int c = 0; c < Columns; ++c) {
        bool stack = false;
        for (int r = 0; r < Rows; ++r) {
            bool filled = well[size_t(r)][size_t(c)] != 0;
            if (stack && !filled) {
                why = QStringLiteral("column %1 has a hole at row %2 (columns must be packed)")
                          .arg(c)
                          .arg(r);
                return false;
            }
            stack = stack || filled;
        }
    }
    return true;
}

} // namespace BoardText
