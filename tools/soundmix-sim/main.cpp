#include "tools/script/ScriptReader.h"
#include "tools/soundmix-sim/MixerScript.h"

#include <QCoreApplication>

#include <cstdio>

// soundmix-sim [SCRIPT]: runs the mixer on a simulated device from a script. Exit status
// 2 when a script line cannot be run.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QString text;
    if (!readScript(argc, argv, text))
        return 2;
    ScriptReader reader(text);
    QTextStream out(stdout);
    MixerScript script(out);
    ScriptLine line;
    auto refuse = [&](int number, const char *why) {
        out.flush();
        std::fprintf(stderr, "error: line %d: %s\n", number, why);
        return 2;
    };
    try {
        while (reader.next(line))
            script.run(line.words);
    } catch (const ScriptError &e) {
        return refuse(e.lineNumber, e.what());
    } catch (const CommandError &e) {
        return refuse(line.number, e.what());
    }
    return 0;
}
