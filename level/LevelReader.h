#pragma once
#include <istream>
#include <string>
#include <vector>

// Reads a level file's text into its sections and entries, and tells for every entry what the
// game makes of it. Pure: it names pictures and sounds but loads none, so the game, the level
// checker and the fuzzer all read a level the same way.
class LevelReader {
public:
    enum class Kind { Properties, Background, Decoration, Platform, Trap, Checkpoint };
    // How a section's body ended: at "end", at the end of the file, or at a line starting with
    // '[' (which is consumed, opens nothing, and makes the game drop an object section).
    enum class End { Closed, EndOfFile, Interrupted };

    enum class Fate {
        Applied,     // takes effect and keeps it
        Overridden,  // takes effect, but the same key again on laterLine replaces it
        TooEarly,    // comes before any picture it needs (laterLine 0) or before the picture of laterLine, which resets
                     // it
        UnknownKey,  // no such key in this section; knownKey holds a key it resembles, if any
        WrongCase,   // a known key (knownKey) in other letters' case
        WordNotTaken,  // a switch word the game does not take
    };

    struct Entry {
        int line = 0;
        std::string key;
        std::string value;
        Fate fate = Fate::Applied;
        // The game carries out the line's operation: always for Applied and Overridden, for
        // TooEarly when the line acts before it is undone (or, as "partition", acts without a picture).
        bool carriedOut = true;
        int laterLine = 0;
        std::string knownKey;
    };

    struct Section {
        int line = 0;
        std::string name;
        Kind kind = Kind::Properties;
        std::vector<Entry> entries;
        End end = End::EndOfFile;
        // The "end" line or the interrupting line; 0 at the end of the file.
        int endLine = 0;
        // The name in the interrupting header.
        std::string interruptedBy;
    };

    // A header whose name opens no section; the lines up to the next header are ignored.
    struct IgnoredHeader {
        int line = 0;
        std::string name;
    };

    explicit LevelReader(std::istream& in);
    explicit LevelReader(const std::string& text);

    // The opened sections in file order.
    const std::vector<Section>& sections() const { return opened; }
    const std::vector<IgnoredHeader>& ignoredHeaders() const { return ignored; }
    // Lines in the text, counting a last line without a line feed.
    int lineCount() const { return lines; }

private:
    void read(std::istream& in);
    void judge();

    std::vector<Section> opened;
    std::vector<IgnoredHeader> ignored;
    int lines = 0;
};
