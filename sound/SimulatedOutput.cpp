#include "sound/SimulatedOutput.h"

#include <QCoreApplication>

#include <algorithm>

SimulatedAudioSystem::SimulatedAudioSystem() = default;

SimulatedAudioSystem::~SimulatedAudioSystem() = default;

void SimulatedAudioSystem::setDevices(int count, const DeviceCaps &deviceCaps) {
    devices = count;
    caps = deviceCaps;
}

bool SimulatedAudioSystem::capabilities(int device, DeviceCaps &out) const {
    if (device < -1 || device >= devices || devices == 0)
        return false;
    out = caps;
    return true;
}

bool SimulatedAudioSystem::supportsFormat(int, const WaveFormat &) const {
    return formatSupported;
}

std::unique_ptr<OutputDevice> SimulatedAudioSystem::open(int device, const WaveFormat &format,
                                                         BlockDoneListener *listener, int &error) {
    if (openError != 0 || device < -1 || device >= devices) {
        error = openError != 0 ? openError : 2;
        openError = 0;
        return nullptr;
    }
    lastFormat = format;
    return std::make_unique<SimulatedDevice>(*this, format, listener);
}

bool SimulatedAudioSystem::acceptWrite() {
    if (writesUntilRefusal == 0)
        return true;
    return --writesUntilRefusal != 0;
}

void SimulatedAudioSystem::record(const uint8_t *data, int64_t n) {
    if (recording)
        playedBytes.append(reinterpret_cast<const char *>(data), qsizetype(n));
}

void SimulatedAudioSystem::advance(int64_t ms) {
    for (int64_t i = 0; i < ms; ++i) {
        ++now;
        // A device may be closed by the handler of another's event; walk by index.
        for (size_t d = 0; d < open_.size(); ++d)
            open_[d]->playOneMillisecond();
        for (size_t d = 0; d < open_.size(); ++d)
            open_[d]->reportFinished();
        if (QCoreApplication::instance())
            QCoreApplication::sendPostedEvents(nullptr, 0);
    }
}

SimulatedDevice::SimulatedDevice(SimulatedAudioSystem &system, const WaveFormat &format,
                                 BlockDoneListener *listener)
    : system(system), format(format), listener(listener) {
    system.open_.push_back(this);
}

SimulatedDevice::~SimulatedDevice() {
    auto &list = system.open_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

bool SimulatedDevice::write(WaveHeader *header) {
    if (!system.acceptWrite())
        return false;
    return queue.push(header);
}

void SimulatedDevice::reset() {
    queue.clear();
    played = 0;
    budget = 0;
}

void SimulatedDevice::playOneMillisecond() {
    if (paused || queue.empty()) {
        budget = 0;
        return;
    }
    budget += format.avgBytesPerSec;
    int64_t owed = budget / 1000;
    budget %= 1000;
    uint8_t scratch[512];
    while (owed > 0 && !queue.empty()) {
        const int64_t n = queue.consume(std::min<int64_t>(owed, sizeof scratch), scratch);
        system.record(scratch, n);
        played += n;
        owed -= n;
    }
    if (queue.empty())
        budget = 0;
}

void SimulatedDevice::reportFinished() {
    for (int n = queue.takeFinished(); n > 0; --n)
        if (listener)
            listener->blockDone();
}
