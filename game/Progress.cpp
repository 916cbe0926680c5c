#include "game/Progress.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace {

const char* const header = "; Vantorel progress: one section per level reached; times in ticks of 16 ms";
const char* const endLine = "end";
// More ticks than anyone plays (about 50 years): keeps every sum of times far from overflowing.
const int64_t largestCount = int64_t{100000000000};
const int largestOrder = 1000000;

bool readCount(const std::string& value, int64_t largest, int64_t& out) {
    if (value.empty()) {
        return false;
    }
    int64_t number = 0;
    const char* last = value.data() + value.size();
    const auto result = std::from_chars(value.data(), last, number);
    if (result.ec != std::errc() || result.ptr != last || number < 0 || number > largest) {
        return false;
    }
    out = number;
    return true;
}

// A section name must be a plain level file name: it is later read from "data/".
bool isLevelFile(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name.find(']') == std::string::npos && name != "." &&
           name != "..";
}

bool readField(LevelRecord& record, const std::string& key, const std::string& value) {
    int64_t number = 0;
    if (key == "name") {
        record.name = value;
        return true;
    }
    if (key == "finished") {
        record.finished = value == "yes";
        return value == "yes" || value == "no";
    }
    if (key == "order" && readCount(value, largestOrder, number)) {
        record.order = static_cast<int>(number);
        return true;
    }
    if (key == "best ticks") {
        if (value == "none") {
            record.bestTicks = -1;
            return true;
        }
        return readCount(value, largestCount, record.bestTicks);
    }
    if (key == "deaths") {
        return readCount(value, largestCount, record.deaths);
    }
    return false;
}

}  // namespace

bool Progress::parse(const std::string& text) {
    std::map<std::string, LevelRecord> read;
    std::istringstream in(text);
    std::string line;
    LevelRecord* current = nullptr;
    bool ended = false;
    while (std::getline(in, line)) {
        // A file saved by an editor with Windows line ends reads the same.
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (ended) {
            return false;
        }
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line == endLine) {
            ended = true;
            continue;
        }
        if (line.front() == '[' && line.back() == ']' && line.size() > 2) {
            const std::string file = line.substr(1, line.size() - 2);
            if (!isLevelFile(file) || read.count(file) != 0) {
                return false;
            }
            current = &read[file];
            current->file = file;
            continue;
        }
        const size_t equals = line.find('=');
        if (current == nullptr || equals == std::string::npos ||
            !readField(*current, line.substr(0, equals), line.substr(equals + 1))) {
            return false;
        }
    }
    // Without its last line the file was cut short.
    if (!ended || text.empty() || text.back() != '\n') {
        return false;
    }
    levels = read;
    return true;
}

std::string Progress::text() const {
    std::ostringstream out;
    out << header << "\n";
    for (const LevelRecord& record : inChainOrder()) {
        out << "[" << record.file << "]\n";
        out << "name=" << record.name << "\n";
        out << "order=" << record.order << "\n";
        out << "finished=" << (record.finished ? "yes" : "no") << "\n";
        out << "best ticks=";
        if (record.bestTicks < 0) {
            out << "none\n";
        } else {
            out << record.bestTicks << "\n";
        }
        out << "deaths=" << record.deaths << "\n";
    }
    out << endLine << "\n";
    return out.str();
}

LevelRecord& Progress::level(const std::string& file) {
    LevelRecord& record = levels[file];
    record.file = file;
    return record;
}

const LevelRecord* Progress::find(const std::string& file) const {
    const auto found = levels.find(file);
    return found == levels.end() ? nullptr : &found->second;
}

bool Progress::anyFinished() const {
    return std::any_of(levels.begin(), levels.end(), [](const auto& entry) { return entry.second.finished; });
}

std::string Progress::furthest() const {
    const std::vector<LevelRecord> chain = inChainOrder();
    return chain.empty() ? std::string() : chain.back().file;
}

std::vector<LevelRecord> Progress::inChainOrder() const {
    std::vector<LevelRecord> chain;
    for (const auto& entry : levels) {
        chain.push_back(entry.second);
    }
    std::stable_sort(chain.begin(), chain.end(),
                     [](const LevelRecord& a, const LevelRecord& b) { return a.order < b.order; });
    return chain;
}

void Progress::finish(const std::string& file, int64_t ticks) {
    LevelRecord& record = level(file);
    record.finished = true;
    const int64_t kept = std::min(std::max<int64_t>(ticks, 0), largestCount);
    if (record.bestTicks < 0 || kept < record.bestTicks) {
        record.bestTicks = kept;
    }
}

void Progress::died(const std::string& file) {
    LevelRecord& record = level(file);
    record.deaths = std::min(record.deaths + 1, largestCount);
}
