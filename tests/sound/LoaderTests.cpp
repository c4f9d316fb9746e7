#include "sound/MixerSession.h"
#include "tests/sound/MixerTestSupport.h"

// Loading generated WAV images: the RIFF walk, its errors and the conversions.

namespace {

class LoaderTest : public MixerTest {
protected:
    void SetUp() override {
        MixerTest::SetUp();
        init();
    }
    void reinit(int channels, int rateCode) {
        SoundMixShutdown(session);
        TMixerConfig config{10, ConfigChannels | ConfigRate, uint16_t(channels),
                            uint16_t(rateCode)};
        init(QString(), &config);
    }
    QByteArray samples(const TMixerWave *w) {
        return QByteArray(reinterpret_cast<const char *>(w->data), w->length);
    }
};

} // namespace

TEST_F(LoaderTest, EightBitMonoAtTheSessionRateIsUsedAsRead) {
    const QByteArray data = bytes({0, 127, 128, 255, 3});
    TMixerWave *w = load(waveImage(data));
    EXPECT_EQ(samples(w), data);
    EXPECT_EQ(w->sourceFormat.samplesPerSec, 11025u);
    EXPECT_STREQ(w->name, "memory");
}

TEST_F(LoaderTest, SixteenBitStereo22050BecomesMono11025) {
    WaveSpec spec;
    spec.channels = 2;
    spec.rate = 22050;
    spec.bits = 16;
    // High bytes 0x10/0x30 -> 0x90/0xB0 -> mean 0xA0; 0x70/0x50 -> 0xF0/0xD0 -> 0xE0.
    const QByteArray data = sixteenBit(
        {0x1000, 0x3000, 0x7000, 0x5000, -0x8000, -0x8000, 0x7F00, 0x7F00, 0x0000, 0x0100});
    TMixerWave *w = load(waveImage(data, spec));
    // Frames 0xA0, 0xE0, 0x00, 0xFF, 0x80 -> pairs averaged around 128 (d = 2);
    // the last output frame copies its first source frame.
    ASSERT_EQ(w->length, 2);
    EXPECT_EQ(uchar(w->data[0]), 128 + ((0xA0 - 128) + (0xE0 - 128)) / 2);
    EXPECT_EQ(uchar(w->data[1]), 0x00);
    EXPECT_EQ(w->sourceFormat.bitsPerSample, 16);
}

TEST_F(LoaderTest, UpToFourTimesTheRateInterpolatesAndRepeatsTheLastFrame) {
    reinit(1, 44);
    TMixerWave *w = load(waveImage(bytes({100, 120, 90})));
    EXPECT_EQ(samples(w), bytes({100, 105, 110, 115, 120, 113, 106, 99, 90, 90, 90, 90}));
}

TEST_F(LoaderTest, UpInStereoInterpolatesEachChannel) {
    reinit(2, 22);
    TMixerWave *w = load(waveImage(bytes({10, 20})));
    // Mono to stereo first, then k = 2 (the last frame written twice).
    EXPECT_EQ(samples(w), bytes({10, 10, 15, 15, 20, 20, 20, 20}));
}

TEST_F(LoaderTest, RatesBelowTwiceKeepTheirSamples) {
    WaveSpec spec;
    spec.rate = 8000;
    const QByteArray data = bytes({1, 2, 3, 4});
    TMixerWave *w = load(waveImage(data, spec));
    EXPECT_EQ(samples(w), data);
}

TEST_F(LoaderTest, StereoToMonoTruncatesTheMean) {
    WaveSpec spec;
    spec.channels = 2;
    TMixerWave *w = load(waveImage(bytes({1, 2, 255, 254}), spec));
    EXPECT_EQ(samples(w), bytes({1, 254}));
}

TEST_F(LoaderTest, LongerFormatChunkIsAccepted) {
    WaveSpec spec;
    spec.formatSize = 18;
    TMixerWave *w = load(waveImage(bytes({5, 6, 7}), spec));
    EXPECT_EQ(samples(w), bytes({5, 6, 7}));
}

TEST_F(LoaderTest, BadImagesAreRefusedWithTheirMessage) {
    const QByteArray data = bytes({1, 2, 3, 4});
    WaveSpec adpcm;
    adpcm.tag = 2;
    EXPECT_MIX_ERROR(load(waveImage(data, adpcm)), "The file is not a PCM file");
    WaveSpec deep;
    deep.bits = 24;
    EXPECT_MIX_ERROR(load(waveImage(QByteArray(6, 'a'), deep)), "File format not supported");
    WaveSpec many;
    many.channels = 3;
    many.rate = 22050;
    EXPECT_MIX_ERROR(load(waveImage(data, many)), "File format not supported");
    WaveSpec noRate;
    noRate.rate = 0;
    EXPECT_MIX_ERROR(load(waveImage(data, noRate)), "File format not supported");
    WaveSpec dataFirst;
    dataFirst.dataFirst = true;
    EXPECT_MIX_ERROR(load(waveImage(data, dataFirst)), "WAVE file has no data chunk");
    EXPECT_MIX_ERROR(load(waveImage(QByteArray())), "The data chunk has no data");
    WaveSpec shortFormat;
    shortFormat.formatSize = 14;
    EXPECT_MIX_ERROR(load(waveImage(data, shortFormat)), "Failed to read format chunk");
    EXPECT_MIX_ERROR(load("RIFX....WAVE"), "This is not a WAVE file");
    EXPECT_MIX_ERROR(load(QByteArray("RIFF\x04\0\0\0WAVE", 12)), "WAVE file is corrupted");
}

