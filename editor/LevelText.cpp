#include "editor/LevelText.h"

LevelText::LevelText(const std::string& text) : reader(text) {}

std::string LevelText::text() const {
    return "";
}

bool LevelText::setValue(int, const std::string&, const std::string&) {
    return false;
}

bool LevelText::removeKey(int, const std::string&) {
    return false;
}

bool LevelText::removeSection(int) {
    return false;
}

int LevelText::appendSection(const std::string&, const Entries&) {
    return -1;
}

bool LevelText::fitsOnALine(const std::string&, const std::string&) {
    return false;
}
