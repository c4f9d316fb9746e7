#include "sound/SilentOutput.h"

bool SilentAudioSystem::capabilities(int device, DeviceCaps &caps) const {
    if (device < -1 || device > 0)
        return false;
    caps = DeviceCaps{QStringLiteral("Silent Output"), 2, false};
    return true;
}

std::unique_ptr<OutputDevice> SilentAudioSystem::open(int device, const WaveFormat &format,
                                                      BlockDoneListener *listener, int &error) {
    if (device < -1 || device > 0) {
        error = 2;
        return nullptr;
    }
    return std::make_unique<SilentDevice>(format, listener);
}

int64_t SilentAudioSystem::milliseconds() const {
    return monotonicMilliseconds();
}

int64_t monotonicMilliseconds() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

SilentDevice::SilentDevice(const WaveFormat &format, BlockDoneListener *listener)
    : format(format), listener(listener) {
    // Runs while the device is open; done blocks are reported only from here.
    timer.setInterval(10);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, this, [this] { tick(); });
    timer.start();
    sincePlay.start();
}

bool SilentDevice::write(WaveHeader *header) {
    if (queue.empty())
        play();
    return queue.push(header);
}

void SilentDevice::pause() {
    play();
    paused = true;
}

void SilentDevice::restart() {
    play();
    paused = false;
}

void SilentDevice::reset() {
    play();
    queue.clear();
    played = 0;
    budget = 0;
}

void SilentDevice::play() {
    const int64_t ms = sincePlay.restart();
    if (paused || queue.empty()) {
        budget = 0;
        return;
    }
    budget += ms * format.avgBytesPerSec;
    played += queue.consume(budget / 1000, nullptr);
    budget = queue.empty() ? 0 : budget % 1000;
}

void SilentDevice::tick() {
    play();
    for (int n = queue.takeFinished(); n > 0; --n)
        listener->blockDone();
}
