#include "sound/MachineAudio.h"
#include "sound/MixerSession.h"
#include "sound/SoundMix.h"
#include "tests/sound/ToneWave.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

// Plays 1.5 s of a 440 Hz tone through the machine's real audio output, the way the
// game does; the real-device test records what reaches the sound server.

static int run(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    try {
        TSoundMix mix;
        DeviceCaps caps;
        currentAudioSystem().capabilities(-1, caps);
        std::printf("play-wave: playing on \"%s\"\n", qPrintable(caps.productName));
        mix.setChannels(1);
        const QByteArray image = toneImage();
        const WaveMemory memory{image.constData(), image.size()};
        TMixerWave *wave = SoundMixLoadWave(mix.session(), &memory);
        mix.setActivated(true);
        if (dynamic_cast<SilentDevice *>(mix.session()->device)) {
            std::fprintf(stderr, "play-wave: the system offers no audio output\n");
            return 1;
        }
        mix.Play(0, wave, nullptr, PlayClearQueue | PlayStartNow, 0);
        QTimer::singleShot(2500, &app, &QCoreApplication::quit);
        app.exec();
        mix.setActivated(false);
        mix.FreeWave(wave);
    } catch (const ESoundMixError &e) {
        std::fprintf(stderr, "play-wave: %s\n", e.what());
        return 1;
    }
    return 0;
}

int main(int argc, char *argv[]) {
    ExitProcess(run(argc, argv));
}
