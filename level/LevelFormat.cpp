#include "level/LevelFormat.h"

#include <algorithm>

namespace {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

LineKind classifyLine(const std::string& line) {
    if (line.empty() || line == " ") {
        return LineKind::Blank;
    }
    if (line[0] == ';') {
        return LineKind::Comment;
    }
    if (line[0] == '[') {
        return LineKind::Header;
    }
    return LineKind::Other;
}

std::string sectionName(const std::string& headerLine) {
    const size_t close = headerLine.find(']', 1);
    return close == std::string::npos ? headerLine.substr(1) : headerLine.substr(1, close - 1);
}

LevelEntry splitEntry(const std::string& line) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos) {
        return LevelEntry{line, line};
    }
    std::string value = line.substr(colon + 1);
    if (!value.empty() && value[0] == ' ') {
        value.erase(0, 1);
    }
    return LevelEntry{line.substr(0, colon), value};
}

std::string picturePath(const std::string& value) {
    return startsWith(value, "sprites/") ? value : "sprites/" + value;
}

const std::vector<std::string>& floatingWords() {
    static const std::vector<std::string> words{"yes", "Yes", "true", "True"};
    return words;
}

const std::vector<std::string>& mirrorWords() {
    static const std::vector<std::string> words{"yes", "YES", "TRUE", "ON"};
    return words;
}

bool isFloatingWord(const std::string& value) {
    return std::find(floatingWords().begin(), floatingWords().end(), value) != floatingWords().end();
}

bool isMirrorWord(const std::string& value) {
    return std::find(mirrorWords().begin(), mirrorWords().end(), value) != mirrorWords().end();
}

bool isBackgroundSection(const std::string& name) {
    return name == "BG" || name == "bg" || name == "background" || name == "Background";
}
