#include "core/TextInput.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <sstream>

bool readTextLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

std::string readWholeText(std::istream& in) {
    std::ostringstream whole;
    whole << in.rdbuf();
    return whole.str();
}

std::string withLineFeeds(std::string text) {
    if (text.find('\n') != std::string::npos) {
        return text;
    }
    for (char& c : text) {
        if (c == '\r') {
            c = '\n';
        }
    }
    return text;
}

int parseInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate toward the sign's limit and stop growing once past it.
    const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
    int64_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) {
            value = limit;
        }
    }
    return static_cast<int>(negative ? -value : value);
}
