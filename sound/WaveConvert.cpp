#include "sound/WaveConvert.h"
#include "sound/MixerSession.h"

#include <cstdlib>

// The three conversion steps of loading, in order: bits, channels, rate.

namespace {

const char *const OutOfMemory = "Unable to allocate memory for waveform data.  Try making more "
                                "memory available by closing other applications.";

[[noreturn]] void fail(SampleBuffer &input, const QString &message) {
    std::free(input.data);
    input = {};
    raise(message);
}

SampleBuffer allocate(int64_t length, SampleBuffer &input) {
    SampleBuffer out;
    out.data = length > 0 && length <= MaxWaveBytes
                   ? static_cast<uint8_t *>(std::malloc(size_t(length)))
                   : nullptr;
    if (!out.data)
        fail(input, OutOfMemory);
    out.length = length;
    return out;
}

SampleBuffer replace(SampleBuffer &input, SampleBuffer output) {
    std::free(input.data);
    input = {};
    return output;
}

// The high byte of each signed 16-bit sample, made unsigned.
SampleBuffer toEightBits(SampleBuffer in) {
    const int64_t n = in.length / 2;
    if (n == 0)
        fail(in, "The data chunk has no data");
    SampleBuffer out = allocate(n, in);
    for (int64_t i = 0; i < n; ++i)
        out.data[i] = uint8_t(in.data[2 * i + 1] ^ 0x80);
    return replace(in, out);
}

SampleBuffer toChannels(SampleBuffer in, int from, int to) {
    const int64_t frames = in.length / from;
    SampleBuffer out = allocate(frames * to, in);
    for (int64_t i = 0; i < frames; ++i) {
        if (to == 2) {
            out.data[2 * i] = out.data[2 * i + 1] = in.data[i];
        } else {
            out.data[i] = uint8_t((in.data[2 * i] + in.data[2 * i + 1]) / 2);
        }
    }
    return replace(in, out);
}

// Whole-number factor up, straight lines between neighbouring frames.
SampleBuffer rateUp(SampleBuffer in, int f, int64_t k) {
    const int64_t frames = in.length / f;
    SampleBuffer out = allocate(frames * k * f, in);
    for (int64_t i = 0; i < frames; ++i) {
        const bool last = i == frames - 1;
        for (int c = 0; c < f; ++c) {
            const int a = in.data[i * f + c];
            const int step = last ? 0 : (in.data[(i + 1) * f + c] - a) / int(k);
            for (int64_t j = 0; j < k; ++j)
                out.data[(i * k + j) * f + c] = uint8_t(a + int(j) * step);
        }
    }
    return replace(in, out);
}

// Whole-number factor down, averaging each run of d frames.
SampleBuffer rateDown(SampleBuffer in, int f, int64_t d) {
    const int64_t m = in.length / f / d;
    if (m == 0)
        fail(in, "The data chunk has no data");
    SampleBuffer out = allocate(m * f, in);
    for (int64_t j = 0; j < m - 1; ++j) {
        for (int c = 0; c < f; ++c) {
            int64_t sum = 0;
            for (int64_t i = 0; i < d; ++i)
                sum += in.data[(j * d + i) * f + c] - 128;
            out.data[j * f + c] = uint8_t(128 + sum / d);
        }
    }
    for (int c = 0; c < f; ++c)
        out.data[(m - 1) * f + c] = in.data[(m - 1) * d * f + c];
    return replace(in, out);
}

} // namespace

SampleBuffer convertSamples(SampleBuffer input, const WaveFormat &source,
                            const WaveFormat &target) {
    const int cs = source.channels;
    const uint32_t rs = source.samplesPerSec;
    if (source.bitsPerSample != 8 && source.bitsPerSample != 16)
        fail(input, "File format not supported");
    // Only mono and stereo at a real rate can be mapped onto the output.
    if (cs < 1 || cs > 2 || rs == 0)
        fail(input, "File format not supported");
    if (source.bitsPerSample == 16)
        input = toEightBits(input);
    if (input.length / cs == 0)
        fail(input, "The data chunk has no data");
    if (cs == target.channels && rs == target.samplesPerSec)
        return input;
    if (cs != target.channels)
        input = toChannels(input, cs, target.channels);
    const int f = target.channels;
    const uint32_t rt = target.samplesPerSec;
    if (rs < rt)
        input = rateUp(input, f, rt / rs);
    else if (rs > rt)
        input = rateDown(input, f, (int64_t(rs) + rt / 2) / rt);
    return input;
}
