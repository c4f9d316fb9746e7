#pragma once

#include "sound/OutputDevice.h"

#include <cstdint>

// Sample data owned through malloc/free, so it can pass from a loader to a wave.
struct SampleBuffer {
    uint8_t *data = nullptr;
    int64_t length = 0;
};

// Larger results are refused as if memory ran out: no game sound comes near it.
constexpr int64_t MaxWaveBytes = int64_t(64) << 20;

// Converts samples to the 8-bit output format of a session. Owns its input: returns it
// unchanged or frees it; on failure it is freed and ESoundMixError raised.
SampleBuffer convertSamples(SampleBuffer input, const WaveFormat &source, const WaveFormat &target);
