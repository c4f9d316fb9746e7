#include "Rig.h"

#include <algorithm>
#include <utility>

int FakeHost::MostrarMensaje(const QString &text, const QString &caption, bool withCancel) {
    int answer = 1;
    if (withCancel && !answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    log.push_back("message \"" + text.toStdString() + "\" title \"" + caption.toStdString() +
                  "\" " + (withCancel ? "okcancel" : "ok") + " -> " + std::to_string(answer));
    return answer;
}

void FakeHost::PedirNombres(QString &name1, QString &name2) {
    name1 = names[0];
    name2 = names[1];
    log.push_back("names");
}

void FakeHost::NuevoRecordFases(int points, int stage, QString &name) {
    log.push_back("record-stages points " + std::to_string(points) + " stage " +
                  std::to_string(stage) + " name " + name.toStdString());
}

void FakeHost::NuevoRecordVs(int points, bool won, const QString &name) {
    log.push_back("record-vs points " + std::to_string(points) + " won " + (won ? "yes" : "no") +
                  " name " + name.toStdString());
}

void FakeHost::waitUntil(const std::function<bool()> &done, GameClock &) {
    log.push_back("wait");
    if (auto pressed = std::exchange(duringWait, nullptr))
        pressed();
    rig.runUntil(done, 60000);
}

std::vector<std::string> FakeHost::matching(const std::string &prefix) const {
    std::vector<std::string> out;
    for (const std::string &line : log)
        if (line.rfind(prefix, 0) == 0)
            out.push_back(line);
    return out;
}

Rig::Rig(std::uint32_t seed, bool pictures) {
    game = std::make_unique<Game>(views.bindings(&host, true),
                                  pictures ? TPictures::plain() : TPictures(), seed);
    // The window starts its wells as copies of the empty well.
    well(1).picture = well(2).picture = game->pictures().FondoVacio;
    setStages(4, 30, false, false);
}

RecordingLabel &Rig::label(int n, int which) {
    HeadlessViews::Player &v = views.player(n);
    RecordingLabel *labels[] = {&v.points, &v.eliminated, &v.status, &v.rocks, &v.level, &v.name};
    return *labels[which];
}

void Rig::run(long long ms) {
    game->clock().run(ms);
}

bool Rig::runUntil(const std::function<bool()> &done, long long limit) {
    for (long long spent = 0; !done() && spent < limit; spent += 5)
        run(5);
    return done();
}

void Rig::settle() {
    runUntil([this] { return p(1).Drawings.IsEmpty() && p(2).Drawings.IsEmpty(); });
}

int codeOf(char c) {
    switch (c) {
    case 'R':
        return 1;
    case 'G':
        return 2;
    case 'B':
        return 3;
    case 'Y':
        return 4;
    case 'M':
        return 5;
    case 'J':
        return 6;
    case 'X':
        return 7;
    default:
        return 0;
    }
}

char letterOf(int code) {
    return code >= 0 && code <= 7 ? ".RGBYMJX"[code] : '?';
}

void Rig::setBoard(int n, const std::vector<std::string> &rows) {
    TInfo &pl = p(n);
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 7; ++c)
            pl.Board(c, r) = r < int(rows.size()) ? codeOf(rows[size_t(r)][size_t(c)]) : 0;
    pl.DrawBoard();
}

std::vector<std::string> Rig::boardRows(int n) {
    std::vector<std::string> rows;
    for (int r = 0; r < 16; ++r) {
        std::string row;
        for (int c = 0; c < 7; ++c)
            row += letterOf(p(n).Board(c, r));
        rows.push_back(row);
    }
    return rows;
}

void Rig::placePair(int n, int c1, int r1, int colour1, int c2, int r2, int colour2) {
    TInfo &pl = p(n);
    pl.Gem1Col = c1;
    pl.Gem1Row = r1;
    pl.Gem2Col = c2;
    pl.Gem2Row = r2;
    pl.Gem1Colour = colour1;
    pl.Gem2Colour = colour2;
    pl.SpriteFor(colour1, pl.Gem1Image, pl.Gem1Mask);
    pl.SpriteFor(colour2, pl.Gem2Image, pl.Gem2Mask);
    pl.Falling = true;
    pl.MovePairBy(0, 0);
}

void Rig::setStages(int limit, int target, bool random, bool lines) {
    game->Fases.fill(PlainStage(limit, target, random, lines));
}

std::string boardProblem(const TInfo &p) {
    for (int c = -1; c <= 7; ++c)
        for (int r = -1; r <= 16; ++r) {
            const bool ring = c < 0 || c > 6 || r < 0 || r > 15;
            const int v = p.Board(c, r);
            if (ring && v != -1)
                return "ring cell " + std::to_string(c) + "," + std::to_string(r) + " holds " +
                       std::to_string(v);
            if (!ring && (v < 0 || v > 7))
                return "cell " + std::to_string(c) + "," + std::to_string(r) + " holds " +
                       std::to_string(v);
        }
    for (int c = 0; c < 7; ++c) {
        bool seen = false;
        for (int r = 0; r < 16; ++r) {
            if (p.Board(c, r) != 0)
                seen = true;
            else if (seen)
                return "column " + std::to_string(c) + " has a hole at row " + std::to_string(r);
        }
    }
    return {};
}

int gemsOnBoard(const TInfo &p) {
    int n = 0;
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r < 16; ++r)
            n += p.Board(c, r) >= 1 && p.Board(c, r) <= 6;
    return n;
}

std::vector<std::string> bottom(std::vector<std::string> rows) {
    while (rows.size() < 16)
        rows.insert(rows.begin(), ".......");
    return rows;
}
