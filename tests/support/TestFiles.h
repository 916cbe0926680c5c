#pragma once
#include <iosfwd>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace testsupport {

// A fresh temporary directory that becomes the working directory for the object's life;
// the previous working directory comes back and the directory is removed afterwards.
class ScopedTempDir {
public:
    ScopedTempDir();
    ~ScopedTempDir();
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;
    const std::string& path() const { return dir; }

private:
    std::string dir;
    std::string previous;
};

// Makes an existing folder the working directory for the object's life; the previous one
// comes back afterwards.
class ScopedCurrentDir {
public:
    explicit ScopedCurrentDir(const std::string& folder);
    ~ScopedCurrentDir();
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

private:
    std::string previous;
};

// Captures everything written to std::cout (the game's log) while it lives.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    std::string text() const { return buffer.str(); }
    void clear() { buffer.str(""); }

private:
    std::ostringstream buffer;
    std::streambuf* saved;
};

// Writes bytes to a file, creating parent directories.
void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

// Writes an 8-bit RGBA PNG; pixels are row-major from the top row, 4 bytes each.
void writeRgbaPng(const std::string& path, int width, int height, const std::vector<unsigned char>& pixels);

// Writes a mono 16-bit PCM WAV file of a sine tone at 22050 Hz.
void writeToneWav(const std::string& path, double seconds, double frequency);

// Copies a file or a directory tree.
void copyTree(const std::string& from, const std::string& to);

// The repository's own folder (where data/, sprites/ and sounds/ live).
std::string sourceDir();
std::string binaryDir();

}  // namespace testsupport
