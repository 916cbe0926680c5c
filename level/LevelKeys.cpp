#include "level/LevelKeys.h"

#include <iostream>
#include <map>

#include "core/TextInput.h"
#include "graphics/Decoration.h"
#include "graphics/Image.h"
#include "level/Level.h"
#include "level/LevelFormat.h"
#include "objects/Checkpoint.h"
#include "objects/Platform.h"
#include "objects/Trap.h"

namespace levelkeys {
namespace {

using Kind = LevelReader::Kind;

// A key with what its line does to the thing its section builds.
template <typename Target>
struct Key {
    const char* name;
    unsigned flags;
    void (*apply)(Target& target, const std::string& value);
};

const Key<Level> propertiesKeys[] = {
    {"width", kOverrides | kRequired,
     [](Level& level, const std::string& value) {
         level.width = parseInt(value);
         std::cout << "level width set to " << level.width << "\n";
     }},
    {"height", kOverrides | kRequired,
     [](Level& level, const std::string& value) {
         level.height = parseInt(value);
         std::cout << "level height set to " << level.height << "\n";
     }},
    {"spawnx", kOverrides | kRequired,
     [](Level& level, const std::string& value) {
         level.spawnX = parseInt(value);
         std::cout << "spawn x set to " << level.spawnX << "\n";
     }},
    {"spawny", kOverrides | kRequired,
     [](Level& level, const std::string& value) {
         level.spawnY = parseInt(value);
         std::cout << "spawn y set to " << level.spawnY << "\n";
     }},
    // The picture resets the goal's position: "winx" and "winy" must follow it.
    {"winimg", kOverrides | kIsPicture | kRequired,
     [](Level& level, const std::string& value) {
         level.goal.load(picturePath(value));
         level.goal.setFloating(true);
         level.goal.z = 0;
     }},
    {"winx", kOverrides | kResetByPicture | kRequired,
     [](Level& level, const std::string& value) {
         level.goal.x = parseInt(value);
         std::cout << "win x set to " << level.goal.x << "\n";
     }},
    {"winy", kOverrides | kResetByPicture | kRequired,
     [](Level& level, const std::string& value) { level.goal.y = parseInt(value); }},
    {"nextmap", kOverrides | kRequired,
     [](Level& level, const std::string& value) {
         level.nextMap = value;
         std::cout << "next map set to " << level.nextMap << "\n";
     }},
    {"music", kOverrides, [](Level& level, const std::string& value) { level.music = value; }},
    {"name", kOverrides, [](Level& level, const std::string& value) { level.name = value; }},
};

const Key<Level> backgroundKeys[] = {
    {"img", kOverrides | kIsPicture,
     [](Level& level, const std::string& value) {
         delete level.background;
         level.background = nullptr;
         level.background = new Image(picturePath(value));
     }},
};

void mirror(Image& image, const std::string&) {
    image.flipped = true;
}

const Key<Decoration> decorationKeys[] = {
    {"img", kOverrides | kIsPicture,
     [](Decoration& decoration, const std::string& value) { decoration.load(picturePath(value)); }},
    {"x", kOverrides | kResetByPicture,
     [](Decoration& decoration, const std::string& value) { decoration.x = parseInt(value); }},
    {"y", kOverrides | kResetByPicture,
     [](Decoration& decoration, const std::string& value) { decoration.y = parseInt(value); }},
    {"z", kOverrides, [](Decoration& decoration, const std::string& value) { decoration.z = parseInt(value); }},
    {"floating", kFloatingSwitch, [](Decoration& decoration, const std::string&) { decoration.setFloating(true); }},
    // The phase it drew from rand() stays, so the phases of the scenery and traps after it do not change.
    {"still", kStillSwitch, [](Decoration& decoration, const std::string&) { decoration.still = true; }},
    {"flip", kMirrorSwitch, [](Decoration& decoration, const std::string& value) { mirror(decoration, value); }},
    {"mirror", kMirrorSwitch, [](Decoration& decoration, const std::string& value) { mirror(decoration, value); }},
    {"flipped", kMirrorSwitch, [](Decoration& decoration, const std::string& value) { mirror(decoration, value); }},
};

// Offsets and mirroring act on a platform's picture; the reader lets none through before "img".
void onPicture(Platform& platform, void (*act)(Image&, const std::string&), const std::string& value) {
    if (platform.image != nullptr) {
        act(*platform.image, value);
    }
}

const Key<Platform> platformKeys[] = {
    {"img", kOverrides | kIsPicture,
     [](Platform& platform, const std::string& value) { platform.setImage(picturePath(value)); }},
    {"x", kOverrides, [](Platform& platform, const std::string& value) { platform.setX(parseInt(value)); }},
    {"y", kOverrides, [](Platform& platform, const std::string& value) { platform.setY(parseInt(value)); }},
    {"w", kOverrides, [](Platform& platform, const std::string& value) { platform.width = parseInt(value); }},
    {"h", kOverrides, [](Platform& platform, const std::string& value) { platform.height = parseInt(value); }},
    {"xOffset", kOverrides | kNeedsPicture | kResetByPicture,
     [](Platform& platform, const std::string& value) {
         onPicture(
             platform, [](Image& image, const std::string& v) { image.x = parseInt(v); }, value);
     }},
    {"yOffset", kOverrides | kNeedsPicture | kResetByPicture,
     [](Platform& platform, const std::string& value) {
         onPicture(
             platform, [](Image& image, const std::string& v) { image.y = parseInt(v); }, value);
     }},
    {"flip", kMirrorSwitch | kNeedsPicture,
     [](Platform& platform, const std::string& value) { onPicture(platform, mirror, value); }},
    {"mirror", kMirrorSwitch | kNeedsPicture,
     [](Platform& platform, const std::string& value) { onPicture(platform, mirror, value); }},
    {"flipped", kMirrorSwitch | kNeedsPicture,
     [](Platform& platform, const std::string& value) { onPicture(platform, mirror, value); }},
};

const Key<Trap> trapKeys[] = {
    {"img", kOverrides | kIsPicture, [](Trap& trap, const std::string& value) { trap.setImage(picturePath(value)); }},
    {"x", kOverrides, [](Trap& trap, const std::string& value) { trap.setX(parseInt(value)); }},
    {"y", kOverrides, [](Trap& trap, const std::string& value) { trap.setY(parseInt(value)); }},
    {"xfloating", kOverrides, [](Trap& trap, const std::string& value) { trap.setFloatX(parseInt(value)); }},
    {"yfloating", kOverrides, [](Trap& trap, const std::string& value) { trap.setFloatY(parseInt(value)); }},
    // A later picture comes uncut, but the box keeps the frame size: the cut is not wholly undone.
    {"partition", kOverridesIfPositive | kNeedsPicture | kActsWithoutPicture,
     [](Trap& trap, const std::string& value) { trap.partition(parseInt(value)); }},
    // A second sound starts a second loop; it replaces nothing.
    {"sfx", 0, [](Trap& trap, const std::string& value) { trap.setSound(value); }},
};

// A checkpoint's picture holds its unlit and its lit frame side by side.
const Key<Checkpoint> checkpointKeys[] = {
    {"img", kOverrides | kIsPicture,
     [](Checkpoint& checkpoint, const std::string& value) { checkpoint.setPicture(picturePath(value)); }},
    {"x", kOverrides, [](Checkpoint& checkpoint, const std::string& value) { checkpoint.setX(parseInt(value)); }},
    {"y", kOverrides, [](Checkpoint& checkpoint, const std::string& value) { checkpoint.setY(parseInt(value)); }},
    {"partition", kOverridesIfPositive | kNeedsPicture | kResetByPicture,
     [](Checkpoint& checkpoint, const std::string& value) { checkpoint.partition(parseInt(value)); }},
};

template <typename Target, size_t N>
std::vector<Rule> rules(const Key<Target> (&table)[N]) {
    std::vector<Rule> result;
    for (const Key<Target>& key : table) {
        result.push_back(Rule{key.name, key.flags});
    }
    return result;
}

template <typename Target, size_t N>
void apply(const Key<Target> (&table)[N], const LevelReader::Entry& entry, Target& target) {
    for (const Key<Target>& key : table) {
        if (entry.key == key.name) {
            key.apply(target, entry.value);
            return;
        }
    }
}

std::string listed(const std::vector<std::string>& words) {
    std::string text;
    for (size_t i = 0; i < words.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
    }
    return text;
}

}  // namespace

const std::vector<Rule>& rulesFor(Kind kind) {
    static const std::map<Kind, std::vector<Rule>> all = {
        {Kind::Properties, rules(propertiesKeys)},
        {Kind::Background, rules(backgroundKeys)},
        {Kind::Decoration, rules(decorationKeys)},
        {Kind::Platform, rules(platformKeys)},
        {Kind::Trap, rules(trapKeys)},
        {Kind::Checkpoint, rules(checkpointKeys)},
    };
    return all.at(kind);
}

std::vector<std::string> keysWith(Kind kind, Flag flag) {
    std::vector<std::string> names;
    for (const Rule& rule : rulesFor(kind)) {
        if (rule.flags & flag) {
            names.push_back(rule.name);
        }
    }
    return names;
}

std::string switchWords(unsigned flags) {
    return listed(flags & (kFloatingSwitch | kStillSwitch) ? floatingWords() : mirrorWords());
}

void applyToLevel(Kind kind, const LevelReader::Entry& entry, Level& level) {
    if (kind == Kind::Properties) {
        apply(propertiesKeys, entry, level);
    } else if (kind == Kind::Background) {
        apply(backgroundKeys, entry, level);
    }
}

void applyTo(const LevelReader::Entry& entry, Decoration& decoration) {
    apply(decorationKeys, entry, decoration);
}

void applyTo(const LevelReader::Entry& entry, Platform& platform) {
    apply(platformKeys, entry, platform);
}

void applyTo(const LevelReader::Entry& entry, Trap& trap) {
    apply(trapKeys, entry, trap);
}

void applyTo(const LevelReader::Entry& entry, Checkpoint& checkpoint) {
    apply(checkpointKeys, entry, checkpoint);
}

}  // namespace levelkeys
