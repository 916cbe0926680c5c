#include "level/LevelReader.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <sstream>

#include "core/TextInput.h"
#include "level/LevelFormat.h"

namespace {

using Entry = LevelReader::Entry;
using Fate = LevelReader::Fate;
using Kind = LevelReader::Kind;

// What a key needs and what it does to the keys around it.
enum KeyFlag : unsigned {
    kOverrides = 1u << 0,            // the same key again replaces what this one set
    kOverridesIfPositive = 1u << 1,  // as kOverrides, but only a later count above 0 replaces it
    kIsPicture = 1u << 2,            // loading the picture resets the keys marked kResetByPicture
    kResetByPicture = 1u << 3,       // a later picture of the same object puts this setting back
    kNeedsPicture = 1u << 4,         // before any picture the line is ignored
    kActsWithoutPicture = 1u << 5,   // with kNeedsPicture: the line is still carried out (its log line)
    kFloatingSwitch = 1u << 6,
    kMirrorSwitch = 1u << 7,
};

struct KeyRule {
    const char* key;
    unsigned flags;
};

const KeyRule propertiesKeys[] = {
    {"width", kOverrides},
    {"height", kOverrides},
    {"spawnx", kOverrides},
    {"spawny", kOverrides},
    {"winx", kOverrides | kResetByPicture},
    {"winy", kOverrides | kResetByPicture},
    {"winimg", kOverrides | kIsPicture},
    {"nextmap", kOverrides},
    {"music", kOverrides},
};
const KeyRule backgroundKeys[] = {{"img", kOverrides | kIsPicture}};
const KeyRule decorationKeys[] = {
    {"img", kOverrides | kIsPicture},    {"x", kOverrides | kResetByPicture},
    {"y", kOverrides | kResetByPicture}, {"z", kOverrides},
    {"floating", kFloatingSwitch},       {"flip", kMirrorSwitch},
    {"mirror", kMirrorSwitch},           {"flipped", kMirrorSwitch},
};
const KeyRule platformKeys[] = {
    {"img", kOverrides | kIsPicture},
    {"x", kOverrides},
    {"y", kOverrides},
    {"w", kOverrides},
    {"h", kOverrides},
    {"xOffset", kOverrides | kNeedsPicture | kResetByPicture},
    {"yOffset", kOverrides | kNeedsPicture | kResetByPicture},
    {"flip", kMirrorSwitch | kNeedsPicture},
    {"mirror", kMirrorSwitch | kNeedsPicture},
    {"flipped", kMirrorSwitch | kNeedsPicture},
};
const KeyRule trapKeys[] = {
    {"img", kOverrides | kIsPicture},
    {"x", kOverrides},
    {"y", kOverrides},
    {"xfloating", kOverrides},
    {"yfloating", kOverrides},
    // A later picture comes uncut, but the box keeps the frame size: the cut is not wholly undone.
    {"partition", kOverridesIfPositive | kNeedsPicture | kActsWithoutPicture},
    // A second sound starts a second loop; it replaces nothing.
    {"sfx", 0},
};

template <size_t N>
std::vector<KeyRule> rules(const KeyRule (&table)[N]) {
    return std::vector<KeyRule>(table, table + N);
}

const std::vector<KeyRule>& rulesFor(Kind kind) {
    static const std::map<Kind, std::vector<KeyRule>> all = {
        {Kind::Properties, rules(propertiesKeys)},
        {Kind::Background, rules(backgroundKeys)},
        {Kind::Decoration, rules(decorationKeys)},
        {Kind::Platform, rules(platformKeys)},
        {Kind::Trap, rules(trapKeys)},
    };
    return all.at(kind);
}

std::optional<Kind> kindFor(const std::string& name) {
    if (name == "Properties") {
        return Kind::Properties;
    }
    if (isBackgroundSection(name)) {
        return Kind::Background;
    }
    if (name == "Decoration") {
        return Kind::Decoration;
    }
    if (name == "Platform") {
        return Kind::Platform;
    }
    if (name == "Trap") {
        return Kind::Trap;
    }
    return std::nullopt;
}

std::string lowered(const std::string& text) {
    std::string result = text;
    for (char& c : result) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return result;
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Marks a key the section does not know: in other letters' case a known key (or the closing
// "end") is WrongCase, and one that only spaces or case keep from a known key is named too.
void judgeUnknown(Entry& entry, const std::vector<KeyRule>& known) {
    entry.carriedOut = false;
    entry.fate = Fate::UnknownKey;
    std::vector<std::string> names{"end"};
    for (const KeyRule& rule : known) {
        names.push_back(rule.key);
    }
    for (const std::string& name : names) {
        if (lowered(entry.key) == lowered(name)) {
            entry.fate = Fate::WrongCase;
            entry.knownKey = name;
            return;
        }
        if (lowered(trimmed(entry.key)) == lowered(name)) {
            entry.knownKey = name;
        }
    }
}

bool wordTaken(unsigned flags, const std::string& value) {
    if (flags & kFloatingSwitch) {
        return isFloatingWord(value);
    }
    if (flags & kMirrorSwitch) {
        return isMirrorWord(value);
    }
    return true;
}

// The settings in force for one object, or for the whole level in properties and background.
class Scope {
public:
    void judge(Entry& entry, const std::vector<KeyRule>& known) {
        const auto rule =
            std::find_if(known.begin(), known.end(), [&entry](const KeyRule& r) { return entry.key == r.key; });
        if (rule == known.end()) {
            judgeUnknown(entry, known);
            return;
        }
        const unsigned flags = rule->flags;
        if ((flags & kNeedsPicture) && !hasPicture) {
            entry.fate = Fate::TooEarly;
            entry.carriedOut = (flags & kActsWithoutPicture) != 0;
            return;
        }
        if (!wordTaken(flags, entry.value)) {
            entry.fate = Fate::WordNotTaken;
            entry.carriedOut = false;
            return;
        }
        if (flags & kIsPicture) {
            pictureArrives(entry.line);
        }
        if ((flags & kOverrides) || ((flags & kOverridesIfPositive) && parseInt(entry.value) > 0)) {
            override(entry);
        }
        if (flags & kResetByPicture) {
            resettable.push_back(&entry);
        }
    }

private:
    void pictureArrives(int line) {
        for (Entry* earlier : resettable) {
            if (earlier->fate == Fate::Applied) {
                earlier->fate = Fate::TooEarly;
                earlier->laterLine = line;
            }
        }
        resettable.clear();
        hasPicture = true;
    }

    void override(Entry& entry) {
        Entry*& earlier = live[entry.key];
        if (earlier != nullptr && earlier->fate == Fate::Applied) {
            earlier->fate = Fate::Overridden;
            earlier->laterLine = entry.line;
        }
        earlier = &entry;
    }

    bool hasPicture = false;
    std::map<std::string, Entry*> live;
    std::vector<Entry*> resettable;
};

}  // namespace

LevelReader::LevelReader(std::istream& in) : LevelReader(readWholeText(in)) {}

LevelReader::LevelReader(const std::string& text) {
    std::istringstream in(withLineFeeds(text));
    read(in);
    judge();
}

void LevelReader::read(std::istream& in) {
    std::string line;
    Section* open = nullptr;
    while (readTextLine(in, line)) {
        ++lines;
        switch (classifyLine(line)) {
        case LineKind::Blank:
        case LineKind::Comment:
            break;
        case LineKind::Header:
            if (open != nullptr) {
                open->end = End::Interrupted;
                open->endLine = lines;
                open->interruptedBy = sectionName(line);
                open = nullptr;
            } else if (const std::optional<Kind> kind = kindFor(sectionName(line))) {
                Section section;
                section.line = lines;
                section.name = sectionName(line);
                section.kind = *kind;
                opened.push_back(std::move(section));
                open = &opened.back();
            } else {
                ignored.push_back(IgnoredHeader{lines, sectionName(line)});
            }
            break;
        case LineKind::Other:
            if (open == nullptr) {
                break;
            }
            if (line == "end") {
                open->end = End::Closed;
                open->endLine = lines;
                open = nullptr;
                break;
            }
            LevelEntry split = splitEntry(line);
            Entry entry;
            entry.line = lines;
            entry.key = std::move(split.key);
            entry.value = std::move(split.value);
            open->entries.push_back(std::move(entry));
            break;
        }
    }
}

void LevelReader::judge() {
    // Properties and the background are the level's own settings: their sections add up.
    Scope properties;
    Scope background;
    for (Section& section : opened) {
        Scope object;
        Scope& scope = section.kind == Kind::Properties   ? properties
                       : section.kind == Kind::Background ? background
                                                          : object;
        const std::vector<KeyRule>& known = rulesFor(section.kind);
        for (Entry& entry : section.entries) {
            scope.judge(entry, known);
        }
    }
}
