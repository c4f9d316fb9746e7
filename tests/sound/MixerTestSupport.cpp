#include "tests/sound/MixerTestSupport.h"
#include "sound/MixerSession.h"

#include <QCoreApplication>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

namespace {

QByteArray chunk(const char *id, const QByteArray &body, int64_t declared = -1) {
    QByteArray out(id, 4);
    char size[4];
    qToLittleEndian<quint32>(quint32(declared < 0 ? body.size() : declared), size);
    out.append(size, 4);
    out += body;
    if (body.size() & 1)
        out += '\0';
    return out;
}

// Posted finish notices need an application object.
QCoreApplication &application() {
    static int argc = 1;
    static char name[] = "sound_tests";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
    return *QCoreApplication::instance();
}

} // namespace

QByteArray waveImage(const QByteArray &samples, const WaveSpec &spec) {
    QByteArray fmt(int(spec.formatSize), '\0');
    const int blockAlign = spec.channels * spec.bits / 8;
    if (spec.formatSize >= 16) {
        qToLittleEndian<quint16>(spec.tag, fmt.data());
        qToLittleEndian<quint16>(spec.channels, fmt.data() + 2);
        qToLittleEndian<quint32>(spec.rate, fmt.data() + 4);
        qToLittleEndian<quint32>(spec.rate * blockAlign, fmt.data() + 8);
        qToLittleEndian<quint16>(quint16(blockAlign), fmt.data() + 12);
        qToLittleEndian<quint16>(spec.bits, fmt.data() + 14);
    }
    const QByteArray format = chunk("fmt ", fmt);
    const QByteArray data = chunk("data", samples, spec.declaredData);
    const QByteArray body = "WAVE" + (spec.dataFirst ? data + format : format + data);
    return chunk("RIFF", body);
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

QByteArray sixteenBit(std::initializer_list<int> samples) {
    QByteArray out;
    for (int s : samples) {
        char b[2];
        qToLittleEndian<qint16>(qint16(s), b);
        out.append(b, 2);
    }
    return out;
}

void MixerTest::SetUp() {
    application();
    audio.setDevices(1, DeviceCaps{"Test Card", 2, false});
    setAudioSystem(&audio);
    setMixerConfigPath(QString());
}

void MixerTest::TearDown() {
    const bool valid = session && session->tag1 == SessionTag;
    for (TMixerWave *wave : loaded) {
        if (valid) {
            SoundMixReleaseWave(session, wave);
        } else {
            std::free(wave->data);
            delete wave;
        }
    }
    if (valid)
        SoundMixShutdown(session);
    setAudioSystem(nullptr);
    setMixerConfigPath(QString());
}

TMixerSession *MixerTest::init(const QString &ini, const TMixerConfig *config) {
    if (!ini.isEmpty())
        setMixerConfigPath(writeFile("SOUNDMIX.INI", ini.toUtf8()));
    session = SoundMixInit(config);
    return session;
}

TMixerWave *MixerTest::load(const QByteArray &image) {
    const WaveMemory memory{image.constData(), image.size()};
    TMixerWave *wave = SoundMixLoadWave(session, &memory);
    loaded.push_back(wave);
    return wave;
}

void MixerTest::release(TMixerWave *wave) {
    SoundMixReleaseWave(session, wave);
    loaded.erase(std::remove(loaded.begin(), loaded.end(), wave), loaded.end());
}

TMixerWave *MixerTest::synth(int length, int value) {
    WaveSpec spec;
    spec.channels = session->format.channels;
    spec.rate = session->format.samplesPerSec;
    return load(waveImage(QByteArray(length, char(value)), spec));
}

void MixerTest::play(int channel, TMixerWave *wave, uint32_t flags, uint16_t loops) {
    TPlayRequest request;
    request.session = session;
    request.channel = channel;
    request.wave = wave;
    request.flags = flags;
    request.loops = loops;
    SoundMixPlay(&request);
}

QString MixerTest::writeFile(const QString &name, const QByteArray &data) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    return path;
}
