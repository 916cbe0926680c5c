#include "Synth.h"

#include "DetMath.h"
#include "Rng.h"
#include "WavWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace synth {

namespace {

constexpr int kTableSize = 4096;
constexpr double kLn2 = 0.69314718055994530942;
constexpr double kNyquistMargin = kSampleRate / 2.2;  // partials above this would alias
constexpr double kInaudible = 1e-4;                   // an envelope this low ends the note

// One period of a sine, read with linear interpolation: the same bits on every build and far
// cheaper than a series per sample.
const std::array<double, kTableSize + 1>& sineTable() {
    static const std::array<double, kTableSize + 1> table = [] {
        std::array<double, kTableSize + 1> t{};
        for (int i = 0; i <= kTableSize; ++i) {
            t[static_cast<size_t>(i)] = detmath::sin(detmath::kTwoPi * i / kTableSize);
        }
        return t;
    }();
    return table;
}

// Sine of a phase given in turns.
double sine(double turns) {
    double u = turns - detmath::floor(turns);
    double at = u * kTableSize;
    int i = static_cast<int>(at);
    double f = at - i;
    const auto& t = sineTable();
    return t[static_cast<size_t>(i)] + (t[static_cast<size_t>(i) + 1] - t[static_cast<size_t>(i)]) * f;
}

// Sum of harmonics k = 1..count of a phase in turns, weighted 1/k^power, skipping those that alias.
double harmonics(double turns, double hz, int count, int step, double power) {
    double s = 0.0;
    for (int k = 1; k <= count && k * hz < kNyquistMargin; k += step) {
        double weight = power == 1.0 ? 1.0 / k : 1.0 / (static_cast<double>(k) * k);
        s += sine(turns * k) * weight;
    }
    return s;
}

struct Shape {
    double attack;       // seconds to full level
    double decay;        // per second: the level falls as exp(-decay t) while held
    double release;      // seconds: time constant of the fall after the note is let go
    double longestTail;  // seconds rendered after the note is let go, at most
    double brightness;   // per second: how fast the instrument's colour fades (see tone)
};

Shape shapeOf(Instrument instrument) {
    switch (instrument) {
    case Instrument::Bass:
        return {0.006, 1.2, 0.05, 0.4, 0.0};
    case Instrument::Pad:
        return {0.30, 0.0, 0.35, 2.0, 0.0};
    case Instrument::Pluck:
        return {0.004, 3.0, 0.12, 0.8, 1.5};
    case Instrument::Lead:
        return {0.02, 0.4, 0.08, 0.6, 0.0};
    case Instrument::Bell:
        return {0.003, 1.6, 0.4, 2.0, 2.0};
    case Instrument::Kick:
        return {0.002, 10.0, 0.05, 0.3, 28.0};
    case Instrument::Snare:
        return {0.001, 18.0, 0.03, 0.2, 20.0};
    case Instrument::Hat:
        return {0.001, 55.0, 0.02, 0.08, 0.0};
    }
    return {0.01, 1.0, 0.1, 0.5, 0.0};
}

// A value falling as exp(-rate t), stepped one sample at a time by multiplication: one
// exponential per note instead of one per sample.
class Fall {
public:
    explicit Fall(double perSecond) : factor(detmath::exp(-perSecond / kSampleRate)) {}
    double value() const { return current; }
    void step() { current *= factor; }

private:
    double factor;
    double current = 1.0;
};

// The raw tone of one instrument; `turns` is the running phase of the fundamental, `fade` the
// instrument's falling brightness and `noise` a fresh white sample.
double tone(Instrument instrument, double turns, double hz, double fade, double noise, double previousNoise) {
    switch (instrument) {
    case Instrument::Bass:
        return sine(turns) + 0.3 * sine(turns * 2) + 0.12 * sine(turns * 3);
    case Instrument::Pad:
        // two slightly detuned saws beat slowly against each other
        return 0.5 * harmonics(turns, hz, 6, 1, 1.0) + 0.5 * harmonics(turns * 1.004, hz, 6, 1, 1.0);
    case Instrument::Pluck: {
        // the higher the partial, the sooner it dies: partial k fades as fade^k
        double s = 0.0;
        double weight = 1.0;
        for (int k = 1; k <= 6 && k * hz < kNyquistMargin; ++k) {
            weight *= fade;
            s += sine(turns * k) * weight / k;
        }
        return s;
    }
    case Instrument::Lead:
        return harmonics(turns, hz, 7, 2, 2.0) + 0.2 * sine(turns * 2);
    case Instrument::Bell: {
        double f2 = fade * fade;
        return sine(turns) + 0.45 * sine(turns * 2.0) * fade + 0.25 * sine(turns * 3.01) * f2 +
               0.12 * sine(turns * 4.2) * f2 * f2;
    }
    case Instrument::Kick:
        return sine(turns);
    case Instrument::Snare:
        return 0.6 * noise + 0.4 * sine(turns) * fade;
    case Instrument::Hat:
        return 0.5 * (noise - previousNoise);
    }
    return 0.0;
}

// Pitch of the moment: a kick falls fast from a thud to its low note, a lead sings with a
// vibrato that sets in after its attack.
double pitchAt(Instrument instrument, double hz, double t, double fade) {
    if (instrument == Instrument::Kick) {
        return 45.0 + 95.0 * fade;
    }
    if (instrument == Instrument::Lead && t > 0.15) {
        return hz * (1.0 + 0.004 * sine(5.0 * t));
    }
    return hz;
}

}  // namespace

void normalise(std::vector<double>& samples, double peak) {
    double top = 0.0;
    for (double v : samples) {
        top = std::max(top, v < 0 ? -v : v);
    }
    if (top > 0.0) {
        for (double& v : samples) {
            v *= peak / top;
        }
    }
}

double frequency(int pitch) {
    return 440.0 * detmath::exp(kLn2 * (pitch - 69) / 12.0);
}

void render(Instrument instrument, const Note& note, std::vector<double>& loop) {
    const auto size = static_cast<int64_t>(loop.size());
    if (size == 0) {
        return;
    }
    const Shape shape = shapeOf(instrument);
    const double hz = frequency(note.pitch);
    const int total = note.length + static_cast<int>(shape.longestTail * kSampleRate);
    const int attack = static_cast<int>(shape.attack * kSampleRate) + 1;
    Fall hold(shape.decay);
    Fall release(1.0 / shape.release);
    Fall fade(shape.brightness);
    Rng noise(static_cast<uint64_t>(note.start) * 131u + static_cast<uint64_t>(note.pitch));
    double turns = 0.0;
    double previousNoise = 0.0;
    for (int i = 0; i < total; ++i) {
        double level = (i < attack ? static_cast<double>(i) / attack : 1.0) * hold.value() * release.value();
        if (i > attack && level < kInaudible) {
            break;
        }
        double white = noise.unit() * 2.0 - 1.0;
        double value = tone(instrument, turns, hz, fade.value(), white, previousNoise);
        int64_t at = (note.start + static_cast<int64_t>(i)) % size;
        loop[static_cast<size_t>(at)] += note.gain * level * value;
        previousNoise = white;
        // the phase is never wrapped, so partials at non-whole ratios run on smoothly
        turns += pitchAt(instrument, hz, static_cast<double>(i) / kSampleRate, fade.value()) / kSampleRate;
        hold.step();
        fade.step();
        if (i >= note.length) {
            release.step();
        }
    }
}

}  // namespace synth
