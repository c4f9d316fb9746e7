#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

#include <vector>

namespace synth {

constexpr int SampleRate = 11025;

enum class Wave { Sine, Triangle, Soft, Noise };

// One sounding element of a cue. Times are in seconds; a frequency glides
// exponentially from fromHz to toHz over the voice's length.
struct Voice {
    double start = 0;
    double length = 0;
    Wave wave = Wave::Sine;
    double fromHz = 440;
    double toHz = 440;
    double gain = 1;
    double attack = 0.005;
    // Exponential fall time after the attack; 0 holds the level.
    double decay = 0;
    double release = 0.02;
    double vibratoHz = 0;
    // Fraction of the frequency swept by the vibrato.
    double vibratoDepth = 0;
    // One-pole smoothing of the voice, 1 leaves it bright, smaller is darker.
    double smoothing = 1;
};

struct Cue {
    QString name;
    // Exact length of the wave data: one byte per sample.
    int bytes = 0;
    // The loudest sample is scaled to this fraction of full scale.
    double peak = 0.8;
    std::vector<Voice> voices;
};

// The samples of a cue as unsigned 8-bit PCM, centred on 128, with short fades at
// both ends so it starts and stops without a click.
QByteArray render(const Cue &cue);

// A complete RIFF WAVE file around 8-bit mono samples.
QByteArray waveFile(const QByteArray &samples);

// The game's six cues.
std::vector<Cue> gameCues();

} // namespace synth
