#include "tools/cobaltix-arena/Arena.h"

#include "services/Fases.h"
#include "tools/cobaltix-arena/Match.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr std::int64_t VsLimitMs = 30 * 60 * 1000;
// A run through the stages cannot last forever either; no run comes near this.
constexpr std::int64_t StagesLimitMs = 6 * 60 * 60 * 1000;

const char *const Usage = "usage: cobaltix-arena vs LEVEL1 LEVEL2 [GAMES [SEED]] | "
                          "cobaltix-arena stages LEVEL [RUNS [SEED]]";

void checkLevel(const QString &word) {
    if (!IsArenaLevel(word))
        throw ArenaError(QStringLiteral("unknown level \"%1\" (beginner, easy, medium, hard, "
                                        "master or greedy)")
                             .arg(word)
                             .toStdString());
}

template <typename T> T count(const QString &word, const char *what, T min, T max) {
    bool ok = false;
    const qulonglong value = word.toULongLong(&ok);
    if (!ok || value < qulonglong(min) || value > qulonglong(max))
        throw ArenaError(QStringLiteral("%1 must be a number from %2 to %3, not \"%4\"")
                             .arg(QLatin1String(what))
                             .arg(qulonglong(min))
                             .arg(qulonglong(max))
                             .arg(word)
                             .toStdString());
    return T(value);
}

void print(const QString &line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

struct Tally {
    int wins = 0;
    long long points = 0, longest = 0;
};

int runVs(const ArenaCommand &c, Match &match) {
    Tally tally[2];
    int draws = 0;
    long long lengthMs = 0;
    for (int i = 0; i < c.games; ++i) {
        const std::uint32_t seed = c.seed + std::uint32_t(i);
        // The first level plays player 1 in odd-numbered games.
        const bool swapped = i % 2 == 1;
        auto one = MakeArenaPlayer(swapped ? c.level2 : c.level1, seed);
        auto two = MakeArenaPlayer(swapped ? c.level1 : c.level2, seed);
        const MatchResult r = match.playVs(std::move(one), std::move(two), seed, VsLimitMs);
        lengthMs += r.lengthMs;
        // Seat of the first level, 0 or 1.
        const int first = swapped ? 1 : 0;
        for (int k = 0; k < 2; ++k) {
            const int seat = k == 0 ? first : 1 - first;
            tally[k].points += r.points[seat];
            tally[k].longest += r.longest[seat];
            if (r.winner == seat + 1)
                ++tally[k].wins;
        }
        if (r.winner == 0)
            ++draws;
        const QString &p1 = swapped ? c.level2 : c.level1;
        const QString &p2 = swapped ? c.level1 : c.level2;
        print(QStringLiteral("game %1 seed %2 %3 vs %4 winner %5 points %6 %7 longest %8 %9 "
                             "time %10")
                  .arg(i + 1)
                  .arg(seed)
                  .arg(p1, p2,
                       r.winner == 0 ? QStringLiteral("draw")
                                     : (r.winner == 1 ? p1 : p2) + QLatin1Char('(') +
                                           QString::number(r.winner) + QLatin1Char(')'))
                  .arg(r.points[0])
                  .arg(r.points[1])
                  .arg(r.longest[0])
                  .arg(r.longest[1])
                  .arg(double(r.lengthMs) / 1000.0, 0, 'f', 1));
    }
    const double n = c.games;
    print(QStringLiteral("%1 %2 %3 %4 %5")
              .arg(QStringLiteral("level"), -10)
              .arg(QStringLiteral("wins"), 6)
              .arg(QStringLiteral("mean-points"), 12)
              .arg(QStringLiteral("mean-longest"), 13)
              .arg(QStringLiteral("mean-length-s"), 14));
    for (int k = 0; k < 2; ++k)
        print(QStringLiteral("%1 %2 %3 %4 %5")
                  .arg(k == 0 ? c.level1 : c.level2, -10)
                  .arg(tally[k].wins, 6)
                  .arg(double(tally[k].points) / n, 12, 'f', 1)
                  .arg(double(tally[k].longest) / n, 13, 'f', 2)
                  .arg(double(lengthMs) / n / 1000.0, 14, 'f', 1));
    print(QStringLiteral("vs %1 %2 %3 %4 draws %5 games %6")
              .arg(c.level1)
              .arg(tally[0].wins)
              .arg(c.level2)
              .arg(tally[1].wins)
              .arg(draws)
              .arg(c.games));
    return 0;
}

int runStages(const ArenaCommand &c, Match &match) {
    std::vector<int> reached;
    int completed = 0;
    long long points = 0, lengthMs = 0;
    for (int i = 0; i < c.games; ++i) {
        const std::uint32_t seed = c.seed + std::uint32_t(i);
        const MatchResult r =
            match.playStages(MakeArenaPlayer(c.level1, seed), seed, StagesLimitMs);
        reached.push_back(r.stage);
        completed += r.completed;
        points += r.points[0];
        lengthMs += r.lengthMs;
        print(QStringLiteral("run %1 seed %2 %3 stage %4%5 points %6 longest %7 time %8")
                  .arg(i + 1)
                  .arg(seed)
                  .arg(c.level1)
                  .arg(r.stage)
                  .arg(r.completed ? QStringLiteral(" completed") : QString())
                  .arg(r.points[0])
                  .arg(r.longest[0])
                  .arg(double(r.lengthMs) / 1000.0, 0, 'f', 1));
    }
    std::vector<int> sorted = reached;
    std::sort(sorted.begin(), sorted.end());
    QString spread;
    for (int stage = 1; stage <= StageCount; ++stage) {
        const auto k = std::count(sorted.begin(), sorted.end(), stage);
        if (k > 0)
            spread += QStringLiteral(" %1:%2").arg(stage).arg(k);
    }
    print(QStringLiteral("stages reached%1").arg(spread));
    print(QStringLiteral("mean points %1 mean length %2 s")
              .arg(double(points) / c.games, 0, 'f', 1)
              .arg(double(lengthMs) / c.games / 1000.0, 0, 'f', 1));
    print(QStringLiteral("stages %1 runs %2 completed %3 median-stage %4")
              .arg(c.level1)
              .arg(c.games)
              .arg(completed)
              .arg(sorted[size_t(sorted.size() - 1) / 2]));
    return 0;
}

} // namespace

