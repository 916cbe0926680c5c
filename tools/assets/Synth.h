#pragma once
#include <vector>

// The instruments of the music: each renders one note into a loop buffer, adding its samples
// and wrapping whatever rings past the end round to the start, so a loop made only of
// rendered notes joins its end to its start without a step.
namespace synth {

enum class Instrument { Bass, Pad, Pluck, Lead, Bell, Kick, Snare, Hat };

struct Note {
    int start = 0;   // first sample
    int length = 0;  // samples held; the release rings on after it
    int pitch = 0;   // MIDI note number
    double gain = 1.0;
};

// Adds the note into `loop` (at kSampleRate), wrapping at its end.
void render(Instrument instrument, const Note& note, std::vector<double>& loop);

// Frequency in hertz of a MIDI note number (69 is A 440).
double frequency(int pitch);

// Scales the samples so the loudest one reaches `peak`; silence stays silence.
void normalise(std::vector<double>& samples, double peak);

}  // namespace synth
