#include "level/LevelChecker.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <utility>

#include "core/GameUnits.h"
#include "core/RegularFile.h"
#include "core/SaturatingMath.h"
#include "core/TextInput.h"
#include "graphics/PngDecoder.h"
#include "level/LevelChain.h"
#include "level/LevelFormat.h"
#include "level/LevelKeys.h"
#include "level/LevelReader.h"
#include "objects/MotionTuning.h"
#include "objects/Movement.h"
#include "objects/Platform.h"
#include "sound/WavDecoder.h"

namespace {

bool insideLevel(Bounds box, int64_t width, int64_t height) {
    return box.x >= 0 && box.y >= 0 && int64_t{box.x} + box.w <= width && int64_t{box.y} + box.h <= height;
}

struct PictureSize {
    int width = 0;
    int height = 0;
};

std::optional<PictureSize> loadPicture(const std::string& path) {
    RegularFile file(path);
    if (file.get() == nullptr) {
        return std::nullopt;
    }
    PngDecoder decoder(file.get(), PngDecoder::kMaxSide, path);
    if (!decoder.readHeader()) {
        return std::nullopt;
    }
    std::vector<unsigned char> pixels(decoder.imageBytes());
    if (!decoder.readImage(pixels.data())) {
        return std::nullopt;
    }
    return PictureSize{decoder.width(), decoder.height()};
}

using Entry = LevelReader::Entry;
using Fate = LevelReader::Fate;
using Kind = LevelReader::Kind;
using Section = LevelReader::Section;

unsigned flagsOf(Kind kind, const std::string& key) {
    for (const levelkeys::Rule& rule : levelkeys::rulesFor(kind)) {
        if (key == rule.name) {
            return rule.flags;
        }
    }
    return 0;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// One file's findings, gathered section by section from what the reader makes of its lines.
class Inspection {
public:
    Inspection(const std::string& gameFolder, const std::string& levelFile) : folder(gameFolder), file(levelFile) {}

    void read(const LevelReader& reading) {
        for (const Section& section : reading.sections()) {
            readSection(section);
        }
        for (const LevelReader::IgnoredHeader& header : reading.ignoredHeaders()) {
            error(header.line, "unknown section [" + header.name + "]: its lines are ignored");
        }
    }

    void checkPlacement();
    void checkStart();
    void checkChain(const LevelChain& chain, const std::string& levelPath);

    LevelChecker::Findings findings() {
        auto byLine = [](const Numbered& a, const Numbered& b) { return a.first < b.first; };
        std::stable_sort(errors.begin(), errors.end(), byLine);
        std::stable_sort(warnings.begin(), warnings.end(), byLine);
        LevelChecker::Findings found;
        for (const Numbered& e : errors) {
            found.errors.push_back(e.second);
        }
        for (const Numbered& w : warnings) {
            found.warnings.push_back(w.second);
        }
        return found;
    }

    void error(int line, const std::string& what) { errors.emplace_back(line, where(line) + what); }

private:
    using Numbered = std::pair<int, std::string>;

    std::string where(int line) const { return file + ":" + std::to_string(line) + ": "; }
    void warning(int line, const std::string& what) { warnings.emplace_back(line, where(line) + "warning: " + what); }

    void readSection(const Section& section) {
        // A platform's box as the game builds it, from the same keys; its picture is checked
        // apart, so it is never loaded onto it.
        Platform platform;
        CheckpointBox checkpoint;
        for (const Entry& entry : section.entries) {
            if (entry.carriedOut) {
                carriedOut(section.kind, entry, platform, checkpoint);
            }
            judged(section, entry);
        }
        const Bounds box = platform.box();
        if (section.end == LevelReader::End::Interrupted) {
            const bool object = section.kind != Kind::Properties && section.kind != Kind::Background;
            error(section.line, "section [" + section.name + "] is not closed with \"end\"; line " +
                                    std::to_string(section.endLine) + " interrupts it, so " +
                                    (object ? "it is dropped and " : "") + "[" + section.interruptedBy +
                                    "] is ignored");
            return;
        }
        if (section.end == LevelReader::End::EndOfFile) {
            error(section.line, "section [" + section.name + "] is not closed with \"end\" before the end of the file");
        }
        if (section.kind == Kind::Platform) {
            platforms.emplace_back(section.line, box);
        }
        if (section.kind == Kind::Checkpoint) {
            checkpoints.emplace_back(section.line, checkpoint);
        }
    }

    // What the game does with the line: load what it names, keep the settings it makes.
    // A checkpoint's place and picture size, and how many frames its picture is cut into.
    struct CheckpointBox {
        int64_t x = 0;
        int64_t y = 0;
        PictureSize picture;
        int64_t frames = 1;
    };

    void carriedOut(Kind kind, const Entry& entry, Platform& platform, CheckpointBox& checkpoint) {
        const bool picture = kind == Kind::Properties ? entry.key == "winimg" : entry.key == "img";
        std::optional<PictureSize> size;
        if (picture) {
            const std::string path = picturePath(entry.value);
            size = loadPicture(folder + "/" + path);
            if (!size) {
                error(entry.line, "picture " + path + " is missing or cannot be loaded");
            }
        }
        if (kind == Kind::Trap && entry.key == "sfx") {
            checkSound(entry.line, "sound ", entry.value);
        }
        if (kind == Kind::Platform && !picture) {
            levelkeys::applyTo(entry, platform);
        }
        if (kind == Kind::Checkpoint) {
            checkpointEntry(entry, size, checkpoint);
        }
        if (kind != Kind::Properties) {
            return;
        }
        if (entry.key == "music") {
            checkSound(entry.line, "music ", entry.value);
        }
        if (entry.key == "winimg" && entry.fate == Fate::Applied) {
            goalPicture = size;
        }
        property(entry);
    }

    static void checkpointEntry(const Entry& entry, const std::optional<PictureSize>& size, CheckpointBox& box) {
        if (entry.key == "img") {
            box.picture = size.value_or(PictureSize{});
            box.frames = 1;
        } else if (entry.key == "x") {
            box.x = parseInt(entry.value);
        } else if (entry.key == "y") {
            box.y = parseInt(entry.value);
        } else if (entry.key == "partition" && parseInt(entry.value) > 0) {
            box.frames = parseInt(entry.value);
        }
    }

    void checkSound(int line, const std::string& what, const std::string& name) {
        DecodedSound sound;
        std::string problem;
        if (!WavDecoder::decode(folder + "/" + name, sound, problem)) {
            error(line, what + name + " is missing or cannot be loaded");
        }
    }

    void property(const Entry& entry) {
        if (entry.fate == Fate::Applied || propertyLines.count(entry.key) == 0) {
            propertyLines[entry.key] = entry.line;
        }
        if (entry.fate == Fate::Applied && entry.key != "winimg" && entry.key != "nextmap") {
            properties[entry.key] = parseInt(entry.value);
        }
        if (entry.key == "nextmap" && entry.fate == Fate::Applied) {
            nextMap = entry.value;
        }
        if (entry.key == "nextmap" && entry.value != units::kLastLevelMark) {
            std::error_code ec;
            if (!std::filesystem::is_regular_file(folder + "/data/" + entry.value, ec)) {
                error(entry.line, "next level data/" + entry.value + " does not exist");
            }
        }
    }

    // Lines the game ignores or later undoes. A misplaced goal position and an offset without
    // a picture were always errors and stay so.
    void judged(const Section& section, const Entry& entry) {
        const std::string in = " in [" + section.name + "]";
        switch (entry.fate) {
        case Fate::Applied:
            return;
        case Fate::Overridden:
            warning(entry.line, entry.key + " is given again on line " + std::to_string(entry.laterLine) +
                                    ", which overrides this line");
            return;
        case Fate::UnknownKey:
            warning(entry.line,
                    "unknown key " + quoted(entry.key) + in + "; the line is ignored" +
                        (entry.knownKey.empty() ? "" : " (spaces count: " + quoted(entry.knownKey) + " is a key)"));
            return;
        case Fate::WrongCase:
            warning(entry.line, "key " + quoted(entry.key) + in + " is not " + quoted(entry.knownKey) +
                                    " (letter case counts); the line is ignored");
            return;
        case Fate::WordNotTaken:
            warning(entry.line, quoted(entry.key + ": " + entry.value) + " is not a switch word the game takes (" +
                                    levelkeys::switchWords(flagsOf(section.kind, entry.key)) +
                                    "); the line is ignored");
            return;
        case Fate::TooEarly:
            tooEarly(section, entry);
            return;
        }
    }

    void tooEarly(const Section& section, const Entry& entry) {
        const bool goalPosition = section.kind == Kind::Properties;
        if (goalPosition) {
            error(entry.line, entry.key + " comes before winimg, which puts the goal back at 0");
        } else if (entry.laterLine != 0) {
            warning(entry.line, entry.key + " comes before the img of line " + std::to_string(entry.laterLine) +
                                    ", which undoes it");
        } else if (entry.key == "xOffset" || entry.key == "yOffset") {
            error(entry.line, entry.key + " before any img line has no picture to move");
        } else {
            warning(entry.line, entry.key + " before any img line has no picture to act on" +
                                    std::string(entry.carriedOut ? "" : "; the line is ignored"));
        }
    }

    const std::string& folder;
    const std::string& file;
    std::vector<Numbered> errors;
    std::vector<Numbered> warnings;
    // The line of each property given (the one that stays) and the value that stays.
    std::map<std::string, int> propertyLines;
    std::map<std::string, int64_t> properties;
    std::optional<PictureSize> goalPicture;
    std::optional<std::string> nextMap;
    // Each platform the game keeps: its header line and its box.
    std::vector<std::pair<int, Bounds>> platforms;
    std::vector<std::pair<int, CheckpointBox>> checkpoints;
};

void Inspection::checkPlacement() {
    for (const std::string& key : levelkeys::keysWith(Kind::Properties, levelkeys::kRequired)) {
        if (propertyLines.count(key) == 0) {
            error(0, "property " + key + " is not given");
        }
    }
    auto value = [this](const char* key) { return properties.count(key) ? properties[key] : 0; };
    const int64_t width = value("width");
    const int64_t height = value("height");
    if (propertyLines.count("width") && propertyLines.count("height") && (width <= 0 || height <= 0)) {
        error(propertyLines["width"], "the level has no area");
    }
    const Bounds spawn{static_cast<int32_t>(value("spawnx")), static_cast<int32_t>(value("spawny")),
                       tuning::kPlayerWidth, tuning::kPlayerHeight};
    const int spawnLine = propertyLines.count("spawnx") ? propertyLines["spawnx"] : 0;
    if (!insideLevel(spawn, width, height)) {
        error(spawnLine, "the start box (" + std::to_string(spawn.x) + ", " + std::to_string(spawn.y) + ", " +
                             std::to_string(tuning::kPlayerWidth) + " x " + std::to_string(tuning::kPlayerHeight) +
                             ") is not inside the level");
    }
    for (const auto& [line, platform] : platforms) {
        if (overlaps(spawn, platform)) {
            error(spawnLine, "the start box is inside the platform of line " + std::to_string(line));
        }
    }
    for (const auto& [line, checkpoint] : checkpoints) {
        // The player comes back standing on the checkpoint's foot, centred on its frame.
        // A cut into more frames than the picture has columns is refused and leaves it whole.
        const int64_t frames = checkpoint.frames <= checkpoint.picture.width ? checkpoint.frames : 1;
        const int64_t frameWidth = checkpoint.picture.width / frames;
        const Bounds back{saturateToInt32(checkpoint.x + (frameWidth - tuning::kPlayerWidth) / 2),
                          saturateToInt32(checkpoint.y + checkpoint.picture.height - tuning::kPlayerHeight),
                          tuning::kPlayerWidth, tuning::kPlayerHeight};
        if (!insideLevel(back, width, height)) {
            error(line, "the player's place at this checkpoint is not inside the level");
        }
        for (const auto& [platformLine, platform] : platforms) {
            if (overlaps(back, platform)) {
                error(line, "the player's place at this checkpoint is inside the platform of line " +
                                std::to_string(platformLine));
            }
        }
    }
    if (goalPicture) {
        const Bounds goal{static_cast<int32_t>(value("winx")), static_cast<int32_t>(value("winy")), goalPicture->width,
                          goalPicture->height};
        if (!insideLevel(goal, width, height)) {
            error(propertyLines["winimg"], "the goal is not inside the level");
        }
    }
}

// What the player meets at the start: a goal already touched wins at once, and with nothing
// underneath the player falls out and is sent back to the start every few ticks.
void Inspection::checkStart() {
    if (!propertyLines.count("spawnx") || !propertyLines.count("spawny")) {
        return;
    }
    const int spawnLine = propertyLines["spawnx"];
    const Bounds spawn{static_cast<int32_t>(properties["spawnx"]), static_cast<int32_t>(properties["spawny"]),
                       tuning::kPlayerWidth, tuning::kPlayerHeight};
    if (goalPicture && propertyLines.count("winx") && propertyLines.count("winy")) {
        const Bounds goal{static_cast<int32_t>(properties["winx"]), static_cast<int32_t>(properties["winy"]),
                          goalPicture->width, goalPicture->height};
        if (overlaps(spawn, goal)) {
            error(spawnLine, "the goal overlaps the start box, so the level is won the moment it starts");
        }
    }
    const int64_t height = properties.count("height") ? properties["height"] : 0;
    const int64_t feet = int64_t{spawn.y} + spawn.h;
    const bool floor = std::any_of(platforms.begin(), platforms.end(), [&](const std::pair<int, Bounds>& p) {
        const Bounds& box = p.second;
        return box.w > 0 && box.h > 0 && box.x < int64_t{spawn.x} + spawn.w && int64_t{box.x} + box.w > spawn.x &&
               box.y >= feet && box.y < height;
    });
    if (!floor) {
        warning(spawnLine, "no platform lies under the start box, so the player falls out of the level at once");
    }
}

void Inspection::checkChain(const LevelChain& chain, const std::string& levelPath) {
    if (!nextMap) {
        return;
    }
    const LevelChain::Loop loop = chain.loopFrom(levelPath, *nextMap);
    if (loop.names.empty()) {
        return;
    }
    std::string route;
    for (const std::string& name : loop.names) {
        route += (route.empty() ? "" : " -> ") + name;
    }
    warning(propertyLines["nextmap"], std::string(loop.backToStart ? "the levels lead back to this one"
                                                                   : "the levels that follow go round in a loop") +
                                          " (" + route + ") and never to finish");
}

}  // namespace

LevelChecker::LevelChecker(std::string gameFolder) : folder(std::move(gameFolder)) {}

LevelChecker::Findings LevelChecker::inspect(const std::string& levelPath) const {
    Inspection inspection(folder, levelPath);
    const std::filesystem::path path = std::filesystem::path(levelPath).is_absolute()
                                           ? std::filesystem::path(levelPath)
                                           : std::filesystem::path(folder) / levelPath;
    std::error_code ec;
    std::ifstream in;
    if (std::filesystem::is_regular_file(path, ec)) {
        in.open(path);
    }
    if (!in.is_open()) {
        const std::string reason = RegularFile::whyUnreadable(path.string());
        inspection.error(0, "cannot be opened: " + (reason.empty() ? std::string("cannot be read") : reason));
        return inspection.findings();
    }
    return inspectText(readWholeText(in), levelPath);
}

LevelChecker::Findings LevelChecker::inspectText(const std::string& text, const std::string& levelPath) const {
    Inspection inspection(folder, levelPath);
    inspection.read(LevelReader(text));
    inspection.checkPlacement();
    inspection.checkStart();
    inspection.checkChain(LevelChain(folder), levelPath);
    return inspection.findings();
}

std::vector<std::string> LevelChecker::check(const std::string& levelPath) const {
    return inspect(levelPath).errors;
}
