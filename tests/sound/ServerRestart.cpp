#include "sound/MachineAudio.h"
#include "sound/MixerSession.h"
#include "sound/SoundMix.h"
#include "tests/sound/ToneWave.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

// Drives the mixer as the game does across a sound server's life: each "on" line
// activates it (a new game) and plays the tone, each "off" line deactivates it, "quit"
// ends. Every command answers one line, so a script can stop and start the server
// between them: "on real", "on silent" or "on failed: MESSAGE"; "off".

namespace {

const char *systemName(const TMixerSession *s) {
    return !dynamic_cast<SilentDevice *>(s->device) ? "real" : "silent";
}

void answer(const char *text) {
    std::printf("%s\n", text);
    std::fflush(stdout);
}

} // namespace

static int drive(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    TSoundMix mix;
    mix.setChannels(1);
    const QByteArray image = toneImage();
    const WaveMemory memory{image.constData(), image.size()};
    TMixerWave *wave = SoundMixLoadWave(mix.session(), &memory);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    auto run = [&](const QByteArray &command) {
        if (command == "on") {
            try {
                mix.setActivated(true);
                mix.Play(0, wave, nullptr, PlayClearQueue | PlayStartNow, 0);
                answer(QByteArray("on ").append(systemName(mix.session())).constData());
            } catch (const ESoundMixError &e) {
                answer(QByteArray("on failed: ").append(e.what()).constData());
            }
        } else if (command == "off") {
            mix.setActivated(false);
            answer("off");
        } else {
            app.quit();
        }
    };
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            app.quit();
            return;
        }
        pending.append(buffer, int(n));
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1))
            run(pending.left(end).trimmed());
    });
    app.exec();
    mix.setActivated(false);
    mix.FreeWave(wave);
    return 0;
}

int main(int argc, char *argv[]) {
    ExitProcess(drive(argc, argv));
}
