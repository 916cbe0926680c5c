// Feeds arbitrary bytes to the level reader, checks that every line it reads inside a section
// gets exactly one entry and no line number lies outside the text, then loads the same bytes
// as data/fuzz.level. No picture it names exists there, so no GL context is needed.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/TextInput.h"
#include "level/Level.h"
#include "level/LevelFormat.h"
#include "level/LevelReader.h"

namespace {

using fuzzsupport::require;

// The lines as the reader takes them: a text with carriage returns alone ends its lines there.
std::vector<std::string> linesOf(const std::string& text) {
    std::istringstream in(withLineFeeds(text));
    std::vector<std::string> lines;
    std::string line;
    while (readTextLine(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

void checkEntry(const LevelReader::Entry& entry, int lineCount) {
    using Fate = LevelReader::Fate;
    require(entry.laterLine == 0 || (entry.laterLine > entry.line && entry.laterLine <= lineCount),
            "a later line lies after the entry and inside the text");
    if (entry.fate == Fate::Applied || entry.fate == Fate::Overridden) {
        require(entry.carriedOut, "applied and overridden lines are carried out");
    }
    if (entry.fate == Fate::UnknownKey || entry.fate == Fate::WrongCase || entry.fate == Fate::WordNotTaken) {
        require(!entry.carriedOut, "ignored lines are not carried out");
    }
    require(entry.fate != Fate::Overridden || entry.laterLine != 0,
            "an overridden line names the line that overrides it");
}

// Each line of a section's body other than blanks, comments and its closing "end" is one entry.
void checkReading(const std::string& text, const LevelReader& reading) {
    const std::vector<std::string> lines = linesOf(text);
    const int count = static_cast<int>(lines.size());
    require(reading.lineCount() == count, "the reader counts every line");
    int previousEnd = 0;
    for (const LevelReader::Section& section : reading.sections()) {
        require(section.line > previousEnd && section.line <= count, "sections follow one another inside the text");
        require(classifyLine(lines[section.line - 1]) == LineKind::Header, "a section starts at a header");
        const bool atEnd = section.end == LevelReader::End::EndOfFile;
        require(atEnd == (section.endLine == 0), "only a section ended by the file has no end line");
        const int bound = atEnd ? count + 1 : section.endLine;
        require(bound > section.line && bound <= count + 1, "a section ends after its header inside the text");
        std::set<int> expected;
        for (int n = section.line + 1; n < bound; ++n) {
            if (classifyLine(lines[n - 1]) == LineKind::Other) {
                expected.insert(n);
            }
        }
        std::set<int> read;
        for (const LevelReader::Entry& entry : section.entries) {
            require(read.insert(entry.line).second, "no line gets two entries");
            checkEntry(entry, count);
        }
        require(read == expected, "every line of a section's body gets exactly one entry");
        previousEnd = atEnd ? count : section.endLine;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Traps ask the sound manager for its engine.
    static const bool quiet = (fuzzsupport::quietSound(), true);
    (void)quiet;
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkReading(text, LevelReader(text));
    std::filesystem::create_directories("data");
    fuzzsupport::writeInput("data/fuzz.level", data, size);
    fuzzsupport::SilencedLog silenced;
    Level level;
    level.loadFromFile("fuzz.level");
    return 0;
}
