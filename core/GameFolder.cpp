#include "core/GameFolder.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool holdsLevels(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder / "data", ec);
}

}  // namespace

std::string findGameFolder(const std::string& given, const std::string& installedFromTool) {
    if (!given.empty()) {
        return given;
    }
    if (holdsLevels(".")) {
        return ".";
    }
    std::error_code ec;
    const fs::path tool = fs::read_symlink("/proc/self/exe", ec);
    if (ec || installedFromTool.empty()) {
        return ".";
    }
    const fs::path installed = (tool.parent_path() / installedFromTool).lexically_normal();
    return holdsLevels(installed) ? installed.string() : std::string(".");
}

std::string absoluteFromHere(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}
