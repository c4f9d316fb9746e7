#pragma once

#include "sound/BlockQueue.h"
#include "sound/OutputDevice.h"

#include <QTimer>

class QAudioSink;

// The audio backend module (cobaltix-audio.so): the only code that uses Qt Multimedia,
// loaded the first time a game plays sound, so the program starts without it.

// The machine's audio outputs through Qt Multimedia; device names come from the
// system's list of outputs, -1 being the default output.
class QtAudioSystem : public AudioSystem {
public:
    int deviceCount() const override;
    bool capabilities(int device, DeviceCaps &caps) const override;
    bool supportsFormat(int device, const WaveFormat &format) const override;
    std::unique_ptr<OutputDevice> open(int device, const WaveFormat &format,
                                       BlockDoneListener *listener, int &error) override;
    int64_t milliseconds() const override;
};

// Pushes the blocks into a QAudioSink from a short timer on the UI thread; silence
// is written while nothing is queued or the device is paused, so the stream never
// stalls. A block counts as played once the sink has taken all of it.
class QtOutputDevice : public QObject, public OutputDevice {
public:
    QtOutputDevice(const WaveFormat &format, BlockDoneListener *listener);
    ~QtOutputDevice() override;
    // Error number, 0 when the sink runs.
    int start(int device);

    bool write(WaveHeader *header) override { return queue.push(header); }
    void pause() override { paused = true; }
    void restart() override { paused = false; }
    void reset() override;
    int64_t bytesPlayed() const override { return played; }

private:
    void feed();

    WaveFormat format;
    BlockDoneListener *listener;
    BlockQueue queue;
    QAudioSink *sink = nullptr;
    QIODevice *stream = nullptr;
    QTimer poll;
    bool paused = false;
    int64_t played = 0;
};

// The module's one entry point, looked up by name.
extern "C" Q_DECL_EXPORT AudioSystem *CobaltixQtAudioSystem();
