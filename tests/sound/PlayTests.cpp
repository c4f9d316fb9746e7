#include "sound/MixerSession.h"
#include "tests/sound/MixerTestSupport.h"

#include <QCoreApplication>

// Scheduling, the stream clock and the output engine, seen through the simulated device.

namespace {

class PlayTest : public MixerTest {
protected:
    void SetUp() override {
        MixerTest::SetUp();
        init();
        SoundMixOpenChannels(session, 0, ChannelAll);
        SoundMixActivate(session, true);
    }
};

class DoneCounter : public QObject {
public:
    bool event(QEvent *e) override {
        if (e->type() != WaveDoneEvent::Type)
            return QObject::event(e);
        const auto *done = static_cast<WaveDoneEvent *>(e);
        channels.push_back(done->channel);
        waves.push_back(done->wave);
        return true;
    }
    std::vector<int> channels;
    std::vector<TMixerWave *> waves;
};

} // namespace

TEST_F(PlayTest, RequestChecksComeInOrder) {
    TMixerWave *w = synth(100, 90);
    EXPECT_MIX_ERROR(SoundMixPlay(nullptr), "nil parameters pointer passed to SoundMixPlay");
    TPlayRequest request;
    EXPECT_MIX_ERROR(SoundMixPlay(&request), "Invalid Session handle");
    request.session = session;
    EXPECT_MIX_ERROR(SoundMixPlay(&request), "nil wave pointer passed to SoundMixPlay!");
    request.wave = w;
    request.channel = -1;
    EXPECT_MIX_ERROR(SoundMixPlay(&request), "Invalid channel number");
    request.channel = 8;
    EXPECT_MIX_ERROR(SoundMixPlay(&request), "Invalid channel number");
    SoundMixCloseChannels(session, 3, 0);
    const int32_t counter = session->playCounter;
    request.channel = 3;
    EXPECT_MIX_ERROR(SoundMixPlay(&request), "The specified channel was not open");
    // The stamp of a refused request still counts.
    EXPECT_EQ(session->playCounter, counter + 1);
    EXPECT_EQ(session->lastUse[3], counter + 1);
    SoundMixActivate(session, false);
    EXPECT_MIX_ERROR(SoundMixPlay(&request),
                     "Wave device not allocated, call SoundMixActivate(hMixSession,TRUE)");
    SoundMixActivate(session, true);
    SoundMixCloseChannels(session, 0, ChannelAll);
    EXPECT_MIX_ERROR(SoundMixPlay(&request), "You must open a channel before you can play a wave");
}

TEST_F(PlayTest, TheNodePoolHoldsAHundredRequests) {
    TMixerWave *w = synth(100, 90);
    for (int i = 0; i < NodePoolSize; ++i)
        play(i % 8, w, PlayWait);
    EXPECT_MIX_ERROR(play(0, w, PlayWait), "Not enough memory");
    // Releasing the wave returns every held node to the pool.
    release(w);
    TMixerWave *again = synth(100, 90);
    for (int i = 0; i < NodePoolSize; ++i)
        play(0, again, PlayWait);
}

TEST_F(PlayTest, PickChannelStartsAtTheLowestOpenChannel) {
    SoundMixCloseChannels(session, 0, 0);
    SoundMixCloseChannels(session, 1, 0);
    TMixerWave *w = synth(5000, 90);
    TPlayRequest request;
    request.session = session;
    request.wave = w;
    request.channel = 0;
    request.flags = PlayPickChannel;
    SoundMixPlay(&request);
    EXPECT_EQ(request.channel, 2);
    SoundMixPlay(&request);
    EXPECT_EQ(request.channel, 3);
}

TEST_F(PlayTest, QueuedWaveStartsWhenThePreviousEnds) {
    TMixerWave *a = synth(500, 60);
    TMixerWave *b = synth(500, 70);
    play(0, a);
    play(0, b);
    const TChannelNode *first = session->heads[0];
    ASSERT_NE(first->next, nullptr);
    EXPECT_EQ(first->end, 499);
    EXPECT_EQ(first->next->start, 2048); // never earlier than what is already mixed
}

