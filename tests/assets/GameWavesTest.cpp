// The cues go through the game's own RIFF reader: every one must load from the
// program's resources by its bare name, unconverted, at its full length.
#include "sound/SilentOutput.h"
#include "sound/SoundMix.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(GameWaves, TheMixerLoadsEveryCueByNameAtFullLength) {
    SilentAudioSystem silence;
    setAudioSystem(&silence);
    QTemporaryDir dir;
    setMixerConfigPath(dir.filePath("SOUNDMIX.INI"));
    TMixerSession *session = SoundMixInit(nullptr);

    const std::pair<const char *, int> cues[] = {{"SND_DEPOSITAR", 2495}, {"SND_ELIMINAR", 6038},
                                                 {"SND_NIVEL", 9995},     {"SND_ROCAS", 2422},
                                                 {"SND_LINEAS", 6053},    {"SND_FASE", 22339}};
    for (const auto &[name, bytes] : cues) {
        TMixerWave *wave = nullptr;
        try {
            wave = SoundMixLoadWave(session, name, QString(), WaveFromResource);
        } catch (const ESoundMixError &error) {
            ADD_FAILURE() << name << ": " << qPrintable(error.message());
            continue;
        }
        EXPECT_EQ(wave->length, bytes) << name;
        EXPECT_EQ(wave->sourceFormat.samplesPerSec, 11025u) << name;
        SoundMixReleaseWave(session, wave);
    }
    SoundMixShutdown(session);
    setMixerConfigPath(QString());
    setAudioSystem(nullptr);
}

} // namespace
