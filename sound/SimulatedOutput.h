#pragma once

#include "sound/BlockQueue.h"
#include "sound/OutputDevice.h"

#include <QByteArray>

#include <vector>

class SimulatedDevice;

// Output devices on a virtual clock: nothing plays until advance() moves the clock,
// and the millisecond timer is the same clock. Keeps every byte played.
class SimulatedAudioSystem : public AudioSystem {
public:
    SimulatedAudioSystem();
    ~SimulatedAudioSystem() override;

    void setDevices(int count, const DeviceCaps &caps);
    // The next open fails with this error number (0: opens succeed).
    void setOpenError(int error) { openError = error; }
    // The n-th write from now (1 = the next) is refused; 0 refuses none.
    void refuseWrite(int n) { writesUntilRefusal = n; }
    void setFormatSupported(bool supported) { formatSupported = supported; }
    // Whether played bytes are kept (keeping them allocates).
    void setRecording(bool on) { recording = on; }

    // Moves the clock millisecond by millisecond; each device plays its share and
    // its finished blocks are reported before the clock moves on.
    void advance(int64_t ms);
    const QByteArray &played() const { return playedBytes; }
    WaveFormat playedFormat() const { return lastFormat; }

    int deviceCount() const override { return devices; }
    bool capabilities(int device, DeviceCaps &caps) const override;
    bool supportsFormat(int device, const WaveFormat &format) const override;
    std::unique_ptr<OutputDevice> open(int device, const WaveFormat &format,
                                       BlockDoneListener *listener, int &error) override;
    int64_t milliseconds() const override { return now; }

private:
    friend class SimulatedDevice;
    bool acceptWrite();
    void record(const uint8_t *data, int64_t n);

    int devices = 1;
    DeviceCaps caps{QStringLiteral("Simulated Output"), 2, false};
    int openError = 0;
    int writesUntilRefusal = 0;
    bool formatSupported = true;
    bool recording = true;
    int64_t now = 0;
    QByteArray playedBytes;
    WaveFormat lastFormat;
    std::vector<SimulatedDevice *> open_;
};

class SimulatedDevice : public OutputDevice {
public:
    SimulatedDevice(SimulatedAudioSystem &system, const WaveFormat &format,
                    BlockDoneListener *listener);
    ~SimulatedDevice() override;

    bool write(WaveHeader *header) override;
    void pause() override { paused = true; }
    void restart() override { paused = false; }
    void reset() override;
    int64_t bytesPlayed() const override { return played; }

    void playOneMillisecond();
    void reportFinished();

private:
    SimulatedAudioSystem &system;
    WaveFormat format;
    BlockDoneListener *listener;
    BlockQueue queue;
    bool paused = false;
    int64_t played = 0;
    int64_t budget = 0; // thousandths of a byte owed to playback
};
