#include "editor/AtomicSave.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/WholeFile.h"

namespace fs = std::filesystem;

namespace {

const char* const kBackupSuffix = "~";

// A link is saved through: the file it names is replaced and the link stays a link.
std::string fileBehind(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        const fs::path target = fs::weakly_canonical(path, ec);
        if (!ec) {
            return target.string();
        }
    }
    return path;
}

bool keepOldFile(const std::string& path, std::string& why) {
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        return true;
    }
    std::ifstream old(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
    if (!old.is_open() || old.bad()) {
        why = "the old file cannot be read for its backup";
        return false;
    }
    if (!writeWholeFile(
            path + kBackupSuffix, [&text] { return text; }, &why)) {
        why = "the backup " + path + kBackupSuffix + " cannot be written: " + why;
        return false;
    }
    return true;
}

}  // namespace

bool saveAtomically(const std::string& path, const std::string& text, bool keepBackup, std::string& why) {
    const std::string file = fileBehind(path);
    if (keepBackup && !keepOldFile(file, why)) {
        return false;
    }
    std::error_code ec;
    const fs::file_status before = fs::status(file, ec);
    if (!writeWholeFile(
            file, [&text] { return text; }, &why)) {
        return false;
    }
    // The new file keeps the old one's permissions: a private level stays private.
    if (fs::is_regular_file(before)) {
        fs::permissions(file, before.permissions(), ec);
    }
    return true;
}
