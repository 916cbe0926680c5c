#pragma once
#include "Synth.h"

#include <string>
#include <vector>

// A piece of looping music written as text, and its performance into samples.
//
// A section is a run of bars: one chord per bar ("C", "Am", "F#m", "Bb", "G7", "Cmaj7") and a
// melody of eighth notes, one token per eighth: a note ("E5", "F#4", "Bb3"), "-" to hold the
// note before, "." for silence; "|" between bars is only for the reader.
//
// The accompaniment repeats one bar of sixteenths over every chord:
//   bass   "R" the chord's root, "F" its fifth, "O" the root an octave up
//   arpeggio  "1".."4": root, third, fifth, octave of the chord
//   drums  "x" a hit
// and in every pattern "-" holds the note before and "." is silence.
namespace music {

struct Section {
    std::vector<std::string> chords;
    std::string melody;
};

struct Voice {
    synth::Instrument instrument;
    double gain;
};

struct Score {
    double beatsPerMinute = 100.0;
    std::vector<Section> sections;
    std::string form;  // section letters in playing order, "A" the first section
    Voice melody{synth::Instrument::Lead, 0.0};
    Voice bass{synth::Instrument::Bass, 0.0};
    std::string bassPattern;
    Voice arpeggio{synth::Instrument::Pluck, 0.0};
    std::string arpeggioPattern;
    double padGain = 0.0;  // the chord held through each bar; 0 for none
    double kickGain = 0.0;
    std::string kickPattern;
    double snareGain = 0.0;
    std::string snarePattern;
    double hatGain = 0.0;
    std::string hatPattern;
};

// Plays the score once through into a loop of whole bars, normalised to `peak`. Tails of the
// last notes ring on from the start, so the loop repeats without a seam.
std::vector<double> perform(const Score& score, double peak);

}  // namespace music
