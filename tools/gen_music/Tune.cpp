#include "Tune.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace genmusic {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kBeat = 60.0 / 80.0;  // 80 beats a minute
constexpr double kBar = 4 * kBeat;
constexpr int kBars = 8;
constexpr double kLength = kBars * kBar + 5.0;  // the last chord rings out

double frequency(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

std::size_t toIndex(double seconds) { return std::size_t(std::lround(seconds * kTuneSampleRate)); }

struct Partial {
    double ratio;
    double amplitude;
    double decaySpeed;  // how much faster than the fundamental it dies away
};

// A tone of `length` seconds: raised-cosine attack, exponential decay, and a
// short release at its end so that it never stops with a click.
void addNote(std::vector<float>& out, double start, int note, double amplitude, double attack,
             double decay, double length, const std::vector<Partial>& partials,
             double detune = 0.0) {
    constexpr double kRelease = 0.08;
    const double f0 = frequency(note) * (1.0 + detune);
    const std::size_t first = toIndex(start);
    const std::size_t end = std::min(out.size(), toIndex(start + length));
    for (std::size_t i = first; i < end; ++i) {
        const double t = double(i - first) / kTuneSampleRate;
        double gain = amplitude;
        if (t < attack) gain *= 0.5 - 0.5 * std::cos(kPi * t / attack);
        if (const double left = length - t; left < kRelease) gain *= left / kRelease;
        double value = 0.0;
        for (const Partial& p : partials) {
            const double f = f0 * p.ratio;
            if (f >= kTuneSampleRate / 2.0) continue;
            value +=
                p.amplitude * std::exp(-t * p.decaySpeed / decay) * std::sin(2.0 * kPi * f * t);
        }
        out[i] += float(gain * value);
    }
}

// Electric-piano-like voice for the melody: bright at the strike, mellow after.
void piano(std::vector<float>& out, double start, int note, double beats) {
    addNote(out, start, note, 0.30, 0.006, 1.1, beats * kBeat + 1.2,
            {{1.0, 1.0, 1.0}, {2.0, 0.35, 2.5}, {3.0, 0.12, 4.0}, {4.0, 0.05, 6.0}});
}

// Soft pad: a slow swell with two slightly detuned voices.
void pad(std::vector<float>& out, double start, int note, double seconds) {
    const std::vector<Partial> partials = {{1.0, 1.0, 1.0}, {2.0, 0.18, 1.5}, {3.0, 0.06, 2.0}};
    addNote(out, start, note, 0.045, 0.7, 6.0, seconds, partials, -0.0018);
    addNote(out, start, note, 0.045, 0.7, 6.0, seconds, partials, +0.0018);
}

void bass(std::vector<float>& out, double start, int note, double beats) {
    addNote(out, start, note, 0.22, 0.01, 1.4, beats * kBeat, {{1.0, 1.0, 1.0}, {2.0, 0.25, 2.0}});
}

void pluck(std::vector<float>& out, double start, int note) {
    addNote(out, start, note, 0.06, 0.004, 0.25, 0.9, {{1.0, 1.0, 1.0}, {2.0, 0.2, 3.0}});
}

struct Chord {
    int root;              // bass note
    std::vector<int> pad;  // pad and arpeggio notes
};

struct MelodyNote {
    double beat;  // from the start of its bar
    int note;
    double beats;
};

// Two echoes fed back into themselves: a small room around the instruments.
void addRoom(std::vector<float>& out) {
    std::vector<float> wet(out.size(), 0.0f);
    const std::size_t d1 = toIndex(0.213), d2 = toIndex(0.347);
    for (std::size_t i = 0; i < out.size(); ++i) {
        float v = 0.0f;
        if (i >= d1) v += 0.33f * (out[i - d1] + wet[i - d1]) * 0.5f;
        if (i >= d2) v += 0.27f * (out[i - d2] + wet[i - d2]) * 0.5f;
        wet[i] = v;
    }
    for (std::size_t i = 0; i < out.size(); ++i) out[i] += 0.6f * wet[i];
}

void lowPass(std::vector<float>& out, double cutoff) {
    const double k = 1.0 - std::exp(-2.0 * kPi * cutoff / kTuneSampleRate);
    double y = 0.0;
    for (float& s : out) {
        y += k * (double(s) - y);
        s = float(y);
    }
}

void finish(std::vector<float>& out) {
    float largest = 0.0f;
    for (float s : out) largest = std::max(largest, std::abs(s));
    if (largest > 0.0f)
        for (float& s : out) s *= 0.8f / largest;
    const std::size_t fade = toIndex(2.5);
    for (std::size_t i = 0; i < fade; ++i) {
        const double g = 0.5 + 0.5 * std::cos(kPi * double(i + 1) / double(fade));
        float& s = out[out.size() - fade + i];
        s = float(s * g);
    }
}

}  // namespace

std::vector<float> composeTune() {
    std::vector<float> out(toIndex(kLength), 0.0f);

    const Chord C{36, {60, 64, 67}}, Am{33, {57, 60, 64}}, F{41, {57, 60, 65}}, G{43, {55, 59, 62}},
        Dm{38, {57, 62, 65}};
    const Chord bars[kBars] = {C, Am, F, G, C, Am, Dm, G};
    const std::vector<MelodyNote> melody[kBars] = {
        {{0, 64, 1}, {1, 67, 1}, {2, 72, 2}},
        {{0, 72, 1}, {1, 69, 1}, {2, 64, 2}},
        {{0, 65, 1}, {1, 69, 1}, {2, 72, 1}, {3, 74, 1}},
        {{0, 71, 2}, {2, 67, 1.5}, {3.5, 69, 0.5}},
        {{0, 76, 1}, {1, 74, 1}, {2, 72, 1}, {3, 67, 1}},
        {{0, 69, 2}, {2, 72, 1}, {3, 76, 1}},
        {{0, 74, 1}, {1, 72, 1}, {2, 69, 1}, {3, 65, 1}},
        {{0, 67, 1}, {1, 71, 1}, {2, 74, 2}},
    };

    for (int bar = 0; bar < kBars; ++bar) {
        const double at = bar * kBar;
        const Chord& chord = bars[bar];
        for (int note : chord.pad) pad(out, at, note, kBar + 0.4);
        bass(out, at, chord.root, 2);
        bass(out, at + 2 * kBeat, chord.root + (bar % 2 ? 7 : 12), 2);
        // The arpeggio on the off-beats, an octave up.
        for (int eighth = 1; eighth < 8; eighth += 2)
            pluck(out, at + eighth * kBeat / 2,
                  chord.pad[std::size_t(eighth / 2) % chord.pad.size()] + 12);
        for (const MelodyNote& m : melody[bar]) piano(out, at + m.beat * kBeat, m.note, m.beats);
    }
    // The closing chord.
    const double end = kBars * kBar;
    for (int note : {60, 64, 67, 72}) pad(out, end, note, 4.8);
    bass(out, end, 36, 6);
    piano(out, end, 72, 4);
    piano(out, end + kBeat / 2, 76, 3.5);

    addRoom(out);
    lowPass(out, 6000.0);
    finish(out);
    return out;
}

}  // namespace genmusic
