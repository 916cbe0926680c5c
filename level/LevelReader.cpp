#include "level/LevelReader.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <sstream>

#include "core/TextInput.h"
#include "level/LevelFormat.h"
#include "level/LevelKeys.h"

namespace {

using Entry = LevelReader::Entry;
using Fate = LevelReader::Fate;
using Kind = LevelReader::Kind;

using levelkeys::Rule;
using levelkeys::rulesFor;
using namespace levelkeys;

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
    if (name == "Checkpoint") {
        return Kind::Checkpoint;
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
void judgeUnknown(Entry& entry, const std::vector<Rule>& known) {
    entry.carriedOut = false;
    entry.fate = Fate::UnknownKey;
    std::vector<std::string> names{"end"};
    for (const Rule& rule : known) {
        names.push_back(rule.name);
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
    if (flags & (kFloatingSwitch | kStillSwitch)) {
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
    void judge(Entry& entry, const std::vector<Rule>& known) {
        const auto rule =
            std::find_if(known.begin(), known.end(), [&entry](const Rule& r) { return entry.key == r.name; });
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
        const std::vector<Rule>& known = rulesFor(section.kind);
        for (Entry& entry : section.entries) {
            scope.judge(entry, known);
        }
    }
}
