// The game's sound effects, synthesised: short one-shots that fade in and out over a few
// milliseconds so they never click, and trap loops made only of components that repeat a
// whole number of times per loop (noise filtered round the loop), so they loop seamlessly.
#include "AssetList.h"
#include "DetMath.h"
#include "Rng.h"
#include "Synth.h"
#include "WavWriter.h"

#include <algorithm>
#include <vector>

namespace {

using Samples = std::vector<double>;

constexpr double kFadeSeconds = 0.004;
constexpr double kOneShotPeak = 0.7;
constexpr double kLoopPeak = 0.55;
constexpr int kLoopLength = kSampleRate;  // one second: integer-hertz tones repeat exactly

int count(double seconds) {
    return static_cast<int>(seconds * kSampleRate);
}

double timeOf(int i) {
    return static_cast<double>(i) / kSampleRate;
}

// Band-limited square-ish tone: odd harmonics up to a ceiling, weights 1/n.
double pulse(double phase, double frequency, int maxHarmonic) {
    double s = 0.0;
    for (int n = 1; n <= maxHarmonic && n * frequency < kSampleRate / 2.2; n += 2) {
        s += detmath::sin(phase * n) / n;
    }
    return s;
}

// Triangle-ish tone: odd harmonics with weights 1/n^2, softer than pulse.
double soft(double phase, double frequency) {
    double s = 0.0;
    double sign = 1.0;
    for (int n = 1; n <= 9 && n * frequency < kSampleRate / 2.2; n += 2) {
        s += sign * detmath::sin(phase * n) / (n * n);
        sign = -sign;
    }
    return s;
}

// Sawtooth: all harmonics, weights 1/n.
double saw(double phase, double frequency, int maxHarmonic) {
    double s = 0.0;
    for (int n = 1; n <= maxHarmonic && n * frequency < kSampleRate / 2.2; ++n) {
        s += detmath::sin(phase * n) / n;
    }
    return s;
}

void fadeEnds(Samples& s) {
    int n = std::min(count(kFadeSeconds), static_cast<int>(s.size()) / 2);
    for (int i = 0; i < n; ++i) {
        double g = static_cast<double>(i) / n;
        s[static_cast<size_t>(i)] *= g;
        s[s.size() - 1 - static_cast<size_t>(i)] *= g;
    }
}

Samples finishOneShot(Samples s) {
    synth::normalise(s, kOneShotPeak);
    fadeEnds(s);
    return s;
}

Samples whiteNoise(int n, Rng& rng) {
    Samples s(static_cast<size_t>(n));
    for (double& v : s) {
        v = rng.unit() * 2.0 - 1.0;
    }
    return s;
}

// One-pole low-pass; when circular, run twice round the buffer and keep the second lap so
// the filter state at the end meets the start.
Samples lowPass(const Samples& in, double cutoff, bool circular) {
    double a = 1.0 - detmath::exp(-detmath::kTwoPi * cutoff / kSampleRate);
    Samples out(in.size());
    double y = 0.0;
    int laps = circular ? 2 : 1;
    for (int lap = 0; lap < laps; ++lap) {
        for (size_t i = 0; i < in.size(); ++i) {
            y += a * (in[i] - y);
            out[i] = y;
        }
    }
    return out;
}

Samples bandPass(const Samples& in, double low, double high, bool circular) {
    Samples hi = lowPass(in, high, circular);
    Samples lo = lowPass(in, low, circular);
    for (size_t i = 0; i < hi.size(); ++i) {
        hi[i] -= lo[i];
    }
    return hi;
}

// ---- one-shots

Samples jump() {
    constexpr double kSeconds = 0.15;
    constexpr double kFrom = 330.0;  // Hz
    constexpr double kRise = 0.98;   // natural log of the pitch ratio: up to about 880 Hz
    int n = count(kSeconds);
    Samples s(static_cast<size_t>(n));
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        double t = timeOf(i);
        double u = t / kSeconds;
        double f = kFrom * detmath::exp(u * kRise);
        phase += detmath::kTwoPi * f / kSampleRate;
        double env = (1.0 - detmath::exp(-t / 0.004)) * detmath::exp(-t / 0.07);
        s[static_cast<size_t>(i)] = env * (0.7 * pulse(phase, f, 7) + 0.3 * detmath::sin(phase * 2.0));
    }
    return finishOneShot(s);
}

