#include "tools/soundmix-sim/MixerScript.h"
#include "tools/soundmix-sim/ScriptWords.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

// soundmix-sim [SCRIPT]: runs the mixer on a simulated device from a script.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QFile input;
    if (argc > 1) {
        input.setFileName(QString::fromLocal8Bit(argv[1]));
        if (!input.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "error: cannot read %s\n", argv[1]);
            return 2;
        }
    } else if (!input.open(stdin, QIODevice::ReadOnly)) {
        return 2;
    }
    QTextStream out(stdout);
    MixerScript script(out);
    int lineNumber = 0;
    while (!input.atEnd()) {
        ++lineNumber;
        QString line = QString::fromUtf8(input.readLine());
        while (line.endsWith(u'\n') || line.endsWith(u'\r'))
            line.chop(1);
        QStringList words;
        try {
            if (!splitWords(line, words))
                throw ScriptError("unterminated quote");
            if (!words.isEmpty())
                script.run(words);
        } catch (const ScriptError &e) {
            out.flush();
            std::fprintf(stderr, "error: line %d: %s\n", lineNumber, e.what());
            return 2;
        }
    }
    return 0;
}
