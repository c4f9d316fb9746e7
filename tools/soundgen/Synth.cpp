#include "tools/soundgen/Synth.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

// Deterministic noise, so every build makes the same bytes.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state(seed * 2654435761u + 1) {}
    double next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1 << 23) - 1.0;
    }

private:
    std::uint32_t state;
};

double oscillator(Wave wave, double phase, Noise &noise) {
    const double turn = phase - std::floor(phase);
    switch (wave) {
    case Wave::Sine:
        return std::sin(2 * std::numbers::pi * turn);
    case Wave::Triangle:
        return 1 - 4 * std::abs(turn - 0.5);
    case Wave::Soft:
        return std::tanh(3 * std::sin(2 * std::numbers::pi * turn)) / std::tanh(3.0);
    case Wave::Noise:
        return noise.next();
    }
    return 0;
}

double envelope(const Voice &v, double t) {
    double level = v.attack > 0 ? std::min(1.0, t / v.attack) : 1.0;
    if (v.decay > 0 && t > v.attack)
        level *= std::exp(-(t - v.attack) / v.decay);
    const double untilEnd = v.length - t;
    if (v.release > 0 && untilEnd < v.release)
        level *= 0.5 - 0.5 * std::cos(std::numbers::pi * std::max(0.0, untilEnd) / v.release);
    return level;
}

void addVoice(std::vector<double> &mix, const Voice &v, std::uint32_t seed) {
    Noise noise(seed);
    const int first = int(std::lround(v.start * SampleRate));
    const int count = int(std::lround(v.length * SampleRate));
    double phase = 0;
    double smoothed = 0;
    for (int i = 0; i < count && first + i < int(mix.size()); ++i) {
        const double t = double(i) / SampleRate;
        const double glide = v.fromHz * std::pow(v.toHz / v.fromHz, t / v.length);
        const double vibrato =
            1 + v.vibratoDepth * std::sin(2 * std::numbers::pi * v.vibratoHz * t);
        phase += glide * vibrato / SampleRate;
        smoothed += v.smoothing * (oscillator(v.wave, phase, noise) - smoothed);
        mix[first + i] += v.gain * envelope(v, t) * smoothed;
    }
}

} // namespace

QByteArray render(const Cue &cue) {
    std::vector<double> mix(cue.bytes, 0.0);
    std::uint32_t seed = 1;
    for (const Voice &voice : cue.voices)
        addVoice(mix, voice, seed++);

    // Fades of 4 ms guarantee silence at both ends whatever the voices do.
    const int fade = SampleRate / 250;
    for (int i = 0; i < fade && i < cue.bytes; ++i) {
        const double ramp = double(i) / fade;
        mix[i] *= ramp;
        mix[cue.bytes - 1 - i] *= ramp;
    }
    double loudest = 0;
    for (double s : mix)
        loudest = std::max(loudest, std::abs(s));
    const double scale = loudest > 0 ? cue.peak / loudest : 0;

    QByteArray samples(cue.bytes, Qt::Uninitialized);
    for (int i = 0; i < cue.bytes; ++i) {
        const long value = std::lround(128 + 127 * scale * mix[i]);
        samples[i] = char(std::clamp(value, 1L, 255L));
    }
    return samples;
}

namespace {

void putTag(QByteArray &out, const char *tag) {
    out.append(tag, 4);
}

void put32(QByteArray &out, std::uint32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void put16(QByteArray &out, std::uint16_t value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

} // namespace

QByteArray waveFile(const QByteArray &samples) {
    // RIFF chunks are word aligned: an odd data chunk is followed by one pad byte.
    const bool padded = samples.size() % 2 != 0;
    QByteArray out;
    putTag(out, "RIFF");
    put32(out, 4 + 8 + 16 + 8 + samples.size() + (padded ? 1 : 0));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);
    put16(out, 1);
    put32(out, SampleRate);
    put32(out, SampleRate);
    put16(out, 1);
    put16(out, 8);
    putTag(out, "data");
    put32(out, samples.size());
    out.append(samples);
    if (padded)
        out.append(char(128));
    return out;
}

} // namespace synth
