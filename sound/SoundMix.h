#pragma once

#include "sound/OutputDevice.h"

#include <QEvent>
#include <QObject>
#include <QString>

#include <cstdint>
#include <stdexcept>

// The game's 8-bit software mixer: one session per process, eight channels with
// queues of scheduled waves, mixed into blocks for one wave output device. Every call
// runs on the UI thread; every failure raises ESoundMixError.

class ESoundMixError : public std::runtime_error {
public:
    explicit ESoundMixError(const QString &message);
    QString message() const { return text; }

private:
    QString text;
};

struct TMixerSession;

// A loaded wave, converted once to the session's output format.
struct TMixerWave {
    WaveFormat sourceFormat; // as read from the file; still describes the source
    uint8_t *data = nullptr; // 8-bit unsigned, 128 = silence, owned by the wave
    int32_t length = 0;      // bytes of converted data
    char name[16] = {};      // informational only
};

constexpr uint32_t ConfigChannels = 1;
constexpr uint32_t ConfigRate = 2;

struct TMixerConfig {
    uint16_t size = 10; // any other size: the record is ignored
    uint32_t flags = 0;
    uint16_t channels = 0;
    uint16_t rateCode = 0; // 11, 22 or 44
};

constexpr uint32_t PlayClearQueue = 1;
constexpr uint32_t PlayPickChannel = 2;
constexpr uint32_t PlayStartNow = 4;
constexpr uint32_t PlayWait = 8;
constexpr uint16_t LoopForever = 0xFFFF;

struct TPlayRequest {
    uint16_t size = 24;
    TMixerSession *session = nullptr;
    int32_t channel = 0; // the chosen channel is written back with PlayPickChannel
    TMixerWave *wave = nullptr;
    QObject *notify = nullptr; // receives a WaveDoneEvent when the wave has finished
    uint32_t flags = 0;
    uint16_t loops = 0; // extra repetitions; LoopForever repeats without end
};

// Posted to a play request's notify object when its wave has finished.
class WaveDoneEvent : public QEvent {
public:
    static constexpr QEvent::Type Type = QEvent::Type(QEvent::User + 0x3BD);
    WaveDoneEvent(int32_t channel, TMixerWave *wave) : QEvent(Type), channel(channel), wave(wave) {}
    const int32_t channel;
    TMixerWave *const wave;
};

constexpr int32_t ChannelOne = 0;
constexpr int32_t ChannelAll = 1;
constexpr int32_t ChannelCount = 2;
constexpr uint32_t FlushNoRemix = 2;

enum WaveSource : uint32_t { WaveFromFile = 0, WaveFromResource = 2, WaveFromMemory = 4 };

// A wave image in memory, for WaveFromMemory.
struct WaveMemory {
    const void *data = nullptr;
    int64_t size = 0;
};

// Wave resources are Qt resources: name N in module M is the file "M/N", number n is
// "M/#n". The empty module is the program's own, ":/wave".
constexpr const char *DefaultWaveModule = ":/wave";

TMixerSession *SoundMixInit(const TMixerConfig *config);
void SoundMixShutdown(TMixerSession *hMixSession);
void SoundMixActivate(TMixerSession *hMixSession, bool on);
void SoundMixOpenChannels(TMixerSession *hMixSession, int32_t channel, int32_t mode);
void SoundMixCloseChannels(TMixerSession *hMixSession, int32_t channel, uint32_t flags);
void SoundMixFlushChannels(TMixerSession *hMixSession, int32_t channel, uint32_t flags);
// WaveFromFile: name is a path. WaveFromResource: name is a resource name, or "#n"
// for number n. WaveFromMemory: use the WaveMemory overload.
TMixerWave *SoundMixLoadWave(TMixerSession *hMixSession, const QString &name, const QString &module,
                             WaveSource source);
TMixerWave *SoundMixLoadWave(TMixerSession *hMixSession, int resourceId, const QString &module);
TMixerWave *SoundMixLoadWave(TMixerSession *hMixSession, const WaveMemory *memory);
void SoundMixReleaseWave(TMixerSession *hMixSession, TMixerWave *wave);
void SoundMixPlay(TPlayRequest *request);

// Where SoundMixInit reads SOUNDMIX.INI; empty: SOUNDMIX.INI in the user's
// configuration directory (a missing file means every default).
void setMixerConfigPath(const QString &path);

// The mixer component a window owns.
class TSoundMix : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Activated READ Activated WRITE setActivated)
    Q_PROPERTY(quint8 Channels READ Channels WRITE setChannels)

public:
    // Creates the session: mono, the rate of the configuration file.
    explicit TSoundMix(QObject *owner = nullptr);
    ~TSoundMix() override;

    bool Activated() const { return activated; }
    // Takes or gives back the output device; unchanged when that fails.
    void setActivated(bool value);
    // Bit k opens channel k.
    quint8 Channels() const { return channels; }
    void setChannels(quint8 value);

    TMixerWave *OpenWave(const QString &name, const QString &module = QString());
    void FreeWave(TMixerWave *wave);
    void Play(int32_t channel, TMixerWave *wave, QObject *notify, uint32_t flags, uint16_t loops);

    TMixerSession *session() const { return mixSession; }

private:
    TMixerSession *mixSession = nullptr;
    TPlayRequest request;
    bool activated = false;
    quint8 channels = 0;
};
