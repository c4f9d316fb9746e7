#pragma once

#include "sound/BlockQueue.h"
#include "sound/OutputDevice.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The device the game gets when the machine has no audio output: it plays blocks
// into nothing at the right pace, so the mixer and its clock behave as with sound.
class SilentAudioSystem : public AudioSystem {
public:
    int deviceCount() const override { return 1; }
    bool capabilities(int device, DeviceCaps &caps) const override;
    bool supportsFormat(int, const WaveFormat &) const override { return true; }
    std::unique_ptr<OutputDevice> open(int device, const WaveFormat &format,
                                       BlockDoneListener *listener, int &error) override;
    int64_t milliseconds() const override;
};

// Milliseconds of a monotonic clock, shared by the real and the silent system.
int64_t monotonicMilliseconds();

class SilentDevice : public QObject, public OutputDevice {
public:
    SilentDevice(const WaveFormat &format, BlockDoneListener *listener);

    bool write(WaveHeader *header) override;
    void pause() override;
    void restart() override;
    void reset() override;
    int64_t bytesPlayed() const override { return played; }

private:
    void play(); // catches playback up with the clock
    void tick();

    WaveFormat format;
    BlockDoneListener *listener;
    BlockQueue queue;
    QTimer timer;
    QElapsedTimer sincePlay;
    bool paused = false;
    int64_t played = 0;
    int64_t budget = 0; // thousandths of a byte owed to playback
};
