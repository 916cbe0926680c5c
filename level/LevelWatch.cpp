#include "level/LevelWatch.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/RegularFile.h"
#include "level/LevelFormat.h"
#include "level/LevelReader.h"

namespace fs = std::filesystem;

namespace {

// The properties without which the game has no level to place the player in.
const char* const neededProperties[] = {"width", "height", "spawnx", "spawny"};

bool isPictureKey(const std::string& key) {
    return key == "img" || key == "winimg";
}

// The whole text, or nothing when the path is no readable regular file.
bool readText(const std::string& path, std::string& text) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return false;
    }
    std::ostringstream whole;
    whole << in.rdbuf();
    text = whole.str();
    return true;
}

std::string unclosedSection(const LevelReader& reading) {
    for (const LevelReader::Section& section : reading.sections()) {
        if (section.end != LevelReader::End::Closed) {
            return "section [" + section.name + "] of line " + std::to_string(section.line) +
                   " is not closed with \"end\"";
        }
    }
    return std::string();
}

std::string missingProperty(const LevelReader& reading) {
    for (const char* property : neededProperties) {
        bool given = false;
        for (const LevelReader::Section& section : reading.sections()) {
            for (const LevelReader::Entry& entry : section.entries) {
                given = given ||
                        (section.kind == LevelReader::Kind::Properties && entry.key == property && entry.carriedOut);
            }
        }
        if (!given) {
            return std::string("property ") + property + " is not given";
        }
    }
    return std::string();
}

}  // namespace

void LevelWatch::watch(const std::string& path) {
    levelPath = path;
    take();
}

void LevelWatch::stop() {
    levelPath.clear();
    files.clear();
    taken.clear();
    lastSeen.clear();
    ticksSinceLook = 0;
}

bool LevelWatch::tick() {
    if (!watching() || ++ticksSinceLook < kTicksBetweenLooks) {
        return false;
    }
    ticksSinceLook = 0;
    return look();
}

bool LevelWatch::look() {
    const std::vector<Stamp> now = stampsNow();
    const bool settled = now == lastSeen;
    lastSeen = now;
    return settled && now != taken;
}

std::vector<std::string> LevelWatch::changedPictures() const {
    std::vector<std::string> changed;
    for (size_t i = 1; i < files.size() && i < taken.size(); ++i) {
        if (stampOf(files[i]) != taken[i]) {
            changed.push_back(files[i]);
        }
    }
    return changed;
}

std::string LevelWatch::whyUnplayable() const {
    std::string text;
    if (!readText(levelPath, text)) {
        const std::string reason = RegularFile::whyUnreadable(levelPath);
        return "cannot be read: " + (reason.empty() ? std::string("not a regular file") : reason);
    }
    const LevelReader reading(text);
    const std::string unclosed = unclosedSection(reading);
    return unclosed.empty() ? missingProperty(reading) : unclosed;
}

void LevelWatch::take() {
    files.assign(1, levelPath);
    std::string text;
    if (readText(levelPath, text)) {
        for (const std::string& picture : picturesNamed(text)) {
            files.push_back(picture);
        }
    }
    taken = stampsNow();
    lastSeen = taken;
    ticksSinceLook = 0;
}

std::vector<std::string> LevelWatch::picturesNamed(const std::string& text) {
    std::vector<std::string> pictures;
    const LevelReader reading(text);
    for (const LevelReader::Section& section : reading.sections()) {
        for (const LevelReader::Entry& entry : section.entries) {
            if (!isPictureKey(entry.key) || !entry.carriedOut) {
                continue;
            }
            const std::string path = picturePath(entry.value);
            if (std::find(pictures.begin(), pictures.end(), path) == pictures.end()) {
                pictures.push_back(path);
            }
        }
    }
    return pictures;
}

LevelWatch::Stamp LevelWatch::stampOf(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::is_regular_file(status)) {
        return Stamp{};
    }
    Stamp stamp;
    stamp.exists = true;
    const uintmax_t size = fs::file_size(path, ec);
    stamp.size = ec ? -1 : static_cast<int64_t>(size);
    const fs::file_time_type modified = fs::last_write_time(path, ec);
    stamp.modified = ec ? 0 : static_cast<int64_t>(modified.time_since_epoch().count());
    return stamp;
}

std::vector<LevelWatch::Stamp> LevelWatch::stampsNow() const {
    std::vector<Stamp> stamps;
    stamps.reserve(files.size());
    for (const std::string& file : files) {
        stamps.push_back(stampOf(file));
    }
    return stamps;
}
