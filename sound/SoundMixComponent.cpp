#include "sound/SoundMix.h"

TSoundMix::TSoundMix(QObject *owner) : QObject(owner) {
    TMixerConfig config;
    config.size = 10;
    mixSession = SoundMixInit(&config);
    if (!mixSession)
        throw ESoundMixError("Initialization failed (SoundMixInit)");
    request.size = 24;
    request.session = mixSession;
}

TSoundMix::~TSoundMix() {
    // Nothing may escape a destructor; the session is released whatever failed.
    try {
        setChannels(0);
    } catch (const ESoundMixError &) {
    }
    try {
        setActivated(false);
    } catch (const ESoundMixError &) {
    }
    if (mixSession) {
        try {
            SoundMixShutdown(mixSession);
        } catch (const ESoundMixError &) {
        }
    }
}

void TSoundMix::setActivated(bool value) {
    if (value == activated)
        return;
    SoundMixActivate(mixSession, value);
    activated = value;
}

void TSoundMix::setChannels(quint8 value) {
    if (value == channels)
        return;
    if (value == 255) {
        SoundMixOpenChannels(mixSession, 0, ChannelAll);
    } else if (value == 0) {
        if (channels != 0)
            SoundMixCloseChannels(mixSession, 0, ChannelAll);
    } else {
        for (int k = 0; k < 8; ++k) {
            const quint8 bit = quint8(1u << k);
            if ((value & bit) == (channels & bit))
                continue;
            if (value & bit)
                SoundMixOpenChannels(mixSession, k, ChannelOne);
            else
                SoundMixCloseChannels(mixSession, k, 0);
        }
    }
    channels = value;
}

TMixerWave *TSoundMix::OpenWave(const QString &name, const QString &module) {
    return SoundMixLoadWave(mixSession, name, module, WaveFromResource);
}

void TSoundMix::FreeWave(TMixerWave *wave) {
    SoundMixReleaseWave(mixSession, wave);
}

void TSoundMix::Play(int32_t channel, TMixerWave *wave, QObject *notify, uint32_t flags,
                     uint16_t loops) {
    request.channel = channel;
    request.wave = wave;
    request.flags = flags;
    request.loops = loops;
    request.notify = notify;
    SoundMixPlay(&request);
}
