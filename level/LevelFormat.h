#pragma once
#include <string>
#include <vector>

// The line rules of level files, apart from what the lines build.

enum class LineKind { Blank, Comment, Header, Other };

// Blank: exactly empty or one space. Comment: starts with ';'. Header: starts with '['.
LineKind classifyLine(const std::string& line);

// The text after '[' up to the first ']', or the rest of the line when there is none.
std::string sectionName(const std::string& headerLine);

struct LevelEntry {
    std::string key;
    std::string value;
};

// Splits at the first ':'; exactly one space after it is dropped. A line without ':' is its
// own key and value.
LevelEntry splitEntry(const std::string& line);

// "sprites/" in front unless the value already starts with it.
std::string picturePath(const std::string& value);

// The floating switch takes "yes", "Yes", "true", "True"; the mirror switch "yes", "YES",
// "TRUE", "ON". Any other word leaves the line without effect.
const std::vector<std::string>& floatingWords();
const std::vector<std::string>& mirrorWords();
bool isFloatingWord(const std::string& value);
bool isMirrorWord(const std::string& value);

bool isBackgroundSection(const std::string& name);