Samples land() {
    constexpr double kSeconds = 0.08;
    int n = count(kSeconds);
    Rng rng("land");
    Samples noise = lowPass(whiteNoise(n, rng), 700.0, false);
    Samples s(static_cast<size_t>(n));
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        double t = timeOf(i);
        double f = 55.0 + 85.0 * detmath::exp(-t / 0.02);
        phase += detmath::kTwoPi * f / kSampleRate;
        double body = detmath::sin(phase) * detmath::exp(-t / 0.03);
        double scuff = noise[static_cast<size_t>(i)] * 6.0 * detmath::exp(-t / 0.012);
        s[static_cast<size_t>(i)] = body + scuff;
    }
    return finishOneShot(s);
}

Samples teleport() {
    constexpr double kSeconds = 0.4;
    int n = count(kSeconds);
    Rng rng("teleport");
    Samples s(static_cast<size_t>(n));
    const double detune[] = {0.99, 1.0, 1.012};
    double phases[] = {0.0, 0.0, 0.0};
    for (int i = 0; i < n; ++i) {
        double t = timeOf(i);
        double u = t / kSeconds;
        double f = 300.0 * detmath::exp(u * 1.7);  // about 300 Hz up to 1.6 kHz
        double v = 0.0;
        for (int k = 0; k < 3; ++k) {
            phases[k] += detmath::kTwoPi * f * detune[k] / kSampleRate;
            v += detmath::sin(phases[k]) + 0.3 * detmath::sin(phases[k] * 2.0);
        }
        double shimmer = 0.65 + 0.35 * detmath::sin(detmath::kTwoPi * 28.0 * t);
        double env = (1.0 - detmath::exp(-t / 0.02)) * (u > 0.7 ? (1.0 - u) / 0.3 : 1.0);
        s[static_cast<size_t>(i)] = v * shimmer * env;
    }
    // sparkles: short bright pings scattered along the sweep
    for (int k = 0; k < 9; ++k) {
        int start = rng.range(0, n * 3 / 4);
        double f = 1800.0 + rng.unit() * 1800.0;
        for (int i = start; i < n; ++i) {
            double t = timeOf(i - start);
            s[static_cast<size_t>(i)] += 1.2 * detmath::sin(detmath::kTwoPi * f * t) * detmath::exp(-t / 0.018);
        }
    }
    return finishOneShot(s);
}

Samples win() {
    constexpr double kSeconds = 1.05;
    int n = count(kSeconds);
    Samples s(static_cast<size_t>(n), 0.0);
    struct Note {
        double start;
        double length;
        double frequency;
        double level;
    };
    // C5 E5 G5, then a held C6 over a soft E5 and G5
    const Note notes[] = {{0.00, 0.11, 523.25, 1.0},  {0.10, 0.11, 659.26, 1.0},  {0.20, 0.11, 783.99, 1.0},
                          {0.30, 0.72, 1046.50, 1.0}, {0.30, 0.72, 659.26, 0.35}, {0.30, 0.72, 783.99, 0.35}};
    for (const Note& note : notes) {
        int first = count(note.start);
        int len = count(note.length);
        double phase = 0.0;
        for (int i = 0; i < len && first + i < n; ++i) {
            double t = timeOf(i);
            double vibrato =
                note.length > 0.5 ? 1.0 + 0.006 * detmath::sin(detmath::kTwoPi * 6.0 * t) * (t / note.length) : 1.0;
            phase += detmath::kTwoPi * note.frequency * vibrato / kSampleRate;
            double attack = 1.0 - detmath::exp(-t / 0.004);
            double release = i > len - count(0.03) ? static_cast<double>(len - i) / count(0.03) : 1.0;
            double decay = note.length > 0.5 ? detmath::exp(-t / 0.5) : 0.85;
            double tone = 0.55 * pulse(phase, note.frequency, 5) + 0.45 * soft(phase, note.frequency);
            s[static_cast<size_t>(first + i)] += note.level * attack * release * decay * tone;
        }
    }
    return finishOneShot(s);
}

// ---- loops: one second each

Samples finishLoop(Samples s) {
    synth::normalise(s, kLoopPeak);
    return s;
}

Samples sawLoop() {
    Rng rng("saw_loop");
    constexpr double kMotor = 120.0;  // Hz; whole periods per second keep the loop seamless
    constexpr double kTeeth = 8.0;
    Samples grind = bandPass(whiteNoise(kLoopLength, rng), 1800.0, 4200.0, true);
    Samples s(static_cast<size_t>(kLoopLength));
    for (int i = 0; i < kLoopLength; ++i) {
        double t = timeOf(i);
        double phase = detmath::kTwoPi * kMotor * t;
        double whirr = saw(phase, kMotor, 30) * (0.75 + 0.25 * detmath::sin(detmath::kTwoPi * kTeeth * t));
        double bite = 0.5 + 0.5 * detmath::sin(detmath::kTwoPi * 2.0 * kTeeth * t);
        s[static_cast<size_t>(i)] = 0.6 * whirr + 3.0 * grind[static_cast<size_t>(i)] * bite;
    }
    return finishLoop(s);
}