TEST_F(LoaderTest, TruncatedImagesAreRefused) {
    const QByteArray whole = waveImage(QByteArray(100, 'x'));
    EXPECT_MIX_ERROR(load(whole.left(whole.size() - 10)), "Failed to read data chunk");
    EXPECT_MIX_ERROR(load(whole.left(30)), "Failed to read format chunk");
    EXPECT_MIX_ERROR(load(whole.left(16)), "WAVE file is corrupted");
    EXPECT_MIX_ERROR(load(whole.left(10)), "This is not a WAVE file");
    WaveSpec huge;
    huge.declaredData = 0xFFFFFFF0;
    EXPECT_MIX_ERROR(load(waveImage(QByteArray(8, 'x'), huge)), "Failed to read data chunk");
}

TEST_F(LoaderTest, DataShorterThanOneFrameIsRefused) {
    WaveSpec sixteen;
    sixteen.bits = 16;
    EXPECT_MIX_ERROR(load(waveImage(bytes({7}), sixteen)), "The data chunk has no data");
    WaveSpec stereo;
    stereo.channels = 2;
    EXPECT_MIX_ERROR(load(waveImage(bytes({7}), stereo)), "The data chunk has no data");
    WaveSpec fast;
    fast.rate = 44100;
    EXPECT_MIX_ERROR(load(waveImage(bytes({7, 8, 9}), fast)), "The data chunk has no data");
}

TEST_F(LoaderTest, FilesAreNamedByTheirFirstFifteenCharacters) {
    const QString path = writeFile("a-rather-long-name.wav", waveImage(bytes({1, 2})));
    TMixerWave *w = SoundMixLoadWave(session, path, QString(), WaveFromFile);
    loaded.push_back(w);
    EXPECT_EQ(QString::fromUtf8(w->name), path.left(15));
    EXPECT_MIX_ERROR(SoundMixLoadWave(session, dir.filePath("none.wav"), QString(), WaveFromFile),
                     "Failed to open wave file " + dir.filePath("none.wav"));
}

TEST_F(LoaderTest, ResourcesAreFoundByNameOrNumber) {
    TMixerWave *byName = SoundMixLoadWave(session, "SND_TEST", QString(), WaveFromResource);
    loaded.push_back(byName);
    EXPECT_EQ(byName->length, 1000);
    EXPECT_STREQ(byName->name, "SND_TEST");
    TMixerWave *byNumber = SoundMixLoadWave(session, 7, QString());
    loaded.push_back(byNumber);
    EXPECT_STREQ(byNumber->name, "res#7");
    EXPECT_MIX_ERROR(SoundMixLoadWave(session, 8, QString()), "Failed to open \"WAVE\" resource 8");
    EXPECT_MIX_ERROR(SoundMixLoadWave(session, "SND_NONE", QString(), WaveFromResource),
                     "Failed to open \"WAVE\" resource SND_NONE");
}

TEST_F(LoaderTest, MemoryAndPointerErrorsUseACarriageReturn) {
    EXPECT_MIX_ERROR(SoundMixLoadWave(session, nullptr),
                     "Failed to open memory file, mmioOpen error=259.\r"
                     "May need to make sure memory is read-write");
    EXPECT_MIX_ERROR(SoundMixReleaseWave(session, nullptr), "The given pointer was not valid");
}

TEST_F(LoaderTest, DeviceThatCannotPlayTheFormatRefusesLoading) {
    audio.setFormatSupported(false);
    EXPECT_MIX_ERROR(load(waveImage(bytes({1}))),
                     "The waveform device can\u00b4t play this format");
}

TEST_F(LoaderTest, ReleaseRemovesTheWaveFromEveryQueueAndKeepsOthers) {
    SoundMixOpenChannels(session, 0, ChannelAll);
    SoundMixActivate(session, true);
    TMixerWave *gone = load(waveImage(QByteArray(300, 'a')));
    TMixerWave *kept = load(waveImage(QByteArray(300, 'b')));
    play(0, gone, PlayWait);
    play(0, kept, PlayWait);
    play(1, gone);
    release(gone);
    ASSERT_TRUE(isBusy(*session, 0));
    EXPECT_EQ(session->heads[0]->wave, kept);
    EXPECT_EQ(session->heads[0]->next, nullptr);
    EXPECT_FALSE(isBusy(*session, 1));
}
