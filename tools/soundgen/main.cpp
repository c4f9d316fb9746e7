// Synthesises the game's six sounds as WAVE files into a folder.
#include "tools/soundgen/Synth.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen OUTPUT_DIR\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "soundgen: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const synth::Cue &cue : synth::gameCues()) {
        QFile file(out.filePath(cue.name + ".wav"));
        const QByteArray bytes = synth::waveFile(synth::render(cue));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "soundgen: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