Samples emberLoop() {
    Rng rng("ember_loop");
    Samples roar = lowPass(lowPass(whiteNoise(kLoopLength, rng), 260.0, true), 260.0, true);
    Samples hiss = bandPass(whiteNoise(kLoopLength, rng), 2500.0, 6000.0, true);
    Samples s(static_cast<size_t>(kLoopLength));
    for (int i = 0; i < kLoopLength; ++i) {
        double t = timeOf(i);
        double flicker = 0.7 + 0.3 * detmath::sin(detmath::kTwoPi * 3.0 * t) * detmath::sin(detmath::kTwoPi * 5.0 * t);
        s[static_cast<size_t>(i)] =
            14.0 * roar[static_cast<size_t>(i)] * flicker + 0.8 * hiss[static_cast<size_t>(i)] * flicker;
    }
    // crackles: short bursts that wrap round the loop's end
    Samples pops = bandPass(whiteNoise(kLoopLength, rng), 900.0, 7000.0, true);
    for (int k = 0; k < 26; ++k) {
        int start = rng.range(0, kLoopLength - 1);
        double level = 0.5 + rng.unit() * 1.5;
        double tau = 0.0015 + rng.unit() * 0.004;
        int len = count(tau * 6.0);
        for (int i = 0; i < len; ++i) {
            size_t at = static_cast<size_t>((start + i) % kLoopLength);
            double attack = std::min(1.0, i / 8.0);
            s[at] += level * 4.0 * pops[at] * attack * detmath::exp(-timeOf(i) / tau);
        }
    }
    return finishLoop(s);
}

Samples humLoop() {
    // pairs of tones a few hertz apart beat slowly; every frequency is a whole number of hertz
    struct Partial {
        double frequency;
        double level;
    };
    const Partial partials[] = {{110.0, 1.0}, {112.0, 0.6}, {220.0, 0.5}, {330.0, 0.22}, {880.0, 0.08}, {883.0, 0.08}};
    Samples s(static_cast<size_t>(kLoopLength));
    for (int i = 0; i < kLoopLength; ++i) {
        double t = timeOf(i);
        double v = 0.0;
        for (const Partial& p : partials) {
            v += p.level * detmath::sin(detmath::kTwoPi * p.frequency * t);
        }
        s[static_cast<size_t>(i)] = v * (0.8 + 0.2 * detmath::sin(detmath::kTwoPi * 4.0 * t));
    }
    return finishLoop(s);
}

// Two bell notes rising a fifth: a place reached, softer than the win.
Samples checkpoint() {
    constexpr double kSeconds = 0.5;
    int n = count(kSeconds);
    Samples s(static_cast<size_t>(n), 0.0);
    const double starts[] = {0.0, 0.09};
    const double notes[] = {783.99, 1174.66};  // G5, D6
    for (int k = 0; k < 2; ++k) {
        const int first = count(starts[k]);
        for (int i = first; i < n; ++i) {
            const double t = timeOf(i - first);
            const double ring = detmath::exp(-t / 0.12);
            const double bell = detmath::sin(detmath::kTwoPi * notes[k] * t) +
                                0.35 * detmath::sin(detmath::kTwoPi * notes[k] * 2.76 * t) * detmath::exp(-t / 0.04);
            s[static_cast<size_t>(i)] += bell * ring * (1.0 - detmath::exp(-t / 0.003));
        }
    }
    return finishOneShot(s);
}

}  // namespace

void addSounds(std::vector<SoundJob>& jobs) {
    jobs.push_back({"sounds/jump.wav", jump});
    jobs.push_back({"sounds/land.wav", land});
    jobs.push_back({"sounds/teleport.wav", teleport});
    jobs.push_back({"sounds/win.wav", win});
    jobs.push_back({"sounds/checkpoint.wav", checkpoint});
    jobs.push_back({"sounds/saw_loop.wav", sawLoop});
    jobs.push_back({"sounds/ember_loop.wav", emberLoop});
    jobs.push_back({"sounds/hum_loop.wav", humLoop});
}
