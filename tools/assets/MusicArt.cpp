// The game's music: one looping piece for the title and one for each scenery theme, written
// as scores (Score.h) and played by the synthesiser into Ogg Vorbis files.
#include "AssetList.h"
#include "Score.h"

namespace {

using music::Score;
using music::Section;
using synth::Instrument;

constexpr double kMusicPeak = 0.8;
// The title is busier and the caves sparser than the rest: their peaks even out the loudness
// the game plays them at.
constexpr double kTitlePeak = 0.71;
constexpr double kCavesPeak = 0.9;

// Warm and unhurried, C major: a pad, a rolling harp and a soft singing lead.
Score title() {
    Score s;
    s.beatsPerMinute = 92;
    s.sections = {
        {{"C", "G", "Am", "F", "C", "G", "F", "G"},
         "E5 - - D5 C5 - G4 - | D5 - - C5 B4 - G4 - | C5 - E5 - A5 - G5 - | F5 - E5 - C5 - - - | "
         "E5 - - D5 C5 - G4 - | D5 - - E5 F5 - D5 - | C5 - A4 - C5 - F5 - | E5 - - - D5 - - -"},
        {{"Am", "Em", "F", "C", "Dm", "G", "C", "G"},
         "A4 - C5 - E5 - - - | G5 - - F5 E5 - B4 - | C5 - F5 - A5 - G5 F5 | E5 - - - G4 - - - | "
         "F5 - - E5 D5 - A4 - | B4 - D5 - G5 - F5 - | E5 - - D5 C5 - - - | D5 - - - . . . ."},
    };
    s.form = "AB";
    s.melody = {Instrument::Lead, 0.3};
    s.bass = {Instrument::Bass, 0.3};
    s.bassPattern = "R-------F-------";
    s.arpeggio = {Instrument::Pluck, 0.14};
    s.arpeggioPattern = "1.2.3.4.3.2.3.4.";
    s.padGain = 0.035;
    return s;
}

// Bouncy walking music in G major with a light beat.
Score meadow() {
    Score s;
    s.beatsPerMinute = 116;
    s.sections = {
        {{"G", "C", "G", "D", "G", "C", "D", "G"},
         "B4 - D5 - G5 - D5 - | E5 - G5 - E5 - C5 - | D5 - B4 - G4 - B4 - | A4 - - - F#4 - A4 - | "
         "B4 - D5 - G5 - A5 - | G5 - E5 - C5 - E5 - | D5 - C5 - B4 - A4 - | G4 - - - . . . ."},
        {{"Em", "C", "G", "D", "Em", "C", "D", "D"},
         "E5 - G5 - B5 - G5 - | A5 - G5 - E5 - - - | D5 - G5 - B5 - A5 G5 | F#5 - - - D5 - - - | "
         "E5 - - F#5 G5 - E5 - | C5 - E5 - G5 - E5 - | F#5 - E5 - D5 - C5 - | A4 - - - D5 - - -"},
    };
    s.form = "AABA";
    s.melody = {Instrument::Lead, 0.28};
    s.bass = {Instrument::Bass, 0.32};
    s.bassPattern = "R...F...R.R.F...";
    s.arpeggio = {Instrument::Pluck, 0.1};
    s.arpeggioPattern = "1.3.4.3.2.3.4.3.";
    s.kickGain = 0.4;
    s.kickPattern = "x.......x.x.....";
    s.snareGain = 0.12;
    s.snarePattern = "....x.......x...";
    s.hatGain = 0.1;
    s.hatPattern = "x.x.x.x.x.x.x.x.";
    return s;
}

// Slow and echoing, D minor: bells over a held drone, a heartbeat kick.
Score caves() {
    Score s;
    s.beatsPerMinute = 80;
    s.sections = {
        {{"Dm", "Dm", "Bb", "Bb", "Gm", "Gm", "A", "A"},
         "D5 - - - - - F5 - | E5 - - - A4 - - - | D5 - - - F5 - - G5 | F5 - - - - - - - | "
         "G5 - - - Bb5 - - - | A5 - G5 - F5 - - - | E5 - - - C#5 - - - | A4 - - - - - - -"},
        {{"Bb", "C", "Dm", "Dm", "Gm", "Bb", "A", "A"},
         "F5 - - - D5 - - - | E5 - - - G5 - - - | A5 - - - - - F5 - | D5 - - - - - - - | "
         "Bb4 - D5 - G5 - - - | F5 - - - D5 - - - | E5 - - - A5 - - - | C#5 - - - - - - -"},
    };
    s.form = "AB";
    s.melody = {Instrument::Bell, 0.3};
    s.bass = {Instrument::Bass, 0.3};
    s.bassPattern = "R-------R-------";
    s.arpeggio = {Instrument::Pluck, 0.09};
    s.arpeggioPattern = "1...3...4...3...";
    s.padGain = 0.03;
    s.kickGain = 0.3;
    s.kickPattern = "x.....x.........";
    return s;
}

// A sunset song in A minor: a singing lead with vibrato over a pad and a slow beat.
Score dusk() {
    Score s;
    s.beatsPerMinute = 88;
    s.sections = {
        {{"Am", "F", "C", "G", "Am", "F", "E", "E"},
         "A4 - - - C5 - E5 - | F5 - - - E5 - C5 - | E5 - - - D5 - C5 - | B4 - - - - - G4 - | "
         "A4 - - - C5 - E5 - | A5 - - - G5 - F5 - | E5 - - - G#4 - B4 - | E5 - - - - - - -"},
        {{"F", "G", "Em", "Am", "Dm", "G", "E", "E"},
         "C5 - - - A4 - C5 - | D5 - - - B4 - G4 - | E5 - - - G5 - B5 - | A5 - - - - - E5 - | "
         "F5 - - - E5 - D5 - | D5 - - - B4 - D5 - | E5 - - - D5 - B4 - | G#4 - - - - - - -"},
    };
    s.form = "AB";
    s.melody = {Instrument::Lead, 0.3};
    s.bass = {Instrument::Bass, 0.32};
    s.bassPattern = "R.....R.F.......";
    s.arpeggio = {Instrument::Pluck, 0.1};
    s.arpeggioPattern = "1.3.4...2.3.4...";
    s.padGain = 0.03;
    s.kickGain = 0.4;
    s.kickPattern = "x.......x.......";
    s.snareGain = 0.1;
    s.snarePattern = "........x.......";
    s.hatGain = 0.07;
    s.hatPattern = "..x...x...x...x.";
    return s;
}

// Still and glittering, E minor: bells and a falling arpeggio over a pad, no beat.
Score frost() {
    Score s;
    s.beatsPerMinute = 72;
    s.sections = {
        {{"Em", "C", "G", "D", "Em", "C", "Bm", "Bm"},
         "B5 - - - G5 - E5 - | G5 - - - E5 - C5 - | D5 - - - G5 - B5 - | A5 - - - F#5 - D5 - | "
         "E5 - G5 - B5 - - - | C6 - - - B5 - G5 - | F#5 - - - D5 - B4 - | F#5 - - - - - - -"},
        {{"C", "D", "Em", "Em", "Am", "B", "Em", "Em"},
         "E5 - - - G5 - C6 - | A5 - - - F#5 - D5 - | G5 - - - E5 - B4 - | E5 - - - - - - - | "
         "C5 - E5 - A5 - - - | D#5 - F#5 - B5 - - - | G5 - - - F#5 - E5 - | E5 - - - - - - -"},
    };
    s.form = "AB";
    s.melody = {Instrument::Bell, 0.3};
    s.bass = {Instrument::Bass, 0.26};
    s.bassPattern = "R-------R-------";
    s.arpeggio = {Instrument::Bell, 0.07};
    s.arpeggioPattern = "4.3.2.1.4.3.2.1.";
    s.padGain = 0.035;
    return s;
}

}  // namespace

void addMusic(std::vector<SoundJob>& jobs) {
    jobs.push_back({"sounds/music_title.ogg", [] { return music::perform(title(), kTitlePeak); }});
    jobs.push_back({"sounds/music_meadow.ogg", [] { return music::perform(meadow(), kMusicPeak); }});
    jobs.push_back({"sounds/music_caves.ogg", [] { return music::perform(caves(), kCavesPeak); }});
    jobs.push_back({"sounds/music_dusk.ogg", [] { return music::perform(dusk(), kMusicPeak); }});
    jobs.push_back({"sounds/music_frost.ogg", [] { return music::perform(frost(), kMusicPeak); }});
}
