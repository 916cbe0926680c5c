#include "level/LevelChecker.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>

#include "core/RegularFile.h"
#include "graphics/PngDecoder.h"
#include "level/LevelFormat.h"
#include "core/TextInput.h"
#include "sound/WavDecoder.h"

namespace {

// The player's box; the game gives every level the same one.
const int64_t playerWidth = 34;
const int64_t playerHeight = 46;

const char* const requiredProperties[] = {"width", "height", "spawnx", "spawny", "winimg", "winx", "winy", "nextmap"};

struct Box {
    int64_t x = 0;
    int64_t y = 0;
    int64_t w = 0;
    int64_t h = 0;
};

bool overlaps(const Box& a, const Box& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

bool insideLevel(const Box& box, int64_t width, int64_t height) {
    return box.x >= 0 && box.y >= 0 && box.x + box.w <= width && box.y + box.h <= height;
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
    PngDecoder decoder(file.get(), PngDecoder::kMaxSide);
    if (!decoder.readHeader()) {
        return std::nullopt;
    }
    std::vector<unsigned char> pixels(decoder.imageBytes());
    if (!decoder.readImage(pixels.data())) {
        return std::nullopt;
    }
    return PictureSize{decoder.width(), decoder.height()};
}

// What the reading of one file has found so far.
struct Findings {
    std::string file;
    std::vector<std::string> problems;
    std::map<std::string, int> propertyLines;
    std::map<std::string, int64_t> properties;
    std::optional<PictureSize> goalPicture;
    std::vector<std::pair<int, Box>> platforms;

    void report(int line, const std::string& what) {
        problems.push_back(file + ":" + std::to_string(line) + ": " + what);
    }
};

enum class Section { None, Properties, Background, Decoration, Platform, Trap };

Section sectionFor(const std::string& name) {
    if (name == "Properties") {
        return Section::Properties;
    }
    if (isBackgroundSection(name)) {
        return Section::Background;
    }
    if (name == "Decoration") {
        return Section::Decoration;
    }
    if (name == "Platform") {
        return Section::Platform;
    }
    if (name == "Trap") {
        return Section::Trap;
    }
    return Section::None;
}

class FileReader {
public:
    FileReader(const std::string& gameFolder, Findings& findings) : folder(gameFolder), found(findings) {}

    void readLine(int number, const std::string& line) {
        switch (classifyLine(line)) {
        case LineKind::Blank:
        case LineKind::Comment:
            return;
        case LineKind::Header:
            header(number, line);
            return;
        case LineKind::Other:
            break;
        }
        if (section == Section::None) {
            return;
        }
        if (line == "end") {
            closeSection();
            return;
        }
        entry(number, splitEntry(line));
    }

    void endOfFile(int lastLine) {
        if (section != Section::None) {
            found.report(openedAt, "section [" + sectionTitle + "] is not closed with \"end\" before the end of the file");
        }
        (void)lastLine;
    }

private:
    void header(int number, const std::string& line) {
        if (section != Section::None) {
            found.report(openedAt, "section [" + sectionTitle + "] is not closed with \"end\"; line " +
                                       std::to_string(number) + " interrupts it, so it is dropped and [" +
                                       sectionName(line) + "] is ignored");
            section = Section::None;
            return;
        }
        const std::string name = sectionName(line);
        section = sectionFor(name);
        if (section == Section::None) {
            found.report(number, "unknown section [" + name + "]: its lines are ignored");
            return;
        }
        sectionTitle = name;
        openedAt = number;
        current = Box{};
        hasImage = false;
    }

    void closeSection() {
        if (section == Section::Platform) {
            found.platforms.emplace_back(openedAt, current);
        }
        section = Section::None;
    }

    void entry(int number, const LevelEntry& e) {
        if (e.key == "img" || (section == Section::Properties && e.key == "winimg")) {
            const std::string path = picturePath(e.value);
            std::optional<PictureSize> picture = loadPicture(folder + "/" + path);
            if (!picture) {
                found.report(number, "picture " + path + " is missing or cannot be loaded");
            }
            if (e.key == "winimg") {
                found.goalPicture = picture;
                for (const char* reset : {"winx", "winy"}) {
                    if (found.propertyLines.count(reset) != 0) {
                        found.report(found.propertyLines[reset],
                                     std::string(reset) + " comes before winimg, which puts the goal back at 0");
                    }
                }
            }
            hasImage = true;
        }
        if (section == Section::Trap && e.key == "sfx") {
            checkSound(number, "sound ", e.value);
        }
        if (section == Section::Properties && e.key == "music") {
            checkSound(number, "music ", e.value);
        }
        if (section == Section::Properties) {
            property(number, e);
        } else if (section == Section::Platform) {
            platformEntry(number, e);
        }
    }

    void checkSound(int number, const std::string& what, const std::string& file) {
        DecodedSound sound;
        std::string error;
        if (!WavDecoder::decode(folder + "/" + file, sound, error)) {
            found.report(number, what + file + " is missing or cannot be loaded");
        }
    }

    void property(int number, const LevelEntry& e) {
        found.propertyLines[e.key] = number;
        if (e.key != "winimg" && e.key != "nextmap") {
            found.properties[e.key] = parseInt(e.value);
        }
        if (e.key == "nextmap" && e.value != "finish") {
            std::error_code ec;
            if (!std::filesystem::is_regular_file(folder + "/data/" + e.value, ec)) {
                found.report(number, "next level data/" + e.value + " does not exist");
            }
        }
    }

    void platformEntry(int number, const LevelEntry& e) {
        if (e.key == "x") {
            current.x = parseInt(e.value);
        } else if (e.key == "y") {
            current.y = parseInt(e.value);
        } else if (e.key == "w") {
            current.w = parseInt(e.value);
        } else if (e.key == "h") {
            current.h = parseInt(e.value);
        } else if ((e.key == "xOffset" || e.key == "yOffset") && !hasImage) {
            found.report(number, e.key + " before any img line has no picture to move");
        }
    }

    const std::string& folder;
    Findings& found;
    Section section = Section::None;
    std::string sectionTitle;
    int openedAt = 0;
    Box current;
    bool hasImage = false;
};

void checkPlacement(Findings& found) {
    for (const char* key : requiredProperties) {
        if (found.propertyLines.count(key) == 0) {
            found.report(0, std::string("property ") + key + " is not given");
        }
    }
    auto value = [&found](const char* key) { return found.properties.count(key) ? found.properties[key] : 0; };
    const int64_t width = value("width");
    const int64_t height = value("height");
    if (found.propertyLines.count("width") && found.propertyLines.count("height") && (width <= 0 || height <= 0)) {
        found.report(found.propertyLines["width"], "the level has no area");
    }
    const Box spawn{value("spawnx"), value("spawny"), playerWidth, playerHeight};
    const int spawnLine = found.propertyLines.count("spawnx") ? found.propertyLines["spawnx"] : 0;
    if (!insideLevel(spawn, width, height)) {
        found.report(spawnLine, "the start box (" + std::to_string(spawn.x) + ", " + std::to_string(spawn.y) +
                                    ", 34 x 46) is not inside the level");
    }
    for (const auto& [line, platform] : found.platforms) {
        if (overlaps(spawn, platform)) {
            found.report(spawnLine, "the start box is inside the platform of line " + std::to_string(line));
        }
    }
    if (found.goalPicture) {
        const Box goal{value("winx"), value("winy"), found.goalPicture->width, found.goalPicture->height};
        if (!insideLevel(goal, width, height)) {
            found.report(found.propertyLines["winimg"], "the goal is not inside the level");
        }
    }
}

}  // namespace

LevelChecker::LevelChecker(std::string gameFolder) : folder(std::move(gameFolder)) {}

std::vector<std::string> LevelChecker::check(const std::string& levelPath) const {
    Findings found;
    found.file = levelPath;
    const std::filesystem::path path =
        std::filesystem::path(levelPath).is_absolute() ? std::filesystem::path(levelPath) : std::filesystem::path(folder) / levelPath;
    std::error_code ec;
    std::ifstream in;
    if (std::filesystem::is_regular_file(path, ec)) {
        in.open(path);
    }
    if (!in.is_open()) {
        found.report(0, "cannot be opened");
        return found.problems;
    }
    FileReader reader(folder, found);
    std::string line;
    int number = 0;
    while (readTextLine(in, line)) {
        reader.readLine(++number, line);
    }
    reader.endOfFile(number);
    checkPlacement(found);
    return found.problems;
}
