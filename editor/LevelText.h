#pragma once
#include <string>
#include <utility>
#include <vector>

#include "level/LevelReader.h"

// A level file's text kept line by line, each line with its own ending, so that an edit
// rewrites only the lines it must and every other byte stays as the author wrote it.
// Sections are numbered as reading().sections() lists them; the reading is renewed after
// every change. Changes given a section that does not exist, or a key or value that cannot
// stand on one entry line, do nothing and return false.
class LevelText {
public:
    using Entries = std::vector<std::pair<std::string, std::string>>;

    explicit LevelText(const std::string& text = "");

    std::string text() const;
    const LevelReader& reading() const { return reader; }

    // Rewrites the line that carries the key's effective value (its last line that takes
    // effect), keeping the line's ending; without one, a new entry line goes in before the
    // section's "end".
    bool setValue(int section, const std::string& key, const std::string& value);
    // Removes every line of the key in the section.
    bool removeKey(int section, const std::string& key);
    // Removes the header, the body and the closing "end", and nothing else.
    bool removeSection(int section);
    // Appends "\n[kindName]\nkey: value\n...end\n" in the file's line-end style; returns the
    // new section's number, or -1 when an entry cannot stand on a line.
    int appendSection(const std::string& kindName, const Entries& entries);

    // Whether key: value makes one entry line that reads back as the same key and value.
    static bool fitsOnALine(const std::string& key, const std::string& value);

private:
    struct Line {
        std::string content;
        std::string ending;  // "\n", "\r\n", "\r" or "" for a last line without one
    };

    void reread();
    bool validSection(int section) const;
    // The line number (1-based) where a new entry of the section goes in.
    int insertionLine(int section) const;
    void insertLine(int beforeLine, const std::string& content);
    std::string lineEnd() const;
    bool endsOpen(const Line& line) const;

    std::vector<Line> lines;
    LevelReader reader;
};
