#pragma once

#include <QString>

#include <cstdint>
#include <memory>

// The wave output layer under the mixer: an audio system lists devices and opens
// them; an opened device plays 8-bit blocks back to back and reports each one done.

struct WaveFormat {
    uint16_t formatTag = 1;
    uint16_t channels = 1;
    uint32_t samplesPerSec = 11025;
    uint32_t avgBytesPerSec = 11025;
    uint16_t blockAlign = 1;
    uint16_t bitsPerSample = 8;
};

constexpr uint32_t WHDR_DONE = 1;

// One block handed to a device. The device sets WHDR_DONE when it has played it.
struct WaveHeader {
    uint8_t *data = nullptr;
    uint32_t bufferLength = 0;
    uint32_t flags = 0;
};

struct DeviceCaps {
    QString productName;
    int channels = 1;
    bool sync = false;
};

// Receives the block-done events, always on the UI thread and never from inside a
// call into the device.
class BlockDoneListener {
public:
    virtual ~BlockDoneListener() = default;
    virtual void blockDone() = 0;
};

// One opened output stream.
class OutputDevice {
public:
    virtual ~OutputDevice() = default;
    // Queues a block behind those already written; false when refused.
    virtual bool write(WaveHeader *header) = 0;
    virtual void pause() = 0;
    virtual void restart() = 0;
    // Stops at once, marks every queued block done and restarts the byte count at 0.
    virtual void reset() = 0;
    // Bytes played since the device was opened or last reset.
    virtual int64_t bytesPlayed() const = 0;
};

class AudioSystem {
public:
    virtual ~AudioSystem() = default;
    virtual int deviceCount() const = 0;
    // Device -1 is the system's default device. False when the query fails.
    virtual bool capabilities(int device, DeviceCaps &caps) const = 0;
    virtual bool supportsFormat(int device, const WaveFormat &format) const = 0;
    // Null with a nonzero error number when the device cannot be opened.
    virtual std::unique_ptr<OutputDevice> open(int device, const WaveFormat &format,
                                               BlockDoneListener *listener, int &error) = 0;
    // The millisecond timer of the stream clock.
    virtual int64_t milliseconds() const = 0;
};

// The system the next session uses: the one set, else the machine's (its real audio
// output whenever that opens, else a silent device so the game still runs).
AudioSystem &currentAudioSystem();
// Null goes back to the default choice. The caller keeps ownership.
void setAudioSystem(AudioSystem *system);
AudioSystem *defaultAudioSystem();
