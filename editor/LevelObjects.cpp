#include "editor/LevelObjects.h"

#include <algorithm>

#include "core/TextInput.h"
#include "objects/MotionTuning.h"

namespace {

using Kind = LevelReader::Kind;
using Section = LevelReader::Section;

// A picture that cannot be read still gets a box the author can pick up and mend.
constexpr int kUnsizedPictureSide = 32;  // pixels

bool isGoalKey(const std::string& key) {
    return key == "winimg" || key == "winx" || key == "winy";
}

EditKind editKindOf(Kind kind) {
    switch (kind) {
    case Kind::Decoration:
        return EditKind::Decoration;
    case Kind::Trap:
        return EditKind::Trap;
    case Kind::Checkpoint:
        return EditKind::Checkpoint;
    default:
        return EditKind::Platform;
    }
}

}  // namespace

std::vector<EditObject> LevelObjects::build(const LevelReader& reading) {
    properties.clear();
    firstProperties = -1;
    std::vector<EditObject> back, platforms, checkpoints, traps, front;
    const std::vector<Section>& sections = reading.sections();
    for (size_t i = 0; i < sections.size(); ++i) {
        const Section& section = sections[i];
        const int index = static_cast<int>(i);
        if (section.kind == Kind::Properties) {
            readProperties(index, section);
            continue;
        }
        if (section.kind == Kind::Background || section.end == LevelReader::End::Interrupted) {
            continue;
        }
        EditObject object = readObject(index, section);
        switch (object.kind) {
        case EditKind::Decoration:
            (object.z < 0 ? front : back).push_back(std::move(object));
            break;
        case EditKind::Trap:
            traps.push_back(std::move(object));
            break;
        case EditKind::Checkpoint:
            checkpoints.push_back(std::move(object));
            break;
        default:
            platforms.push_back(std::move(object));
            break;
        }
    }
    std::vector<EditObject> all = std::move(back);
    all.insert(all.end(), platforms.begin(), platforms.end());
    all.insert(all.end(), checkpoints.begin(), checkpoints.end());
    all.push_back(start());
    all.push_back(goal());
    all.insert(all.end(), traps.begin(), traps.end());
    all.insert(all.end(), front.begin(), front.end());
    return all;
}

// The properties of every such section add up; only the lines that stay in force count.
void LevelObjects::readProperties(int index, const Section& section) {
    if (firstProperties < 0) {
        firstProperties = index;
    }
    for (const LevelReader::Entry& entry : section.entries) {
        if (entry.fate != LevelReader::Fate::Applied) {
            continue;
        }
        auto same = [&entry](const auto& p) { return p.first == entry.key; };
        properties.erase(std::remove_if(properties.begin(), properties.end(), same), properties.end());
        properties.emplace_back(entry.key, Property{entry.value, index});
    }
}

// Walks the lines the game carries out, in order: a picture puts the place back at 0.
EditObject LevelObjects::readObject(int index, const Section& section) {
    EditObject object;
    object.kind = editKindOf(section.kind);
    object.section = index;
    int frames = 1;
    for (const LevelReader::Entry& entry : section.entries) {
        if (entry.fate == LevelReader::Fate::Applied) {
            object.keys.emplace_back(entry.key, entry.value);
        }
        if (!entry.carriedOut) {
            continue;
        }
        const int n = parseInt(entry.value);
        if (entry.key == "img") {
            object.picture = entry.value;
            frames = 1;
            if (object.kind == EditKind::Decoration) {
                object.x = object.y = 0;
            }
        } else if (entry.key == "x") {
            object.x = n;
        } else if (entry.key == "y") {
            object.y = n;
        } else if (entry.key == "z" && object.kind == EditKind::Decoration) {
            object.z = n;
        } else if (entry.key == "w" && object.kind == EditKind::Platform) {
            object.w = n;
        } else if (entry.key == "h" && object.kind == EditKind::Platform) {
            object.h = n;
        } else if (entry.key == "partition" && n > 0 && !object.picture.empty()) {
            frames = n;
        }
    }
    if (object.kind != EditKind::Platform) {
        takeSize(object, frames);
    }
    return object;
}

// The picture's size, cut into frames side by side as the game cuts it (a cut into more
// frames than the picture has columns is refused).
void LevelObjects::takeSize(EditObject& object, int frames) {
    const std::optional<PictureSizes::Size> size = object.picture.empty() ? std::nullopt : pictures.of(object.picture);
    if (!size || size->width <= 0 || size->height <= 0) {
        object.w = object.h = kUnsizedPictureSide;
        return;
    }
    object.w = frames <= size->width ? size->width / frames : size->width;
    object.h = size->height;
}

EditObject LevelObjects::start() const {
    EditObject object;
    object.kind = EditKind::Start;
    object.section = firstProperties;
    object.w = tuning::kPlayerWidth;
    object.h = tuning::kPlayerHeight;
    for (const auto& [key, property] : properties) {
        object.keys.emplace_back(key, property.value);
        if (key == "spawnx") {
            object.x = parseInt(property.value);
            object.section = property.section;
        } else if (key == "spawny") {
            object.y = parseInt(property.value);
        }
    }
    return object;
}

EditObject LevelObjects::goal() {
    EditObject object;
    object.kind = EditKind::Goal;
    object.section = firstProperties;
    for (const auto& [key, property] : properties) {
        if (!isGoalKey(key)) {
            continue;
        }
        object.keys.emplace_back(key, property.value);
        if (key == "winimg") {
            object.picture = property.value;
            object.section = property.section;
        } else if (key == "winx") {
            object.x = parseInt(property.value);
        } else {
            object.y = parseInt(property.value);
        }
    }
    takeSize(object, 1);
    return object;
}
