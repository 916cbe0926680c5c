#include "editor/EditorModel.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>

#include "core/RegularFile.h"
#include "core/SaturatingMath.h"
#include "editor/AtomicSave.h"
#include "editor/LevelObjects.h"
#include "level/LevelChecker.h"

namespace fs = std::filesystem;

namespace {

using Kind = LevelReader::Kind;
using Section = LevelReader::Section;

constexpr int kDuplicateOffset = 16;      // pixels right and down from the original
constexpr int kNewPlatformWidth = 64;     // pixels, for a platform added without a picture
constexpr int kNewPlatformHeight = 32;    // pixels
constexpr int kSmallestPlatformSide = 1;  // pixels: a platform resized to nothing could not be picked up again

const char* const kNewLevel =
    "; A new level: the start on the ground at the left, the goal at the right.\n"
    "\n"
    "[Properties]\n"
    "width: 640\n"
    "height: 480\n"
    "spawnx: 64\n"
    "spawny: 338\n"
    "winimg: goal.png\n"
    "winx: 560\n"
    "winy: 328\n"
    "nextmap: finish\n"
    "end\n"
    "\n"
    "[BG]\n"
    "img: bg1.png\n"
    "end\n"
    "\n"
    "[Platform]\n"
    "img: meadow_ground_640.png\n"
    "x: 0\n"
    "y: 384\n"
    "w: 640\n"
    "h: 96\n"
    "end\n";

bool isGoalKey(const std::string& key) {
    return key == "winimg" || key == "winx" || key == "winy";
}

const char* sectionNameOf(EditKind kind) {
    switch (kind) {
    case EditKind::Decoration:
        return "Decoration";
    case EditKind::Trap:
        return "Trap";
    case EditKind::Checkpoint:
        return "Checkpoint";
    default:
        return "Platform";
    }
}

bool readWhole(const std::string& path, std::string& text, std::string& why) {
    RegularFile file(path);
    if (file.get() == nullptr) {
        why = file.error().empty() ? std::string("cannot be read") : file.error();
        return false;
    }
    char buffer[1 << 14];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        text.append(buffer, got);
    }
    if (std::ferror(file.get())) {
        why = "cannot be read to its end";
        return false;
    }
    return true;
}

// The line number a finding "FILE:LINE: what" names; 0 when it names none.
int lineOfFinding(const std::string& finding, const std::string& file) {
    const std::string prefix = file + ":";
    if (finding.compare(0, prefix.size(), prefix) != 0) {
        return 0;
    }
    int64_t line = 0;
    for (size_t i = prefix.size(); i < finding.size() && finding[i] >= '0' && finding[i] <= '9'; ++i) {
        line = std::min<int64_t>(line * 10 + (finding[i] - '0'), INT32_MAX);
    }
    return static_cast<int>(line);
}

}  // namespace

bool EditorModel::open(const std::string& gameFolder, const std::string& path, std::string& why) {
    const fs::path full = fs::path(path).is_absolute() ? fs::path(path) : fs::path(gameFolder) / path;
    std::error_code ec;
    std::optional<std::string> onDisk;
    if (fs::exists(fs::symlink_status(full, ec))) {
        std::string text;
        if (!readWhole(full.string(), text, why)) {
            why = full.string() + ": " + why;
            return false;
        }
        onDisk = std::move(text);
    }
    folder = gameFolder;
    levelPath = path;
    fullPath = full.string();
    pictures = PictureSizes(gameFolder);
    savedText = onDisk;
    backupKept = false;
    history.reset(onDisk ? *onDisk : templateText());
    show(LevelText(history.current()));
    return true;
}

