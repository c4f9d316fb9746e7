#include "tools/cobaltix-arena/Arena.h"

#include <QCoreApplication>

#include <cstdio>

// cobaltix-arena vs LEVEL1 LEVEL2 [GAMES [SEED]] | stages LEVEL [RUNS [SEED]]: CPU
// levels play seeded games headless on the game clock; see the tools' contract.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    try {
        return RunArena(ParseArenaCommand(args));
    } catch (const ArenaError &error) {
        std::fprintf(stderr, "error: %s\n", error.what());
        return 2;
    }
}
