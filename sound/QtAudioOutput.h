#pragma once

#include "sound/BlockQueue.h"
#include "sound/OutputDevice.h"

#include <QIODevice>
#include <QTimer>

class QAudioSink;

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

class QtOutputDevice;

// What the sink pulls from: the queued blocks, or silence while nothing is queued or
// the device is paused, so the stream never stalls.
class BlockStream : public QIODevice {
public:
    explicit BlockStream(QtOutputDevice &device) : device(device) {}
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QtOutputDevice &device;
};

class QtOutputDevice : public QObject, public OutputDevice {
public:
    QtOutputDevice(const WaveFormat &format, BlockDoneListener *listener);
    ~QtOutputDevice() override;
    // Error number, 0 when the sink runs.
    int start(int device);

    bool write(WaveHeader *header) override;
    void pause() override { paused = true; }
    void restart() override { paused = false; }
    void reset() override;
    int64_t bytesPlayed() const override { return played; }

private:
    friend class BlockStream;
    void report();

    WaveFormat format;
    BlockDoneListener *listener;
    BlockQueue queue;
    BlockStream stream{*this};
    QAudioSink *sink = nullptr;
    QTimer poll;
    bool paused = false;
    int64_t played = 0;
};
