#include "level/LevelChain.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <utility>

#include "core/GameUnits.h"
#include "level/LevelReader.h"

namespace fs = std::filesystem;

namespace {

const char* const dataFolder = "data/";
// Far more levels than any game has; a longer chain is not followed to its end.
const size_t longestChain = 10000;

// The same file however it is named.
std::string identity(const fs::path& path) {
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(path, ec);
    return ec ? path.lexically_normal().string() : canonical.string();
}

// The nextmap the game keeps from the file: the last one given; none when it cannot be read.
std::optional<std::string> nextMapOf(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    std::ifstream in(path);
    if (!in.is_open()) {
        return std::nullopt;
    }
    std::string next;
    const LevelReader reading(in);
    for (const LevelReader::Section& section : reading.sections()) {
        if (section.kind != LevelReader::Kind::Properties) {
            continue;
        }
        for (const LevelReader::Entry& entry : section.entries) {
            if (entry.key == "nextmap" && entry.carriedOut) {
                next = entry.value;
            }
        }
    }
    return next;
}

}  // namespace

LevelChain::LevelChain(std::string gameFolder) : folder(std::move(gameFolder)) {}

LevelChain::Loop LevelChain::loopFrom(const std::string& levelPath, const std::string& nextMap) const {
    const fs::path start = fs::path(levelPath).is_absolute() ? fs::path(levelPath) : fs::path(folder) / levelPath;
    std::map<std::string, size_t> seen{{identity(start), 0}};
    std::vector<std::string> names{fs::path(levelPath).filename().string()};
    std::string next = nextMap;
    while (next != units::kLastLevelMark && names.size() < longestChain) {
        // The game looks in data/ unless the name already says so.
        const fs::path path = fs::path(folder) / (next.rfind(dataFolder, 0) == 0 ? next : dataFolder + next);
        names.push_back(next);
        const auto again = seen.find(identity(path));
        if (again != seen.end()) {
            return Loop{names, again->second == 0};
        }
        seen.emplace(identity(path), names.size() - 1);
        const std::optional<std::string> after = nextMapOf(path);
        if (!after) {
            break;
        }
        next = *after;
    }
    return Loop{};
}
