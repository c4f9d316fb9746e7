#include "sound/MixerSession.h"
#include "tests/sound/MixerTestSupport.h"

// Session creation from the configuration, validation and the channel operations.

using SessionTest = MixerTest;

TEST_F(SessionTest, SecondInitIsRefusedAndLeavesTheFirstSessionWorking) {
    init();
    EXPECT_MIX_ERROR(SoundMixInit(nullptr), "Session already initialized");
    SoundMixOpenChannels(session, 0, ChannelOne);
    EXPECT_EQ(session->openChannels, 1);
}

TEST_F(SessionTest, ShutdownLeavesAStaleHandleThatFailsValidation) {
    TMixerSession *stale = init();
    SoundMixShutdown(stale);
    EXPECT_MIX_ERROR(SoundMixOpenChannels(stale, 0, ChannelOne), "Invalid Session handle");
    EXPECT_MIX_ERROR(SoundMixActivate(nullptr, true), "Invalid Session handle");
    // A new session may be created once the old one is gone.
    init();
    EXPECT_NE(session, nullptr);
}

TEST_F(SessionTest, DefaultsAreMonoElevenKilohertzWithThreeBlocksOf2048) {
    init();
    EXPECT_EQ(session->format.channels, 1);
    EXPECT_EQ(session->format.samplesPerSec, 11025u);
    EXPECT_EQ(session->format.avgBytesPerSec, 11025u);
    EXPECT_EQ(session->blockLength, 2048);
    EXPECT_EQ(session->blockCount, 3);
    EXPECT_EQ(session->remix, &RemixFull);
    EXPECT_STREQ(session->sectionName, "Test Card");
    EXPECT_EQ(session->deviceNumber, 0);
}

TEST_F(SessionTest, ConfigRecordAsksForStereoAndRateOnlyWhenItsSizeIsTen) {
    TMixerConfig config{10, ConfigChannels | ConfigRate, 2, 44};
    init(QString(), &config);
    EXPECT_EQ(session->format.channels, 2);
    EXPECT_EQ(session->format.blockAlign, 2);
    EXPECT_EQ(session->format.samplesPerSec, 44100u);
    EXPECT_EQ(session->format.avgBytesPerSec, 88200u);
    EXPECT_EQ(session->blockLength, 4096);
    SoundMixShutdown(session);

    config.size = 12;
    init(QString(), &config);
    EXPECT_EQ(session->format.channels, 1);
    EXPECT_EQ(session->format.samplesPerSec, 11025u);
}

TEST_F(SessionTest, MonoDeviceStaysMonoWhenStereoIsAskedFor) {
    audio.setDevices(1, DeviceCaps{"Mono Card", 1, false});
    TMixerConfig config{10, ConfigChannels, 2, 0};
    init(QString(), &config);
    EXPECT_EQ(session->format.channels, 1);
}

TEST_F(SessionTest, DeviceSectionOverridesTheDefaultSectionIgnoringCase) {
    init("[DEFAULT]\nremix=2\nWaveBlocks=1\nSamplesPerSec=44\n"
         "[test card]\nWaveBlocks=8\nGoodWavePos=257\nWaveBlockLen=1000\n"
         "[general]\nWaveOutDevice=1\n");
    EXPECT_EQ(session->remix, &RemixShift);
    EXPECT_EQ(session->blockCount, 6);
    EXPECT_EQ(session->deviceClock, 1); // the low byte of 257
    EXPECT_EQ(session->format.samplesPerSec, 44100u);
    EXPECT_EQ(session->blockLength, 1000);
    EXPECT_EQ(session->deviceNumber, -1); // 1 is out of range with one device
}

TEST_F(SessionTest, BlockLengthFromTheDefaultSectionIsCutToAMultipleOfFourAndBounded) {
    init("[default]\nWaveBlockLen=2050\n");
    EXPECT_EQ(session->blockLength, 2048);
    SoundMixShutdown(session);
    init("[default]\nWaveBlockLen=100\n");
    EXPECT_EQ(session->blockLength, 512);
    SoundMixShutdown(session);
    init("[default]\nWaveBlockLen=5000\n");
    EXPECT_EQ(session->blockLength, 4096);
}

