#include "sound/IniFile.h"
#include "sound/MixerSession.h"

#include <QStandardPaths>

#include <algorithm>

// Session creation, activation and shutdown.

namespace {

// The one session lives in static storage and is zero-filled at shutdown, so a stale
// handle still points at a record whose tags fail the test.
TMixerSession theSession;
QString configPath;

QString configFilePath() {
    if (!configPath.isEmpty())
        return configPath;
    return QStandardPaths::locate(QStandardPaths::GenericConfigLocation, "SOUNDMIX.INI");
}

void setSection(TMixerSession &s, const QString &name) {
    const QByteArray bytes = name.toUtf8().left(int(sizeof s.sectionName) - 1);
    std::fill(std::begin(s.sectionName), std::end(s.sectionName), '\0');
    std::copy(bytes.begin(), bytes.end(), s.sectionName);
}

// Whole frames of any session: a multiple of 4, within the block buffer.
int32_t boundedBlockLength(int value) {
    return std::clamp(value & ~3, 512, MaxBlockLength);
}

// The default section's value is taken modulo 65536 first; 0 there derives the
// length from the rate.
int32_t defaultBlockLength(int value) {
    const int v = (value & 0xFFFF) & ~3;
    return v == 0 ? 0 : boundedBlockLength(v);
}

struct MixerSettings {
    int remix = 1;
    int goodWavePos = 0;
    int waveBlocks = 3;
    int waveBlockLen = 0;
    int samplesPerSec = 11;
};

MixerSettings readSettings(const IniFile &ini, const QString &section, const MixerSettings &d) {
    MixerSettings m;
    m.remix = ini.integer(section, "Remix", d.remix);
    m.goodWavePos = ini.integer(section, "GoodWavePos", d.goodWavePos);
    m.waveBlocks = ini.integer(section, "WaveBlocks", d.waveBlocks);
    m.waveBlockLen = ini.integer(section, "WaveBlockLen", 0);
    m.samplesPerSec = ini.integer(section, "SamplesPerSec", d.samplesPerSec);
    return m;
}

[[noreturn]] void refuse(TMixerSession &s, const QString &message) {
    s = TMixerSession{};
    raise(message);
}

void setOutputFormat(TMixerSession &s, const TMixerConfig *config, const DeviceCaps &caps,
                     int rateCode) {
    if (config && (config->flags & ConfigChannels) && config->channels > 1 && caps.channels > 1) {
        s.format.channels = 2;
        s.format.blockAlign = 2;
    }
    if (config && (config->flags & ConfigRate) &&
        (config->rateCode == 11 || config->rateCode == 22 || config->rateCode == 44))
        rateCode = config->rateCode;
    s.format.samplesPerSec = rateCode == 22 ? 22050 : rateCode == 44 ? 44100 : 11025;
    s.format.avgBytesPerSec = s.format.channels * s.format.samplesPerSec;
}

void configure(TMixerSession &s, const TMixerConfig *config, const IniFile &ini,
               const MixerSettings &defaults) {
    const int devices = s.audio->deviceCount();
    int device = ini.integer("general", "WaveOutDevice", 0);
    s.deviceNumber = device < 0 || device >= devices ? -1 : device;

    DeviceCaps caps;
    if (!s.audio->capabilities(s.deviceNumber, caps))
        caps = DeviceCaps{QStringLiteral("Unknown Device"), 1, false};
    if (caps.sync)
        refuse(s, caps.productName + " is a syncronous (blocking) " +
                      "wave output device.  This will not permit audio to play while other " +
                      "applications are running");
    if (ini.integer("not compatible", caps.productName, 0) != 0)
        refuse(s, caps.productName + " is not compatible with " + "the realtime sound mixer");

    setSection(s, caps.productName);
    const MixerSettings own = readSettings(ini, caps.productName, defaults);
    s.remix = own.remix == 2 ? RemixShift : RemixFull;
    s.deviceClock = uint8_t(own.goodWavePos & 0xFF);
    s.blockCount = std::clamp(own.waveBlocks, 2, BlockSlots);
    setOutputFormat(s, config, caps, own.samplesPerSec);

    int32_t length = own.waveBlockLen != 0 ? boundedBlockLength(own.waveBlockLen)
                                           : defaultBlockLength(defaults.waveBlockLen);
    if (length == 0)
        length = std::min<int32_t>(int32_t(s.format.samplesPerSec / 11025) * 2048, MaxBlockLength);
    s.blockLength = length;
}

} // namespace

ESoundMixError::ESoundMixError(const QString &message)
    : std::runtime_error(message.toStdString()), text(message) {}

void raise(const QString &message) {
    throw ESoundMixError(message);
}

TMixerSession &validSession(TMixerSession *session) {
    if (!session || session->tag1 != SessionTag || session->tag2 != SessionTag)
        raise("Invalid Session handle");
    return *session;
}

void setMixerConfigPath(const QString &path) {
    configPath = path;
}

TMixerSession *SoundMixInit(const TMixerConfig *config) {
    if (theSession.tag1 == SessionTag)
        raise("Session already initialized");
    resetNodePool();
    if (config && config->size != 10)
        config = nullptr;
    AudioSystem &audio = currentAudioSystem();
    if (audio.deviceCount() <= 0)
        raise("No wave output devices available");

    TMixerSession &s = theSession;
    s = TMixerSession{};
    s.tag1 = s.tag2 = SessionTag;
    s.audio = &audio;
    std::fill(std::begin(s.heads), std::end(s.heads), ClosedChannel);
    s.format = WaveFormat{};

    const IniFile ini(configFilePath());
    const MixerSettings defaults = readSettings(ini, "default", MixerSettings{});
    setSection(s, "default");
    configure(s, config, ini, defaults);
    return &s;
}

void SoundMixShutdown(TMixerSession *hMixSession) {
    TMixerSession &s = validSession(hMixSession);
    SoundMixActivate(&s, false);
    if (s.openChannels > 0)
        SoundMixCloseChannels(&s, 0, ChannelAll);
    while (s.PendingList) {
        TChannelNode *oldest = s.PendingList->next;
        s.PendingList = oldest == s.PendingList ? nullptr : s.PendingList;
        if (s.PendingList)
            s.PendingList->next = oldest->next;
        returnNode(oldest);
    }
    s = TMixerSession{};
}

void SoundMixActivate(TMixerSession *hMixSession, bool on) {
    TMixerSession &s = validSession(hMixSession);
    MixerEngine &e = engine();
    if (on) {
        if (s.active)
            return;
        openDevice(s);
        e.deviceHolder = &s;
        s.active = true;
        SetPlaybackPosition(s, s.MixPosition);
        mixAndSend(s);
        return;
    }
    if (!s.active)
        return;
    s.MixPosition = currentPosition(s);
    // A device being closed that still reports blocks done must find no one to refill.
    e.deviceHolder = nullptr;
    closeDevice(s);
    s.active = false;
}