int EditorModel::objectAt(int x, int y) const {
    for (size_t i = shown.size(); i-- > 0;) {
        if (shown[i].contains(x, y)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void EditorModel::beginGesture() {
    history.beginGesture();
}

void EditorModel::endGesture() {
    history.endGesture();
    if (!history.inGesture()) {
        check();
    }
}

void EditorModel::moveBy(int object, int dx, int dy) {
    if (!validObject(object)) {
        return;
    }
    const EditObject& moved = shown[object];
    LevelText edited = current;
    setPlace(edited, moved, int64_t{moved.x} + dx, int64_t{moved.y} + dy);
    change(edited);
}

void EditorModel::setBox(int object, int x, int y, int w, int h) {
    if (!validObject(object)) {
        return;
    }
    const EditObject& box = shown[object];
    LevelText edited = current;
    setPlace(edited, box, x, y);
    if (box.kind == EditKind::Platform) {
        w = std::max(w, kSmallestPlatformSide);
        h = std::max(h, kSmallestPlatformSide);
        if (w != box.w) {
            edited.setValue(box.section, "w", std::to_string(w));
        }
        if (h != box.h) {
            edited.setValue(box.section, "h", std::to_string(h));
        }
    }
    change(edited);
}

void EditorModel::setKey(int object, const std::string& key, const std::string& value) {
    if (!validObject(object) || !LevelText::fitsOnALine(key, value)) {
        return;
    }
    LevelText edited = current;
    if (isLevelWide(object)) {
        setProperty(edited, key, value);
    } else if (value.empty()) {
        edited.removeKey(shown[object].section, key);
    } else {
        edited.setValue(shown[object].section, key, value);
    }
    change(edited);
}

int EditorModel::add(EditKind kind, const std::string& picture, int x, int y) {
    if (!LevelText::fitsOnALine("img", picture)) {
        return -1;
    }
    LevelText edited = current;
    if (kind == EditKind::Start || kind == EditKind::Goal) {
        // There is one of each: it comes to the point instead.
        const bool goal = kind == EditKind::Goal;
        if (goal && !picture.empty()) {
            setProperty(edited, "winimg", picture);
        }
        setProperty(edited, goal ? "winx" : "spawnx", std::to_string(x));
        setProperty(edited, goal ? "winy" : "spawny", std::to_string(y));
        change(edited);
        for (size_t i = 0; i < shown.size(); ++i) {
            if (shown[i].kind == kind) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    LevelText::Entries entries;
    if (!picture.empty()) {
        entries.emplace_back("img", picture);
    }
    entries.emplace_back("x", std::to_string(x));
    entries.emplace_back("y", std::to_string(y));
    if (kind == EditKind::Platform) {
        const std::optional<PictureSizes::Size> size = picture.empty() ? std::nullopt : pictures.of(picture);
        entries.emplace_back("w", std::to_string(size ? size->width : kNewPlatformWidth));
        entries.emplace_back("h", std::to_string(size ? size->height : kNewPlatformHeight));
    }
    const int section = edited.appendSection(sectionNameOf(kind), entries);
    if (section < 0) {
        return -1;
    }
    change(edited);
    return objectOfSection(section);
}

void EditorModel::remove(int object) {
    if (!validObject(object) || isLevelWide(object)) {
        return;
    }
    LevelText edited = current;
    edited.removeSection(shown[object].section);
    change(edited);
}

// The copy takes the lines the game carries out, in their order, so it is built the same way.
int EditorModel::duplicate(int object) {
    if (!validObject(object) || isLevelWide(object)) {
        return -1;
    }
    const EditObject original = shown[object];
    const Section& section = current.reading().sections()[original.section];
    LevelText::Entries entries;
    for (const LevelReader::Entry& entry : section.entries) {
        if (entry.carriedOut && LevelText::fitsOnALine(entry.key, entry.value)) {
            entries.emplace_back(entry.key, entry.value);
        }
    }
    LevelText edited = current;
    EditObject copy = original;
    copy.section = edited.appendSection(section.name, entries);
    if (copy.section < 0) {
        return -1;
    }
    setPlace(edited, copy, int64_t{original.x} + kDuplicateOffset, int64_t{original.y} + kDuplicateOffset);
    change(edited);
    return objectOfSection(copy.section);
}

bool EditorModel::undo() {
    if (!history.undo()) {
        return false;
    }
    show(LevelText(history.current()));
    return true;
}

bool EditorModel::redo() {
    if (!history.redo()) {
        return false;
    }
    show(LevelText(history.current()));
    return true;
}

bool EditorModel::unsaved() const {
    return !savedText || *savedText != current.text();
}

bool EditorModel::save(std::string& why) {
    const std::string text = current.text();
    if (!saveAtomically(fullPath, text, !backupKept, why)) {
        return false;
    }
    savedText = text;
    backupKept = true;
    return true;
}

int EditorModel::objectOfFinding(const std::string& finding) const {
    const int line = lineOfFinding(finding, levelPath);
    return line > 0 ? objectOfLine(line) : -1;
}

std::string EditorModel::templateText() {
    return kNewLevel;
}

void EditorModel::change(const LevelText& edited) {
    if (history.record(edited.text())) {
        show(edited);
    }
}

void EditorModel::show(const LevelText& text) {
    current = text;
    shown = LevelObjects(pictures).build(current.reading());
    if (!history.inGesture()) {
        check();
    }
}

void EditorModel::check() {
    LevelChecker::Findings found = LevelChecker(folder).inspectText(current.text(), levelPath);
    foundErrors = std::move(found.errors);
    foundWarnings = std::move(found.warnings);
}

bool EditorModel::validObject(int object) const {
    return object >= 0 && object < static_cast<int>(shown.size());
}

bool EditorModel::isLevelWide(int object) const {
    return shown[object].kind == EditKind::Start || shown[object].kind == EditKind::Goal;
}

// The properties section holding the key's line in force; for the goal's place, the one with
// its picture, since the place must follow the picture; else the first.
int EditorModel::propertiesSectionFor(const LevelText& text, const std::string& key) const {
    const std::vector<Section>& sections = text.reading().sections();
    int first = -1;
    int picture = -1;
    for (size_t i = 0; i < sections.size(); ++i) {
        if (sections[i].kind != Kind::Properties) {
            continue;
        }
        if (first < 0) {
            first = static_cast<int>(i);
        }
        for (const LevelReader::Entry& entry : sections[i].entries) {
            if (entry.fate != LevelReader::Fate::Applied) {
                continue;
            }
            if (entry.key == key) {
                return static_cast<int>(i);
            }
            if (entry.key == "winimg") {
                picture = static_cast<int>(i);
            }
        }
    }
    return (key == "winx" || key == "winy") && picture >= 0 ? picture : first;
}

// A level-wide key is removed from every properties section, so no earlier line comes back.
void EditorModel::setProperty(LevelText& edited, const std::string& key, const std::string& value) const {
    if (value.empty()) {
        for (size_t i = 0; i < edited.reading().sections().size(); ++i) {
            if (edited.reading().sections()[i].kind == Kind::Properties) {
                edited.removeKey(static_cast<int>(i), key);
            }
        }
        return;
    }
    const int section = propertiesSectionFor(edited, key);
    if (section < 0) {
        edited.appendSection("Properties", {{key, value}});
    } else {
        edited.setValue(section, key, value);
    }
}

// Only a coordinate that changes is written, so the other keeps its line as it was.
void EditorModel::setPlace(LevelText& edited, const EditObject& object, int64_t x, int64_t y) const {
    const int newX = saturateToInt32(x);
    const int newY = saturateToInt32(y);
    const bool start = object.kind == EditKind::Start;
    const bool goal = object.kind == EditKind::Goal;
    auto write = [&](const char* objectKey, const char* propertyKey, int value) {
        if (start || goal) {
            setProperty(edited, propertyKey, std::to_string(value));
        } else {
            edited.setValue(object.section, objectKey, std::to_string(value));
        }
    };
    if (newX != object.x) {
        write("x", start ? "spawnx" : "winx", newX);
    }
    if (newY != object.y) {
        write("y", start ? "spawny" : "winy", newY);
    }
}

int EditorModel::objectOfSection(int section) const {
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i].section == section && !isLevelWide(static_cast<int>(i))) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// A line of the properties belongs to the goal when it sets the goal, to the start otherwise.
int EditorModel::objectOfLine(int line) const {
    const LevelReader& reading = current.reading();
    for (size_t i = 0; i < reading.sections().size(); ++i) {
        const Section& section = reading.sections()[i];
        const int last = section.endLine > 0 ? section.endLine : reading.lineCount();
        if (line < section.line || line > last) {
            continue;
        }
        if (section.kind != Kind::Properties) {
            return objectOfSection(static_cast<int>(i));
        }
        bool goal = false;
        for (const LevelReader::Entry& entry : section.entries) {
            goal = goal || (entry.line == line && isGoalKey(entry.key));
        }
        for (size_t o = 0; o < shown.size(); ++o) {
            if (shown[o].kind == (goal ? EditKind::Goal : EditKind::Start)) {
                return static_cast<int>(o);
            }
        }
    }
    return -1;
}
