#include "Score.h"

#include "WavWriter.h"

#include <cmath>
#include <functional>
#include <sstream>
#include <stdexcept>

namespace music {

namespace {

constexpr int kSixteenthsPerBar = 16;
constexpr int kSixteenthsPerEighth = 2;
constexpr int kBassRoot = 36;    // C2: bass roots lie from C2 to B2
constexpr int kChordFloor = 55;  // G3: chord roots lie from G3 to F#4
constexpr int kKickPitch = 36;
constexpr int kSnarePitch = 55;
constexpr int kHatPitch = 90;

const int kLetterSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G

int pitchClass(const std::string& text, size_t& at) {
    if (at >= text.size() || text[at] < 'A' || text[at] > 'G') {
        throw std::invalid_argument("not a note name: " + text);
    }
    int pc = kLetterSemitones[text[at] - 'A'];
    ++at;
    if (at < text.size() && (text[at] == '#' || text[at] == 'b')) {
        pc += text[at] == '#' ? 1 : -1;
        ++at;
    }
    return (pc + 12) % 12;
}

// "F#4" is 66: octave 4 starts at middle C, 60.
int parsePitch(const std::string& token) {
    size_t at = 0;
    int pc = pitchClass(token, at);
    if (at + 1 != token.size() || token[at] < '0' || token[at] > '9') {
        throw std::invalid_argument("not a note: " + token);
    }
    return (token[at] - '0' + 1) * 12 + pc;
}

struct Chord {
    int root;                // pitch class
    std::vector<int> tones;  // semitones above the root: third, fifth (and seventh)
};

Chord parseChord(const std::string& name) {
    size_t at = 0;
    Chord chord{pitchClass(name, at), {}};
    std::string quality = name.substr(at);
    bool minor = !quality.empty() && quality[0] == 'm' && quality.compare(0, 3, "maj") != 0;
    chord.tones = {minor ? 3 : 4, 7};
    if (quality.find("maj7") != std::string::npos) {
        chord.tones.push_back(11);
    } else if (quality.find('7') != std::string::npos) {
        chord.tones.push_back(10);
    }
    return chord;
}

int chordRoot(const Chord& chord) {
    return kChordFloor + (chord.root - kChordFloor % 12 + 12) % 12;
}

// Calls `play(symbol, firstStep, steps)` for each sounding symbol of a step sequence, a held
// symbol lasting through the "-" that follow it.
void walkSteps(const std::vector<std::string>& tokens, const std::function<void(const std::string&, int, int)>& play) {
    int start = -1;
    std::string held;
    auto finish = [&](int end) {
        if (start >= 0) {
            play(held, start, end - start);
        }
        start = -1;
    };
    for (int i = 0; i < static_cast<int>(tokens.size()); ++i) {
        const std::string& token = tokens[static_cast<size_t>(i)];
        if (token == "-") {
            continue;
        }
        finish(i);
        if (token != ".") {
            start = i;
            held = token;
        }
    }
    finish(static_cast<int>(tokens.size()));
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        if (word != "|") {
            out.push_back(word);
        }
    }
    return out;
}

std::vector<std::string> letters(const std::string& pattern) {
    std::vector<std::string> out;
    for (char c : pattern) {
        if (c != ' ') {
            out.emplace_back(1, c);
        }
    }
    if (!out.empty() && out.size() != kSixteenthsPerBar) {
        throw std::invalid_argument("a pattern has one symbol per sixteenth of a bar: " + pattern);
    }
    return out;
}

class Performance {
public:
    Performance(const Score& played, int bars)
        : score(played),
          sixteenth(kSampleRate * 60.0 / played.beatsPerMinute / 4.0),
          loop(static_cast<size_t>(std::lround(bars * kSixteenthsPerBar * sixteenth))) {}

    void play(synth::Instrument instrument, double gain, int pitch, int firstSixteenth, int sixteenths) {
        if (gain <= 0.0) {
            return;
        }
        int start = static_cast<int>(std::lround(firstSixteenth * sixteenth));
        int end = static_cast<int>(std::lround((firstSixteenth + sixteenths) * sixteenth));
        synth::render(instrument, {start, end - start, pitch, gain}, loop);
    }

    void bar(const Chord& chord, int barStart) {
        const int root = chordRoot(chord);
        walkSteps(letters(score.bassPattern), [&](const std::string& s, int at, int steps) {
            int bassRoot = kBassRoot + chord.root;
            int pitch = s == "F" ? bassRoot + 7 : (s == "O" ? bassRoot + 12 : bassRoot);
            play(score.bass.instrument, score.bass.gain, pitch, barStart + at, steps);
        });
        walkSteps(letters(score.arpeggioPattern), [&](const std::string& s, int at, int steps) {
            int index = s[0] - '1';
            int pitch =
                index == 0 ? root : (index == 3 ? root + 12 : root + chord.tones[static_cast<size_t>(index - 1)]);
            play(score.arpeggio.instrument, score.arpeggio.gain, pitch, barStart + at, steps);
        });
        if (score.padGain > 0.0) {
            play(synth::Instrument::Pad, score.padGain, root, barStart, kSixteenthsPerBar);
            for (int tone : chord.tones) {
                play(synth::Instrument::Pad, score.padGain, root + tone, barStart, kSixteenthsPerBar);
            }
        }
        drum(synth::Instrument::Kick, score.kickGain, kKickPitch, score.kickPattern, barStart);
        drum(synth::Instrument::Snare, score.snareGain, kSnarePitch, score.snarePattern, barStart);
        drum(synth::Instrument::Hat, score.hatGain, kHatPitch, score.hatPattern, barStart);
    }

    void melody(const Section& section, int sectionStart) {
        std::vector<std::string> eighths = words(section.melody);
        if (eighths.size() != section.chords.size() * kSixteenthsPerBar / kSixteenthsPerEighth) {
            throw std::invalid_argument("a melody has eight eighths for every bar: " + section.melody);
        }
        walkSteps(eighths, [&](const std::string& note, int at, int steps) {
            play(score.melody.instrument, score.melody.gain, parsePitch(note), sectionStart + at * kSixteenthsPerEighth,
                 steps * kSixteenthsPerEighth);
        });
    }

    std::vector<double>& samples() { return loop; }

private:
    void drum(synth::Instrument instrument, double gain, int pitch, const std::string& pattern, int barStart) {
        walkSteps(letters(pattern),
                  [&](const std::string&, int at, int steps) { play(instrument, gain, pitch, barStart + at, steps); });
    }

    const Score& score;
    double sixteenth;  // samples
    std::vector<double> loop;
};

}  // namespace

std::vector<double> perform(const Score& score, double peak) {
    int bars = 0;
    for (char letter : score.form) {
        bars += static_cast<int>(score.sections.at(static_cast<size_t>(letter - 'A')).chords.size());
    }
    Performance performance(score, bars);
    int barStart = 0;
    for (char letter : score.form) {
        const Section& section = score.sections.at(static_cast<size_t>(letter - 'A'));
        performance.melody(section, barStart);
        for (const std::string& name : section.chords) {
            performance.bar(parseChord(name), barStart);
            barStart += kSixteenthsPerBar;
        }
    }
    std::vector<double>& loop = performance.samples();
    synth::normalise(loop, peak);
    return loop;
}

}  // namespace music
