#include "tools/cobaltix-sim/Simulator.h"

#include <QCoreApplication>

#include <cstdio>

// cobaltix-sim [SCRIPT]: plays the game from a script (or standard input) on a virtual
// clock and prints a transcript. Exit status 2 when a script line cannot be run.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QString text;
    if (!readScript(argc, argv, text))
        return 2;
    ScriptReader script(text);
    Simulator simulator;
    try {
        simulator.run(script);
    } catch (const ScriptError &error) {
        simulator.transcript().flush();
        std::fprintf(stderr, "error: line %d: %s\n", error.lineNumber,
                     error.reason.toUtf8().constData());
        return 2;
    }
    simulator.transcript().flush();
    return 0;
}
