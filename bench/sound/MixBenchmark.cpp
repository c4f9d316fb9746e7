#include "bench/allocations/AllocationCount.h"
#include "sound/MixerSession.h"
#include "sound/SimulatedOutput.h"

#include <QtEndian>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

// Mixing speed by the number of contributing channels, against memcpy, and loading a
// wave that needs every conversion step.

namespace {

QByteArray waveImage(int channels, int rate, int bits, const QByteArray &samples) {
    QByteArray h(44, '\0');
    std::memcpy(h.data(), "RIFF", 4);
    qToLittleEndian<quint32>(quint32(36 + samples.size()), h.data() + 4);
    std::memcpy(h.data() + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h.data() + 16);
    qToLittleEndian<quint16>(1, h.data() + 20);
    qToLittleEndian<quint16>(quint16(channels), h.data() + 22);
    qToLittleEndian<quint32>(quint32(rate), h.data() + 24);
    qToLittleEndian<quint32>(quint32(rate * channels * bits / 8), h.data() + 28);
    qToLittleEndian<quint16>(quint16(channels * bits / 8), h.data() + 32);
    qToLittleEndian<quint16>(quint16(bits), h.data() + 34);
    std::memcpy(h.data() + 36, "data", 4);
    qToLittleEndian<quint32>(quint32(samples.size()), h.data() + 40);
    return h + samples;
}

QByteArray noise(int n) {
    QByteArray out(n, '\0');
    uint32_t x = 12345;
    for (char &c : out) {
        x = x * 1103515245 + 12345;
        c = char(x >> 24);
    }
    return out;
}

// A session on a simulated device for the length of one benchmark.
struct Session {
    SimulatedAudioSystem audio;
    TMixerSession *s = nullptr;
    Session() {
        setAudioSystem(&audio);
        s = SoundMixInit(nullptr);
    }
    ~Session() {
        SoundMixShutdown(s);
        setAudioSystem(nullptr);
    }
};

void BM_MixBlock(benchmark::State &state) {
    Session session;
    TMixerSession &s = *session.s;
    const int channels = int(state.range(0));
    SoundMixOpenChannels(&s, channels, ChannelCount);
    const QByteArray image = waveImage(1, 11025, 8, noise(11025));
    const WaveMemory memory{image.constData(), image.size()};
    TMixerWave *wave = SoundMixLoadWave(&s, &memory);
    SoundMixActivate(&s, true);
    for (int c = 0; c < channels; ++c) {
        TPlayRequest request;
        request.session = &s;
        request.channel = c;
        request.wave = wave;
        request.flags = PlayWait;
        request.loops = LoopForever;
        SoundMixPlay(&request);
    }
    // Scheduling needs one request without PlayWait; its wave plays the same way.
    TPlayRequest last;
    last.session = &s;
    last.channel = channels - 1;
    last.wave = wave;
    last.flags = PlayClearQueue;
    last.loops = LoopForever;
    SoundMixPlay(&last);
    auto block = std::make_unique<TWaveBlock>();
    s.MixPosition = 0;
    const std::uint64_t before = allocationCount();
    for (auto _ : state) {
        MixBlock(s, block.get(), false);
        benchmark::DoNotOptimize(block->buffer);
        if (s.MixPosition > (1 << 30))
            s.MixPosition = 0;
    }
    if (countingAllocations())
        state.counters["allocs/block"] = benchmark::Counter(double(allocationCount() - before),
                                                            benchmark::Counter::kAvgIterations);
    state.SetBytesProcessed(int64_t(state.iterations()) * s.blockLength);
    SoundMixActivate(&s, false);
    SoundMixReleaseWave(&s, wave);
}
BENCHMARK(BM_MixBlock)->Arg(1)->Arg(2)->Arg(4)->Arg(8);

void BM_Memcpy2048(benchmark::State &state) {
    const QByteArray source = noise(2048);
    QByteArray target(2048, '\0');
    for (auto _ : state) {
        std::memcpy(target.data(), source.constData(), 2048);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 2048);
}
BENCHMARK(BM_Memcpy2048);

// One second of 16-bit stereo at 44100 Hz into the default session (8-bit mono 11025).
void BM_LoadOneSecond16BitStereo44100(benchmark::State &state) {
    Session session;
    const QByteArray image = waveImage(2, 44100, 16, noise(44100 * 4));
    const WaveMemory memory{image.constData(), image.size()};
    for (auto _ : state) {
        TMixerWave *wave = SoundMixLoadWave(session.s, &memory);
        benchmark::DoNotOptimize(wave->data);
        SoundMixReleaseWave(session.s, wave);
    }
}
BENCHMARK(BM_LoadOneSecond16BitStereo44100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
