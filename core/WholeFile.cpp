#include "core/WholeFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

// mkstemp's six letters and digits.
const char* const temporarySuffix = ".XXXXXX";
const size_t temporaryLetters = 6;

bool writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<size_t>(wrote);
    }
    return true;
}

// The rename itself reaches the disk only with the folder.
void flushFolder(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    const int fd = open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool isTemporaryName(const std::string& name, const std::string& base) {
    if (name.size() != base.size() + 1 + temporaryLetters || name.compare(0, base.size() + 1, base + ".") != 0) {
        return false;
    }
    for (size_t i = base.size() + 1; i < name.size(); ++i) {
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) {
            return false;
        }
    }
    return true;
}

// Reads at most limit bytes; false when the file holds more.
bool readAtMost(int fd, size_t limit, std::string& content) {
    std::string buffer(limit + 1, '\0');
    size_t got = 0;
    for (;;) {
        const ssize_t n = read(fd, buffer.data() + got, buffer.size() - got);
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<size_t>(n);
        if (got > limit) {
            return false;
        }
    }
    content = buffer.substr(0, got);
    return true;
}

bool isStale(const std::string& file, const std::string& text) {
    const int fd = open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    std::string content;
    // A run writing its temporary holds the lock until the rename.
    const bool stale = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                       readAtMost(fd, text.size(), content) && text.compare(0, content.size(), content) == 0;
    // Unlinked before the lock is let go, so no writer can come between.
    const bool removed = stale && unlink(file.c_str()) == 0;
    close(fd);
    return removed;
}

}  // namespace

bool writeWholeFile(const std::string& path, const std::function<std::string()>& text, std::string* why) {
    std::string temporary = path + temporarySuffix;
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        if (why != nullptr) {
            *why = std::strerror(errno);
        }
        return false;
    }
    flock(fd, LOCK_EX);
    // mkstemp makes the file private; a settings file is as readable as any other.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    const bool flushed = writeAll(fd, text()) && fsync(fd) == 0;
    const bool renamed = flushed && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!renamed) {
        if (why != nullptr) {
            *why = std::strerror(errno);
        }
        unlink(temporary.c_str());
    }
    close(fd);
    if (renamed) {
        flushFolder(path);
    }
    return renamed;
}

std::vector<std::string> removeStaleTemporaries(const std::string& path, const std::function<std::string()>& text) {
    const fs::path where = fs::path(path).parent_path();
    const std::string base = fs::path(path).filename().string();
    std::vector<std::string> removed;
    std::optional<std::string> expected;
    std::error_code ec;
    for (fs::directory_iterator it(where.empty() ? fs::path(".") : where, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!isTemporaryName(name, base)) {
            continue;
        }
        if (!expected) {
            expected = text();
        }
        if (isStale((where / name).string(), *expected)) {
            removed.push_back(name);
        }
    }
    return removed;
}
