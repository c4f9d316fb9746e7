// The six cues are played by the game's own RIFF reader and mixer; they must be plain
// 8-bit mono PCM at 11025 Hz with the exact lengths the game was timed with, and start
// and stop in silence.
#include "assets/AssetPaths.h"

#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

struct Wave {
    QByteArray riff;
    quint32 riffSize = 0;
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0;
    QByteArray data;
};

Wave readWave(const QString &name) {
    QFile file(assets::wavePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
    const QByteArray bytes = file.readAll();
    Wave w;
    if (bytes.size() < 44)
        return w;
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    w.riff = bytes.left(4) + bytes.mid(8, 4) + bytes.mid(12, 4) + bytes.mid(36, 4);
    w.riffSize = qFromLittleEndian<quint32>(p + 4);
    w.format = qFromLittleEndian<quint16>(p + 20);
    w.channels = qFromLittleEndian<quint16>(p + 22);
    w.rate = qFromLittleEndian<quint32>(p + 24);
    w.bits = qFromLittleEndian<quint16>(p + 34);
    w.data = bytes.mid(44, qFromLittleEndian<quint32>(p + 40));
    EXPECT_EQ(w.riffSize + 8, quint32(bytes.size())) << qPrintable(name);
    return w;
}

int level(const QByteArray &data, int i) {
    return std::abs(int(uchar(data[i])) - 128);
}

TEST(GameSounds, EachCueHasItsFormatAndExactLength) {
    const std::pair<const char *, int> cues[] = {{"SND_DEPOSITAR", 2495}, {"SND_ELIMINAR", 6038},
                                                 {"SND_NIVEL", 9995},     {"SND_ROCAS", 2422},
                                                 {"SND_LINEAS", 6053},    {"SND_FASE", 22339}};
    for (const auto &[name, bytes] : cues) {
        const Wave w = readWave(name);
        EXPECT_EQ(w.riff, QByteArray("RIFFWAVEfmt data")) << name;
        EXPECT_EQ(w.format, 1) << name;
        EXPECT_EQ(w.channels, 1) << name;
        EXPECT_EQ(w.rate, 11025u) << name;
        EXPECT_EQ(w.bits, 8) << name;
        EXPECT_EQ(w.data.size(), bytes) << name;
    }
}

TEST(GameSounds, CuesAreAudibleWithoutClicksOrClipping) {
    for (const char *name :
         {"SND_DEPOSITAR", "SND_ELIMINAR", "SND_NIVEL", "SND_ROCAS", "SND_LINEAS", "SND_FASE"}) {
        const QByteArray data = readWave(name).data;
        ASSERT_GT(data.size(), 100) << name;
        // Silence at both ends: a cue cut in or out mid-wave clicks.
        for (int i = 0; i < 4; ++i) {
            EXPECT_LE(level(data, i), 2) << name << " start " << i;
            EXPECT_LE(level(data, data.size() - 1 - i), 2) << name << " end " << i;
        }
        int loudest = 0;
        for (int i = 0; i < data.size(); ++i)
            loudest = std::max(loudest, level(data, i));
        EXPECT_GE(loudest, 60) << name;
        EXPECT_LE(loudest, 120) << name << " leaves no headroom";
    }
}

} // namespace
