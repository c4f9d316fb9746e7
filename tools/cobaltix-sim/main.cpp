#include "tools/cobaltix-sim/Simulator.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

// cobaltix-sim [SCRIPT]: plays the game from a script (or standard input) on a virtual
// clock and prints a transcript. Exit status 2 when a script line cannot be run.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QFile file;
    bool opened = argc > 1 ? (file.setFileName(QString::fromLocal8Bit(argv[1])),
                              file.open(QIODevice::ReadOnly))
                           : file.open(stdin, QIODevice::ReadOnly);
    if (!opened) {
        std::fprintf(stderr, "error: cannot read %s: %s\n", argc > 1 ? argv[1] : "stdin",
                     qPrintable(file.errorString()));
        return 2;
    }
    ScriptReader script(QString::fromUtf8(file.readAll()));
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
