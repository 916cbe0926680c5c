// Feeds arbitrary bytes to the level loader as a level file. The input is written to
// data/fuzz.level in the current folder; no picture it names exists there, so no GL context
// is needed. The log goes to a sink so millions of runs do not flood the terminal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <streambuf>

#include "level/Level.h"

namespace {

const char* const kInputPath = "data/fuzz.level";

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Traps ask the sound manager for its engine: keep it on OpenAL's silent output.
    static const bool quietSound = setenv("ALSOFT_DRIVERS", "null", 0) == 0 &&
                                   setenv("ALSOFT_LOGLEVEL", "0", 0) == 0;
    (void)quietSound;
    std::filesystem::create_directories("data");
    {
        std::ofstream out(kInputPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    SilencedLog silenced;
    Level level;
    level.loadFromFile("fuzz.level");
    return 0;
}
