#pragma once
#include <cstdio>
#include <string>

// A path opened for binary reading only when it names a regular file. The path is opened
// without blocking and checked on the open descriptor, so a FIFO, a device or a folder is
// refused at once instead of hanging the game or reading forever. Closes the file when done.
class RegularFile {
public:
    explicit RegularFile(const std::string& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // The file to read, or null when the path could not be opened or is no regular file.
    FILE* get() const { return file; }
    // Whether the path opened at all: a folder or a FIFO opens, and is then refused.
    bool opened() const { return openedAtAll; }
    // Why get() is null.
    const std::string& error() const { return reason; }
    // Why path cannot be read as a regular file now ("No such file or directory", "not a
    // regular file", ...), or empty when it can.
    static std::string whyUnreadable(const std::string& path);

private:
    FILE* file = nullptr;
    bool openedAtAll = false;
    std::string reason;
};
