#include "game/ProgressFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* const logTag = "[PROGRESS] ";
const char* const asideSuffix = ".damaged";
// Numbered names tried for a damaged file before giving up on keeping it aside.
const int asideNames = 100;
// Larger than any honest progress file: twelve levels take a few hundred bytes.
const std::uintmax_t largestFile = 1 << 20;

bool readWhole(const std::string& path, std::string& text) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) > largestFile || ec) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return false;
    }
    std::ostringstream whole;
    whole << in.rdbuf();
    text = whole.str();
    return !in.bad();
}

bool writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The rename is only lasting once the folder itself is on the disk.
void syncFolder(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    const int fd = open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

ProgressFile::ProgressFile(std::string path) : fileName(std::move(path)) {}

void ProgressFile::load() {
    std::error_code ec;
    if (fs::symlink_status(fileName, ec).type() == fs::file_type::not_found) {
        return;
    }
    std::string text;
    if (!readWhole(fileName, text)) {
        keepAside("could not be read");
        return;
    }
    if (!held.parse(text)) {
        keepAside("is damaged");
    }
}

void ProgressFile::keepAside(const std::string& why) {
    held = Progress();
    std::error_code ec;
    for (int n = 0; n < asideNames; ++n) {
        const std::string aside = fileName + asideSuffix + (n == 0 ? std::string() : "." + std::to_string(n));
        if (fs::symlink_status(aside, ec).type() != fs::file_type::not_found) {
            continue;
        }
        if (std::rename(fileName.c_str(), aside.c_str()) == 0) {
            std::cout << logTag << fileName << " " << why << "; kept as " << aside << ", playing without progress\n";
            return;
        }
        break;
    }
    writable = false;
    std::cout << logTag << fileName << " " << why << " and could not be moved aside; progress will not be saved\n";
}

bool ProgressFile::save() {
    if (!writable) {
        return false;
    }
    std::string temporary = fileName + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        std::cout << logTag << "could not save " << fileName << ": " << std::strerror(errno) << "\n";
        return false;
    }
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    const bool written = writeAll(fd, held.text()) && fsync(fd) == 0;
    const int error = errno;
    const bool closed = close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), fileName.c_str()) != 0) {
        std::cout << logTag << "could not save " << fileName << ": " << std::strerror(written ? errno : error) << "\n";
        std::remove(temporary.c_str());
        return false;
    }
    syncFolder(fileName);
    return true;
}
