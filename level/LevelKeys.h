#pragma once
#include <string>
#include <vector>

#include "level/LevelReader.h"

class Checkpoint;
class Decoration;
class Level;
class Platform;
class Trap;

// Every key a level file knows, each defined once: its name, how it bears on the keys around
// it, and what the game does with its line. The reader judges lines by these rules, the loader
// carries the lines out through them and the checker finds here what every level must give.
namespace levelkeys {

enum Flag : unsigned {
    kOverrides = 1u << 0,            // the same key again replaces what this one set
    kOverridesIfPositive = 1u << 1,  // as kOverrides, but only a later count above 0 replaces it
    kIsPicture = 1u << 2,            // loading the picture resets the keys marked kResetByPicture
    kResetByPicture = 1u << 3,       // a later picture of the same object puts this setting back
    kNeedsPicture = 1u << 4,         // before any picture the line is ignored
    kActsWithoutPicture = 1u << 5,   // with kNeedsPicture: the line is still carried out (its log line)
    kFloatingSwitch = 1u << 6,       // takes the floating switch's words
    kMirrorSwitch = 1u << 7,         // takes the mirror switch's words
    kRequired = 1u << 8,             // every level must give it
    kStillSwitch = 1u << 9,          // takes the floating switch's words
};

struct Rule {
    const char* name;
    unsigned flags;
};

// The keys of a section kind, in the order the checker names the required ones.
const std::vector<Rule>& rulesFor(LevelReader::Kind kind);

// The names of the keys of that kind carrying the flag.
std::vector<std::string> keysWith(LevelReader::Kind kind, Flag flag);

// The words a switch key takes ("yes, Yes, true or True"), for messages.
std::string switchWords(unsigned flags);

// Carries an entry out as the game does: on the level for properties and the background, on
// the section's object otherwise. An entry of another kind's key does nothing.
void applyToLevel(LevelReader::Kind kind, const LevelReader::Entry& entry, Level& level);
void applyTo(const LevelReader::Entry& entry, Decoration& decoration);
void applyTo(const LevelReader::Entry& entry, Platform& platform);
void applyTo(const LevelReader::Entry& entry, Trap& trap);
void applyTo(const LevelReader::Entry& entry, Checkpoint& checkpoint);

}  // namespace levelkeys
