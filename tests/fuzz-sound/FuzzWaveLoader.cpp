#include "sound/SimulatedOutput.h"
#include "sound/SoundMix.h"

#include <cstddef>
#include <cstdint>

// Feeds arbitrary bytes to the wave loader of a stereo 22050 Hz session, which takes
// every conversion path. No input may crash, hang or leak.

namespace {
SimulatedAudioSystem audio;
}

// The fuzzer carries no real audio backend.
AudioSystem *defaultAudioSystem() {
    return &audio;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static TMixerSession *session = [] {
        audio.setDevices(1, DeviceCaps{"Fuzz Card", 2, false});
        const TMixerConfig config{10, ConfigChannels | ConfigRate, 2, 22};
        return SoundMixInit(&config);
    }();
    const WaveMemory memory{data, int64_t(size)};
    try {
        TMixerWave *wave = SoundMixLoadWave(session, &memory);
        SoundMixReleaseWave(session, wave);
    } catch (const ESoundMixError &) {
    }
    return 0;
}
