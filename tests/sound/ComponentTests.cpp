#include "sound/MixerSession.h"
#include "tests/sound/MixerTestSupport.h"

// The component the main window owns.

using ComponentTest = MixerTest;

TEST_F(ComponentTest, ChannelsMaskOpensAndClosesSingleChannels) {
    TSoundMix mix;
    TMixerSession &s = *mix.session();
    mix.setChannels(15);
    EXPECT_EQ(s.openChannels, 4);
    mix.setChannels(6);
    EXPECT_EQ(s.openChannels, 2);
    EXPECT_FALSE(isOpen(s, 0));
    EXPECT_TRUE(isOpen(s, 1));
    EXPECT_TRUE(isOpen(s, 2));
    EXPECT_FALSE(isOpen(s, 3));
    mix.setChannels(255);
    EXPECT_EQ(s.openChannels, 8);
    mix.setChannels(0);
    EXPECT_EQ(s.openChannels, 0);
    EXPECT_EQ(mix.Channels(), 0);
}

TEST_F(ComponentTest, SecondComponentIsRefusedAndTheFirstKeepsItsSession) {
    TSoundMix mix;
    EXPECT_MIX_ERROR(TSoundMix second, "Session already initialized");
    mix.setChannels(1);
    EXPECT_EQ(mix.session()->openChannels, 1);
}

TEST_F(ComponentTest, ActivatedStaysUnchangedWhenTheDeviceCannotBeOpened) {
    TSoundMix mix;
    audio.setOpenError(4);
    EXPECT_MIX_ERROR(mix.setActivated(true), "Failed to open waveform output device #4");
    EXPECT_FALSE(mix.Activated());
    mix.setActivated(true);
    EXPECT_TRUE(mix.Activated());
}

TEST_F(ComponentTest, PlaysAResourceWaveAndCleansUpWhenDestroyed) {
    {
        TSoundMix mix;
        mix.setChannels(15);
        TMixerWave *w = mix.OpenWave("SND_TEST");
        mix.setActivated(true);
        mix.Play(2, w, nullptr, PlayClearQueue | PlayStartNow, 0);
        audio.advance(200);
        EXPECT_EQ(uchar(audio.played()[10]), 100);
        mix.FreeWave(w);
    }
    EXPECT_EQ(engine().deviceHolder, nullptr);
    TSoundMix again; // the session was released
    EXPECT_NE(again.session(), nullptr);
}
