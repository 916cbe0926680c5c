#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <streambuf>
#include <string>

// What the fuzz targets share: the log sent to a sink so millions of runs do not flood the
// terminal, the sound layer kept on OpenAL's silent output, and inputs written where the game
// reads them.
namespace fuzzsupport {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

class SilencedLog {
public:
    SilencedLog() : saved(std::cout.rdbuf(&sink)) {}
    ~SilencedLog() { std::cout.rdbuf(saved); }
    SilencedLog(const SilencedLog&) = delete;
    SilencedLog& operator=(const SilencedLog&) = delete;

private:
    NullBuffer sink;
    std::streambuf* saved;
};

inline void quietSound() {
    setenv("ALSOFT_DRIVERS", "null", 0);
    setenv("ALSOFT_LOGLEVEL", "0", 0);
}

inline void writeInput(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// A property the target checks; a violation is a finding, so the process stops here.
inline void require(bool holds, const char* what) {
    if (!holds) {
        std::cerr << "property violated: " << what << "\n";
        std::abort();
    }
}

}  // namespace fuzzsupport
