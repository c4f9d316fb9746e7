#include "sound/QtAudioOutput.h"
#include "sound/SoundMix.h"

#include <QCoreApplication>
#include <QTimer>
#include <QtEndian>

#include <cstdio>
#include <cstring>

// Plays 1.5 s of a 440 Hz tone through the machine's real audio output, the way the
// game does; the real-device test records what reaches the sound server.

namespace {

QByteArray toneImage() {
    const int rate = 11025;
    QByteArray samples(rate * 3 / 2, '\0');
    for (int i = 0; i < samples.size(); ++i)
        samples[i] = char((i * 440 * 2 / rate) % 2 ? 208 : 48);
    QByteArray h(44, '\0');
    std::memcpy(h.data(), "RIFF", 4);
    qToLittleEndian<quint32>(quint32(36 + samples.size()), h.data() + 4);
    std::memcpy(h.data() + 8, "WAVEfmt ", 8);
    const quint16 format[] = {1, 1};
    qToLittleEndian<quint32>(16, h.data() + 16);
    qToLittleEndian<quint16>(format[0], h.data() + 20);
    qToLittleEndian<quint16>(format[1], h.data() + 22);
    qToLittleEndian<quint32>(rate, h.data() + 24);
    qToLittleEndian<quint32>(rate, h.data() + 28);
    qToLittleEndian<quint16>(1, h.data() + 32);
    qToLittleEndian<quint16>(8, h.data() + 34);
    std::memcpy(h.data() + 36, "data", 4);
    qToLittleEndian<quint32>(quint32(samples.size()), h.data() + 40);
    return h + samples;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (!dynamic_cast<QtAudioSystem *>(&currentAudioSystem())) {
        std::fprintf(stderr, "play-wave: the system offers no audio output\n");
        return 1;
    }
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