TEST_F(PlayTest, StartNowReplacesTheSoundAtTheCurrentPosition) {
    TMixerWave *longWave = synth(20000, 100);
    TMixerWave *cue = synth(300, 200);
    play(0, longWave);
    audio.advance(100);
    const int32_t now = currentPosition(*session);
    play(0, cue, PlayClearQueue | PlayStartNow);
    EXPECT_EQ(session->heads[0]->wave, cue);
    EXPECT_EQ(session->heads[0]->next, nullptr);
    EXPECT_EQ(session->heads[0]->start, now);
    audio.advance(200);
    const QByteArray played = audio.played();
    // Up to the cue the long wave sounds, from it on only the cue.
    EXPECT_EQ(uchar(played[now - 1]), 100);
    EXPECT_EQ(uchar(played[now]), 200);
    EXPECT_EQ(uchar(played[now + 298]), 200);
    EXPECT_EQ(uchar(played[now + 299]), 128);
}

TEST_F(PlayTest, TimerClockDoesNotOverflowOverLongOutput) {
    TMixerWave *w = synth(1000, 90);
    audio.setRecording(false);
    play(0, w, 0, LoopForever);
    audio.advance(400000);
    // 400 s at 11025 bytes per second; 32-bit milliseconds x rate would have wrapped.
    EXPECT_EQ(PlaybackPosition(*session, false), 4410000);
    EXPECT_TRUE(isBusy(*session, 0));
}

TEST_F(PlayTest, DeviceResetKeepsTheClockGoing) {
    TMixerWave *w = synth(20000, 90);
    play(0, w);
    audio.advance(100);
    const int32_t before = currentPosition(*session);
    play(1, w, PlayClearQueue | PlayStartNow); // re-mixes, resetting the device
    audio.advance(50);
    const int32_t after = currentPosition(*session);
    EXPECT_NEAR(after - before, 50 * 11025 / 1000, 12);
}

TEST_F(PlayTest, FinishNoticeReachesTheNotifyObject) {
    DoneCounter counter;
    TMixerWave *w = synth(300, 90);
    TPlayRequest request;
    request.session = session;
    request.channel = 5;
    request.wave = w;
    request.notify = &counter;
    SoundMixPlay(&request);
    audio.advance(500);
    ASSERT_EQ(counter.channels.size(), 1u);
    EXPECT_EQ(counter.channels[0], 5);
    EXPECT_EQ(counter.waves[0], w);
    EXPECT_FALSE(isBusy(*session, 5));
}

TEST_F(PlayTest, RefusedBlockIsFreeAgainAndPlayGoesOn) {
    TMixerWave *w = synth(3000, 90);
    audio.refuseWrite(1);
    EXPECT_MIX_ERROR(play(0, w), "Failed to write block to device");
    EXPECT_TRUE(playListEmpty());
    play(1, w);
    audio.advance(1000);
    EXPECT_EQ(audio.played().size(), 4096);
}

TEST_F(PlayTest, ReleaseDropsHeldRequestsOfTheWave) {
    TMixerWave *gone = synth(300, 30);
    TMixerWave *kept = synth(300, 220);
    play(2, gone, PlayWait);
    play(3, kept, PlayWait);
    play(4, gone, PlayWait);
    release(gone);
    play(5, kept);
    EXPECT_FALSE(isBusy(*session, 2));
    EXPECT_FALSE(isBusy(*session, 4));
    EXPECT_TRUE(isBusy(*session, 3));
    EXPECT_TRUE(isBusy(*session, 5));
}

TEST_F(PlayTest, DeviceClockFollowsTheBytesPlayed) {
    SoundMixShutdown(session);
    init("[default]\nGoodWavePos=1\n");
    SoundMixOpenChannels(session, 0, ChannelAll);
    SoundMixActivate(session, true);
    TMixerWave *w = synth(1000, 90);
    play(0, w);
    audio.advance(500);
    // The device has played its only block and stopped; the timer would say 5512.
    EXPECT_EQ(currentPosition(*session), 2048);
}

TEST_F(PlayTest, ShutdownWhileActiveGivesTheDeviceBack) {
    TMixerWave *w = synth(3000, 90);
    play(0, w, 0, LoopForever);
    SoundMixShutdown(session);
    EXPECT_EQ(engine().deviceHolder, nullptr);
    EXPECT_TRUE(playListEmpty());
}
