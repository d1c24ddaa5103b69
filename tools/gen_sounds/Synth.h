#pragma once
// Small deterministic synthesis kit for short game sounds: decaying tones made
// of partials, band-passed noise bursts, a struck-wood hit, and the finishing
// steps (fade-out, peak normalisation). Everything is plain arithmetic with a
// fixed-seed noise generator, so the same build always makes the same samples.

#include <cstdint>
#include <vector>

namespace gensounds {

inline constexpr int kSampleRate = 44100;

// One mono sound being built, as floats in -1..1.
class Sound {
public:
    explicit Sound(double seconds);

    [[nodiscard]] const std::vector<float>& samples() const { return samples_; }
    [[nodiscard]] double seconds() const { return double(samples_.size()) / kSampleRate; }

    // One partial of a tone: frequency ratio to the fundamental, amplitude,
    // and how much faster than the fundamental it dies away (1 = as fast).
    struct Partial {
        double ratio;
        double amplitude;
        double decaySpeed = 1.0;
    };

    // A tone starting at `start` seconds: raised-cosine attack of `attack`
    // seconds, then exponential decay with time constant `decay` seconds.
    void addTone(double start, double frequency, double amplitude, double attack, double decay,
                 const std::vector<Partial>& partials);

    // A short burst of noise through a resonant band-pass around `centre` Hz.
    void addNoiseBurst(double start, double amplitude, double centre, double q, double decay);

    // A disc striking a wooden board: a few inharmonic body modes that die
    // within tens of milliseconds plus a tiny noise transient.
    void addWoodHit(double start, double amplitude, double baseFrequency, double decay);

    // A gentle one-pole low-pass over the whole sound, to take off harshness.
    void lowPass(double cutoff);

    // Raised-cosine fade to silence over the last `seconds`.
    void fadeOut(double seconds);

    // Scales the sound so that its largest absolute sample is `peak`.
    void normalise(double peak);

private:
    std::vector<float> samples_;
    std::uint32_t noiseState_ = 0x9E3779B9u;

    float nextNoise();
};

}  // namespace gensounds