TEST_F(SessionTest, BlockLengthFromTheDeviceSectionIsBoundedButNotTakenModulo65536) {
    const struct {
        const char *ini;
        int32_t length;
    } cases[] = {
        // 65600 modulo 65536 is 64, which would give the shortest block, not the longest.
        {"[test card]\nWaveBlockLen=65600\n", 4096},
        // A length that is not whole frames would swap a stereo session's channels.
        {"[test card]\nWaveBlockLen=1001\n", 1000},
        {"[test card]\nWaveBlockLen=-5000\n", 512},
        // The device's own value wins even where the default section's would be 0.
        {"[default]\nWaveBlockLen=65536\n[test card]\nWaveBlockLen=131072\n", 4096},
        // 0 after the modulo in the default section derives the length from the rate.
        {"[default]\nWaveBlockLen=65536\n", 2048},
    };
    for (const auto &k : cases) {
        init(k.ini);
        EXPECT_EQ(session->blockLength, k.length) << k.ini;
        SoundMixShutdown(session);
    }
}

TEST_F(SessionTest, RefusedDevicesLeaveNoSessionBehind) {
    audio.setDevices(1, DeviceCaps{"Slow Card", 1, true});
    EXPECT_MIX_ERROR(SoundMixInit(nullptr),
                     "Slow Card is a syncronous (blocking) wave output device.  This will not "
                     "permit audio to play while other applications are running");
    audio.setDevices(1, DeviceCaps{"Odd Card", 1, false});
    EXPECT_MIX_ERROR(init("[not compatible]\nOdd Card=1\n"),
                     "Odd Card is not compatible with the realtime sound mixer");
    session = nullptr;
    audio.setDevices(0, DeviceCaps{});
    EXPECT_MIX_ERROR(SoundMixInit(nullptr), "No wave output devices available");
    audio.setDevices(1, DeviceCaps{"Good Card", 1, false});
    setMixerConfigPath(QString());
    EXPECT_NE(init(), nullptr);
}

TEST_F(SessionTest, OpeningChecksFlagsChannelAndCountInThatOrder) {
    init();
    EXPECT_MIX_ERROR(SoundMixOpenChannels(session, 9, 3), "Invalid Flags");
    EXPECT_MIX_ERROR(SoundMixOpenChannels(session, 8, ChannelOne), "Invalid channel number");
    EXPECT_MIX_ERROR(SoundMixOpenChannels(session, -1, ChannelOne), "Invalid channel number");
    EXPECT_MIX_ERROR(SoundMixOpenChannels(session, 0, ChannelCount), "Invalid number of channels");
    EXPECT_MIX_ERROR(SoundMixOpenChannels(session, 9, ChannelCount), "Invalid number of channels");
    SoundMixOpenChannels(session, 1, ChannelOne);
    EXPECT_MIX_ERROR(SoundMixOpenChannels(session, 1, ChannelOne),
                     "The channel has already been opened");
    SoundMixOpenChannels(session, 3, ChannelCount);
    EXPECT_EQ(session->openChannels, 3);
    SoundMixOpenChannels(session, 0, ChannelAll);
    EXPECT_EQ(session->openChannels, 8);
}

TEST_F(SessionTest, ClosingAndFlushingRefuseBadOrClosedChannels) {
    init();
    SoundMixOpenChannels(session, 2, ChannelOne);
    EXPECT_MIX_ERROR(SoundMixCloseChannels(session, 1, 0), "The specified channel was not open");
    EXPECT_MIX_ERROR(SoundMixFlushChannels(session, -3, 0), "Invalid channel number");
    EXPECT_MIX_ERROR(SoundMixCloseChannels(session, 8, 0), "Invalid channel number");
    SoundMixCloseChannels(session, 2, 0);
    EXPECT_EQ(session->openChannels, 0);
    EXPECT_FALSE(isOpen(*session, 2));
}

TEST_F(SessionTest, FailedActivationLeavesTheSessionInactiveAndRetryWorks) {
    init();
    audio.setOpenError(4);
    EXPECT_MIX_ERROR(SoundMixActivate(session, true), "Failed to open waveform output device #4");
    EXPECT_FALSE(session->active);
    EXPECT_EQ(engine().deviceHolder, nullptr);
    SoundMixActivate(session, true);
    EXPECT_TRUE(session->active);
    EXPECT_EQ(engine().deviceHolder, session);
}
