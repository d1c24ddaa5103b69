#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gensounds {

namespace {

constexpr double kPi = std::numbers::pi;

std::size_t toIndex(double seconds) { return std::size_t(std::lround(seconds * kSampleRate)); }

// 0 -> 1 over `attack` seconds along half a cosine, so a sound never starts with a step.
double attackGain(double t, double attack) {
    if (attack <= 0.0 || t >= attack) return 1.0;
    return 0.5 - 0.5 * std::cos(kPi * t / attack);
}

}  // namespace

Sound::Sound(double seconds) : samples_(toIndex(seconds), 0.0f) {}

void Sound::addTone(double start, double frequency, double amplitude, double attack, double decay,
                    const std::vector<Partial>& partials) {
    for (std::size_t i = toIndex(start); i < samples_.size(); ++i) {
        const double t = double(i) / kSampleRate - start;
        double value = 0.0;
        for (const Partial& p : partials) {
            const double f = frequency * p.ratio;
            if (f >= kSampleRate / 2.0) continue;
            value +=
                p.amplitude * std::exp(-t * p.decaySpeed / decay) * std::sin(2.0 * kPi * f * t);
        }
        samples_[i] += float(amplitude * attackGain(t, attack) * value);
    }
}

float Sound::nextNoise() {
    // xorshift32: fixed seed, same sequence on every run.
    noiseState_ ^= noiseState_ << 13;
    noiseState_ ^= noiseState_ >> 17;
    noiseState_ ^= noiseState_ << 5;
    return float(noiseState_) / 2147483648.0f - 1.0f;
}

void Sound::addNoiseBurst(double start, double amplitude, double centre, double q, double decay) {
    // Band-pass biquad (constant peak gain), run over the burst only.
    const double w0 = 2.0 * kPi * centre / kSampleRate;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0;
    const double a1 = -2.0 * std::cos(w0) / a0, a2 = (1.0 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    const std::size_t end = std::min(samples_.size(), toIndex(start + decay * 8.0));
    for (std::size_t i = toIndex(start); i < end; ++i) {
        const double t = double(i) / kSampleRate - start;
        const double x = nextNoise() * std::exp(-t / decay) * attackGain(t, 0.0008);
        const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        samples_[i] += float(amplitude * y);
    }
}

void Sound::addWoodHit(double start, double amplitude, double baseFrequency, double decay) {
    // Ratios of a small, stiff wooden plate: inharmonic, upper modes die fast.
    addTone(start, baseFrequency, amplitude, 0.0015, decay,
            {{1.0, 1.0, 1.0}, {2.31, 0.55, 1.7}, {3.93, 0.3, 2.6}, {5.72, 0.12, 3.5}});
    addNoiseBurst(start, amplitude * 2.2, baseFrequency * 4.5, 1.2, decay * 0.12);
}

void Sound::lowPass(double cutoff) {
    const double k = 1.0 - std::exp(-2.0 * kPi * cutoff / kSampleRate);
    double y = 0.0;
    for (float& s : samples_) {
        y += k * (double(s) - y);
        s = float(y);
    }
}

void Sound::fadeOut(double seconds) {
    const std::size_t n = std::min(samples_.size(), toIndex(seconds));
    const std::size_t first = samples_.size() - n;
    for (std::size_t i = 0; i < n; ++i) {
        const double g = 0.5 + 0.5 * std::cos(kPi * double(i + 1) / double(n));
        samples_[first + i] = float(samples_[first + i] * g);
    }
}

void Sound::normalise(double peak) {
    float largest = 0.0f;
    for (float s : samples_) largest = std::max(largest, std::abs(s));
    if (largest <= 0.0f) return;
    const float gain = float(peak) / largest;
    for (float& s : samples_) s *= gain;
}

}  // namespace gensounds
