#include "sound/MachineAudio.h"
#include "sound/MixerSession.h"
#include "sound/SilentOutput.h"
#include "tests/sound/MixerTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>

// The silent device the game falls back to without audio output: it must pace blocks
// like a real device, or the game's cues would pile up or never finish.

namespace {

void runEventsFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

struct CountingListener : BlockDoneListener {
    void blockDone() override { ++done; }
    int done = 0;
};

} // namespace

using SilentOutputTest = MixerTest;

TEST_F(SilentOutputTest, PlaysBlocksAtTheByteRateAndReportsThemFromItsTimer) {
    SilentAudioSystem silent;
    CountingListener listener;
    int error = 0;
    WaveFormat format;
    auto device = silent.open(-1, format, &listener, error);
    ASSERT_NE(device, nullptr);
    uint8_t buffer[1103] = {};
    WaveHeader header{buffer, sizeof buffer, 0};
    ASSERT_TRUE(device->write(&header));
    EXPECT_EQ(listener.done, 0); // never from inside a call into the device
    runEventsFor(30);
    EXPECT_EQ(listener.done, 0); // 0.1 s of sound is not over after 30 ms
    runEventsFor(150);
    EXPECT_EQ(listener.done, 1);
    EXPECT_TRUE(header.flags & WHDR_DONE);
    EXPECT_EQ(device->bytesPlayed(), 1103);
}

TEST_F(SilentOutputTest, PauseHoldsPlaybackAndResetHandsBlocksBack) {
    SilentAudioSystem silent;
    CountingListener listener;
    int error = 0;
    auto device = silent.open(-1, WaveFormat{}, &listener, error);
    uint8_t buffer[2048] = {};
    WaveHeader header{buffer, sizeof buffer, 0};
    device->pause();
    device->write(&header);
    runEventsFor(60);
    EXPECT_EQ(device->bytesPlayed(), 0);
    device->restart();
    runEventsFor(50);
    EXPECT_GT(device->bytesPlayed(), 0);
    device->reset();
    EXPECT_EQ(device->bytesPlayed(), 0);
    EXPECT_TRUE(header.flags & WHDR_DONE);
    runEventsFor(30);
    EXPECT_EQ(listener.done, 1);
}

TEST_F(SilentOutputTest, TheMixerRunsOnTheSilentDevice) {
    SilentAudioSystem silent;
    setAudioSystem(&silent);
    init();
    SoundMixOpenChannels(session, 0, ChannelOne);
    SoundMixActivate(session, true);
    TMixerWave *w = synth(3000, 90);
    play(0, w, PlayClearQueue | PlayStartNow);
    runEventsFor(600);
    // The wave has ended and the finished blocks were reclaimed.
    EXPECT_FALSE(isBusy(*session, 0));
    EXPECT_TRUE(playListEmpty());
    // The session must go before the system it uses.
    release(w);
    SoundMixShutdown(session);
    session = nullptr;
}

// The real backend is a module loaded on first use; without it the game must still play,
// silently, and say once why.
TEST_F(SilentOutputTest, AMissingAudioModuleLeavesTheSilentDeviceAndSaysWhy) {
    MachineAudioSystem machine(QStringList{QStringLiteral("/nonexistent/cobaltix")});
    EXPECT_EQ(machine.deviceCount(), 1);
    EXPECT_TRUE(machine.moduleError().contains(QStringLiteral("cobaltix-audio")));
    CountingListener listener;
    int error = -1;
    auto device = machine.open(-1, WaveFormat{}, &listener, error);
    EXPECT_EQ(error, 0);
    EXPECT_NE(dynamic_cast<SilentDevice *>(device.get()), nullptr);
}

TEST_F(SilentOutputTest, TheAudioModuleLoadsFromBesideTheProgram) {
    MachineAudioSystem machine;
    EXPECT_GE(machine.deviceCount(), 1);
    EXPECT_EQ(machine.moduleError(), QString());
}