ArenaCommand ParseArenaCommand(const QStringList &args) {
    ArenaCommand c;
    if (args.isEmpty())
        throw ArenaError(Usage);
    const QString &what = args[0];
    int levels;
    if (what == u"vs") {
        c.kind = ArenaCommand::Kind::Vs;
        levels = 2;
    } else if (what == u"stages") {
        c.kind = ArenaCommand::Kind::Stages;
        c.games = 50;
        levels = 1;
    } else {
        throw ArenaError(QStringLiteral("unknown command \"%1\"; %2")
                             .arg(what, QLatin1String(Usage))
                             .toStdString());
    }
    if (args.size() < 1 + levels || args.size() > 3 + levels)
        throw ArenaError(Usage);
    c.level1 = args[1];
    checkLevel(c.level1);
    if (levels == 2) {
        c.level2 = args[2];
        checkLevel(c.level2);
    }
    const char *games = levels == 2 ? "GAMES" : "RUNS";
    if (args.size() > 1 + levels)
        c.games = count<int>(args[1 + levels], games, 1, 1000000);
    if (args.size() > 2 + levels)
        c.seed = count<std::uint32_t>(args[2 + levels], "SEED", 0, 4294967295u);
    return c;
}

int RunArena(const ArenaCommand &c) {
    TFaseTable stages;
    QString why;
    if (!LoadStageFile(stages, &why)) {
        std::fprintf(stderr, "error: %s\n", why.toUtf8().constData());
        return 1;
    }
    Match match(stages);
    return c.kind == ArenaCommand::Kind::Vs ? runVs(c, match) : runStages(c, match);
}
