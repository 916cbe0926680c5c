#include "core/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

RegularFile::RegularFile(const std::string& path) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return;
    }
    openedAtAll = true;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = "not a regular file";
        close(fd);
        return;
    }
    // Reads of a regular file never wait; blocking mode keeps stdio's error reporting plain.
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) {
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    file = fdopen(fd, "rb");
    if (file == nullptr) {
        reason = std::strerror(errno);
        close(fd);
    }
}

RegularFile::~RegularFile() {
    if (file != nullptr) {
        std::fclose(file);
    }
}

std::string RegularFile::whyUnreadable(const std::string& path) {
    const RegularFile file(path);
    return file.get() != nullptr ? std::string() : file.error();
}
