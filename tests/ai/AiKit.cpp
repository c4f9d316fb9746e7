#include "AiKit.h"

#include <cstring>
#include <stdexcept>

int ColourOf(char letter) {
    const char *codes = ".RGBYMJX";
    const char *at = std::strchr(codes, letter);
    if (!at || letter == 0)
        throw std::invalid_argument("no cell code for this letter");
    return int(at - codes);
}

TBoard WellOf(const std::vector<std::string> &given) {
    std::vector<std::string> rows = given;
    while (rows.size() < 16)
        rows.insert(rows.begin(), ".......");
    TBoard b;
    b.cells.fill(Cell::Border);
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r < 16; ++r)
            b(c, r) = ColourOf(rows[size_t(r)][size_t(c)]);
    return b;
}

std::vector<std::string> RowsOf(const TBoard &b) {
    std::vector<std::string> rows;
    for (int r = 0; r < 16; ++r) {
        std::string row;
        for (int c = 0; c < 7; ++c)
            row += ".RGBYMJX"[b(c, r)];
        rows.push_back(row);
    }
    return rows;
}

Sight DealtSight(const std::vector<std::string> &rows, const char *pair, const char *preview,
                 GameMode mode, int limit) {
    Sight s;
    s.own = WellOf(rows);
    s.rival = WellOf({});
    s.falling = true;
    s.pair = {2, 0, 3, 0, ColourOf(pair[0]), ColourOf(pair[1])};
    if (preview[0]) {
        s.preview1 = ColourOf(preview[0]);
        s.preview2 = ColourOf(preview[1]);
    }
    s.mode = mode;
    s.limit = limit;
    s.gemsToGo = mode == GameMode::OneToOne ? 0 : 1000;
    return s;
}
