// Feeds arbitrary bytes to the level loader as a level file. The input is written to
// data/fuzz.level in the current folder; no picture it names exists there, so no GL context
// is needed.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "FuzzSupport.h"
#include "level/Level.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Traps ask the sound manager for its engine.
    static const bool quiet = (fuzzsupport::quietSound(), true);
    (void)quiet;
    std::filesystem::create_directories("data");
    fuzzsupport::writeInput("data/fuzz.level", data, size);
    fuzzsupport::SilencedLog silenced;
    Level level;
    level.loadFromFile("fuzz.level");
    return 0;
}
