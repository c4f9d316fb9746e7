// The six cues of the game, as voices. Lengths are the exact wave sizes the game
// was timed with: one byte per sample at 11025 samples per second.
#include "tools/soundgen/Synth.h"

namespace synth {

namespace {

// Equal-tempered pitches used below.
constexpr double G4 = 392.00, C5 = 523.25, E5 = 659.26, G5 = 783.99, C6 = 1046.50, E6 = 1318.51,
                 G6 = 1567.98, B6 = 1975.53;

// A struck glass bell: a bright fundamental with quickly fading upper partials.
void addBell(std::vector<Voice> &voices, double start, double hz, double gain, double length) {
    const double partials[][3] = {{1.0, 1.0, 0.20}, {2.0, 0.35, 0.09}, {3.01, 0.18, 0.05}};
    for (const auto &[ratio, weight, decay] : partials) {
        // Partials near half the sample rate would fold back as harsh false tones.
        if (hz * ratio > 0.8 * SampleRate / 2)
            continue;
        voices.push_back({.start = start,
                          .length = length,
                          .wave = Wave::Sine,
                          .fromHz = hz * ratio,
                          .toHz = hz * ratio,
                          .gain = gain * weight,
                          .attack = 0.002,
                          .decay = decay,
                          .release = 0.03});
    }
}

// A soft brass-like note for the fanfare.
Voice horn(double start, double length, double hz, double gain) {
    return {.start = start,
            .length = length,
            .wave = Wave::Soft,
            .fromHz = hz,
            .toHz = hz,
            .gain = gain,
            .attack = 0.02,
            .decay = 0,
            .release = 0.06,
            .vibratoHz = 5.5,
            .vibratoDepth = 0.004,
            .smoothing = 0.35};
}

Cue landing() {
    // Soft thud: a low falling tone with a muffled knock on top.
    return {"SND_DEPOSITAR",
            2495,
            0.62,
            {{.start = 0,
              .length = 0.226,
              .wave = Wave::Sine,
              .fromHz = 170,
              .toHz = 55,
              .gain = 1.0,
              .attack = 0.003,
              .decay = 0.07,
              .release = 0.05},
             {.start = 0,
              .length = 0.05,
              .wave = Wave::Noise,
              .gain = 0.5,
              .attack = 0.002,
              .decay = 0.012,
              .release = 0.02,
              .smoothing = 0.08},
             {.start = 0,
              .length = 0.06,
              .wave = Wave::Triangle,
              .fromHz = 360,
              .toHz = 240,
              .gain = 0.18,
              .attack = 0.002,
              .decay = 0.015,
              .release = 0.02}}};
}

Cue elimination() {
    // Bright chime: two glass bells a fifth apart, the second a moment later.
    Cue cue{"SND_ELIMINAR", 6038, 0.8, {}};
    addBell(cue.voices, 0.0, E6, 1.0, 0.54);
    addBell(cue.voices, 0.07, B6, 0.8, 0.47);
    cue.voices.push_back({.start = 0,
                          .length = 0.03,
                          .wave = Wave::Noise,
                          .gain = 0.15,
                          .attack = 0.001,
                          .decay = 0.006,
                          .release = 0.01,
                          .smoothing = 0.6});
    return cue;
}

Cue level() {
    // Rising figure: a major arpeggio climbing to a ringing top note.
    Cue cue{"SND_NIVEL", 9995, 0.8, {}};
    const double steps[] = {C5, E5, G5, C6};
    for (int k = 0; k < 4; ++k) {
        cue.voices.push_back({.start = 0.11 * k,
                              .length = 0.9 - 0.11 * k,
                              .wave = Wave::Triangle,
                              .fromHz = steps[k],
                              .toHz = steps[k],
                              .gain = 0.6,
                              .attack = 0.006,
                              .decay = 0.16,
                              .release = 0.05});
    }
    addBell(cue.voices, 0.44, C6 * 2, 0.45, 0.46);
    return cue;
}

Cue rocks() {
    // Rumble: dark noise over a low falling tone.
    return {"SND_ROCAS",
            2422,
            0.75,
            {{.start = 0,
              .length = 0.22,
              .wave = Wave::Noise,
              .gain = 1.0,
              .attack = 0.004,
              .decay = 0.07,
              .release = 0.04,
              .smoothing = 0.06},
             {.start = 0,
              .length = 0.22,
              .wave = Wave::Sine,
              .fromHz = 80,
              .toHz = 42,
              .gain = 0.7,
              .attack = 0.004,
              .decay = 0.09,
              .release = 0.04},
             {.start = 0.05,
              .length = 0.12,
              .wave = Wave::Noise,
              .gain = 0.5,
              .attack = 0.004,
              .decay = 0.04,
              .release = 0.03,
              .smoothing = 0.1}}};
}

Cue rockLine() {
    // Grinding rise: a rough buzzing tone climbing through gravelly noise.
    return {"SND_LINEAS",
            6053,
            0.6,
            {{.start = 0,
              .length = 0.549,
              .wave = Wave::Soft,
              .fromHz = 55,
              .toHz = 150,
              .gain = 1.0,
              .attack = 0.05,
              .release = 0.12,
              .vibratoHz = 23,
              .vibratoDepth = 0.12,
              .smoothing = 0.3},
             {.start = 0,
              .length = 0.549,
              .wave = Wave::Noise,
              .gain = 0.3,
              .attack = 0.06,
              .release = 0.12,
              .smoothing = 0.07},
             {.start = 0.1,
              .length = 0.449,
              .wave = Wave::Triangle,
              .fromHz = 110,
              .toHz = 300,
              .gain = 0.25,
              .attack = 0.08,
              .release = 0.12,
              .vibratoHz = 17,
              .vibratoDepth = 0.05}}};
}

Cue stage() {
    // Short fanfare: three quick calls, then a held major chord that swells and fades.
    Cue cue{"SND_FASE", 22339, 0.85, {}};
    cue.voices.push_back(horn(0.00, 0.14, G4, 0.7));
    cue.voices.push_back(horn(0.16, 0.14, C5, 0.7));
    cue.voices.push_back(horn(0.32, 0.14, E5, 0.7));
    cue.voices.push_back(horn(0.48, 0.30, G5, 0.75));
    const double chord[] = {C5, E5, G5, C6};
    for (double hz : chord) {
        Voice held = horn(0.82, 1.2, hz, 0.42);
        held.attack = 0.08;
        held.decay = 0.9;
        held.release = 0.35;
        cue.voices.push_back(held);
    }
    addBell(cue.voices, 0.82, G6, 0.3, 1.0);
    addBell(cue.voices, 0.82, E6 * 2, 0.15, 1.0);
    return cue;
}

} // namespace

std::vector<Cue> gameCues() {
    return {landing(), elimination(), level(), rocks(), rockLine(), stage()};
}

} // namespace synth
