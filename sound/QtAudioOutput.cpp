#include "sound/QtAudioOutput.h"
#include "sound/SilentOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include <algorithm>
#include <cstring>

namespace {

QAudioDevice deviceAt(int device) {
    if (device == -1)
        return QMediaDevices::defaultAudioOutput();
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    return device >= 0 && device < outputs.size() ? outputs[device] : QAudioDevice();
}

QAudioFormat audioFormat(const WaveFormat &format) {
    QAudioFormat f;
    f.setSampleFormat(QAudioFormat::UInt8);
    f.setChannelCount(format.channels);
    f.setSampleRate(int(format.samplesPerSec));
    return f;
}

// Error numbers of the old wave output interface, for the messages.
constexpr int NoDriver = 6;
constexpr int BadFormat = 32;

} // namespace

int QtAudioSystem::deviceCount() const {
    return int(QMediaDevices::audioOutputs().size());
}

bool QtAudioSystem::capabilities(int device, DeviceCaps &caps) const {
    const QAudioDevice d = deviceAt(device);
    if (d.isNull())
        return false;
    caps = DeviceCaps{d.description(), d.maximumChannelCount(), false};
    return true;
}

bool QtAudioSystem::supportsFormat(int device, const WaveFormat &format) const {
    const QAudioDevice d = deviceAt(device);
    return !d.isNull() && d.isFormatSupported(audioFormat(format));
}

std::unique_ptr<OutputDevice> QtAudioSystem::open(int device, const WaveFormat &format,
                                                  BlockDoneListener *listener, int &error) {
    auto out = std::make_unique<QtOutputDevice>(format, listener);
    error = out->start(device);
    if (error != 0)
        return nullptr;
    return out;
}

int64_t QtAudioSystem::milliseconds() const {
    return monotonicMilliseconds();
}

QtOutputDevice::QtOutputDevice(const WaveFormat &format, BlockDoneListener *listener)
    : format(format), listener(listener) {
    poll.setInterval(10);
    poll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poll, &QTimer::timeout, this, [this] { feed(); });
}

// Stopping the sink may process events; the feed must not run, nor report blocks done,
// into a device that is going away.
QtOutputDevice::~QtOutputDevice() {
    poll.stop();
    if (sink)
        sink->stop();
    delete sink;
}

int QtOutputDevice::start(int device) {
    const QAudioDevice d = deviceAt(device);
    if (d.isNull())
        return NoDriver;
    const QAudioFormat f = audioFormat(format);
    if (!d.isFormatSupported(f))
        return BadFormat;
    sink = new QAudioSink(d, f);
    // About 0.1 s ahead of the speaker keeps the sound close to the stream clock.
    sink->setBufferSize(qsizetype(format.avgBytesPerSec / 10));
    stream = sink->start();
    if (!stream || sink->error() != QAudio::NoError) {
        const int error = 100 + int(sink->error());
        delete sink;
        sink = nullptr;
        return error;
    }
    poll.start();
    return 0;
}

void QtOutputDevice::reset() {
    queue.clear();
    played = 0;
}

void QtOutputDevice::feed() {
    uint8_t chunk[4096];
    for (qint64 room = sink->bytesFree(); room > 0;) {
        const qint64 n = std::min<qint64>(room, sizeof chunk);
        const int64_t taken = paused ? 0 : queue.consume(n, chunk);
        played += taken;
        std::memset(chunk + taken, 128, size_t(n - taken));
        const qint64 written = stream->write(reinterpret_cast<const char *>(chunk), n);
        if (written <= 0)
            break;
        room -= written;
    }
    for (int n = queue.takeFinished(); n > 0; --n)
        listener->blockDone();
}

AudioSystem *CobaltixQtAudioSystem() {
    static QtAudioSystem system;
    return &system;
}
