#include "editor/LevelText.h"

#include "level/LevelFormat.h"

namespace {

const char* const kDefaultLineEnd = "\n";

bool holdsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// The entry line for key and value, in the spacing the old line used: "key:value" stays
// without a space unless the value itself begins with one (which a single space protects).
std::string entryLine(const std::string& key, const std::string& value, bool spaced) {
    const bool needsSpace = spaced || (!value.empty() && value[0] == ' ');
    return key + (needsSpace ? ": " : ":") + value;
}

bool spacedAfterColon(const std::string& content, const std::string& key) {
    return content.size() > key.size() + 1 && content[key.size()] == ':' && content[key.size() + 1] == ' ';
}

}  // namespace

// Lines are cut where the reader cuts them, so line numbers agree: at line feeds (a
// carriage return before one belongs to the ending), or at carriage returns in a text that
// has no line feed at all.
LevelText::LevelText(const std::string& text) : reader(text) {
    const char cut = text.find('\n') != std::string::npos ? '\n' : '\r';
    size_t start = 0;
    while (start < text.size()) {
        const size_t at = text.find(cut, start);
        if (at == std::string::npos) {
            std::string rest = text.substr(start);
            const bool endsInReturn = !rest.empty() && rest.back() == '\r';
            if (endsInReturn) {
                rest.pop_back();
            }
            lines.push_back(Line{rest, endsInReturn ? "\r" : ""});
            break;
        }
        Line line{text.substr(start, at - start), std::string(1, cut)};
        if (cut == '\n' && !line.content.empty() && line.content.back() == '\r') {
            line.content.pop_back();
            line.ending = "\r\n";
        }
        lines.push_back(std::move(line));
        start = at + 1;
    }
}

std::string LevelText::text() const {
    std::string whole;
    for (const Line& line : lines) {
        whole += line.content;
        whole += line.ending;
    }
    return whole;
}

bool LevelText::fitsOnALine(const std::string& key, const std::string& value) {
    if (key.empty() || key.find(':') != std::string::npos || holdsLineBreak(key) || holdsLineBreak(value)) {
        return false;
    }
    return classifyLine(key + ":") == LineKind::Other;
}

bool LevelText::setValue(int section, const std::string& key, const std::string& value) {
    if (!validSection(section) || !fitsOnALine(key, value)) {
        return false;
    }
    // The line that takes effect; failing that, a switch line with a word the game does not
    // take, which only needs its word put right.
    const LevelReader::Entry* target = nullptr;
    for (const LevelReader::Entry& entry : reader.sections()[section].entries) {
        if (entry.key != key) {
            continue;
        }
        if (entry.fate == LevelReader::Fate::Applied) {
            target = &entry;
        } else if (entry.fate == LevelReader::Fate::WordNotTaken &&
                   (target == nullptr || target->fate != LevelReader::Fate::Applied)) {
            target = &entry;
        }
    }
    if (target == nullptr) {
        insertLine(insertionLine(section), entryLine(key, value, true));
    } else {
        std::string& content = lines[target->line - 1].content;
        content = entryLine(key, value, spacedAfterColon(content, key));
    }
    reread();
    return true;
}

bool LevelText::removeKey(int section, const std::string& key) {
    if (!validSection(section)) {
        return false;
    }
    const std::vector<LevelReader::Entry>& entries = reader.sections()[section].entries;
    bool removed = false;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (entry->key == key) {
            lines.erase(lines.begin() + (entry->line - 1));
            removed = true;
        }
    }
    if (removed) {
        reread();
    }
    return removed;
}

bool LevelText::removeSection(int section) {
    if (!validSection(section)) {
        return false;
    }
    const LevelReader::Section& gone = reader.sections()[section];
    // An interrupting header belongs to the section after; at the end of the file the
    // section runs to the last line.
    int last = static_cast<int>(lines.size());
    if (gone.end == LevelReader::End::Closed) {
        last = gone.endLine;
    } else if (gone.end == LevelReader::End::Interrupted) {
        last = gone.endLine - 1;
    }
    lines.erase(lines.begin() + (gone.line - 1), lines.begin() + last);
    reread();
    return true;
}

int LevelText::appendSection(const std::string& kindName, const Entries& entries) {
    if (kindName.empty() || kindName.find(']') != std::string::npos || holdsLineBreak(kindName)) {
        return -1;
    }
    for (const auto& [key, value] : entries) {
        if (!fitsOnALine(key, value)) {
            return -1;
        }
    }
    const std::string end = lineEnd();
    // A last section left open would be cut short by the new header, taking the new section
    // with it: it is closed first.
    if (!reader.sections().empty() && reader.sections().back().end == LevelReader::End::EndOfFile) {
        insertLine(static_cast<int>(lines.size()) + 1, "end");
    }
    if (!lines.empty() && endsOpen(lines.back())) {
        lines.back().ending = end;
    }
    if (!lines.empty()) {
        lines.push_back(Line{"", end});
    }
    const size_t before = reader.sections().size();
    lines.push_back(Line{"[" + kindName + "]", end});
    for (const auto& [key, value] : entries) {
        lines.push_back(Line{entryLine(key, value, true), end});
    }
    lines.push_back(Line{"end", end});
    reread();
    return reader.sections().size() > before ? static_cast<int>(reader.sections().size()) - 1 : -1;
}

void LevelText::reread() {
    reader = LevelReader(text());
}

bool LevelText::validSection(int section) const {
    return section >= 0 && section < static_cast<int>(reader.sections().size());
}

int LevelText::insertionLine(int section) const {
    const LevelReader::Section& where = reader.sections()[section];
    if (where.end == LevelReader::End::EndOfFile) {
        return static_cast<int>(lines.size()) + 1;
    }
    return where.endLine;
}

// A line added after a last line without an ending gives that line the file's ending and
// goes without one itself, so the file still ends as it did.
void LevelText::insertLine(int beforeLine, const std::string& content) {
    const size_t at = static_cast<size_t>(beforeLine - 1);
    if (at == lines.size() && !lines.empty() && endsOpen(lines.back())) {
        lines.back().ending = lineEnd();
        lines.push_back(Line{content, ""});
        return;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line{content, lineEnd()});
}

// A last line with no line end, or ending in a carriage return that a text of line feeds
// does not take as one.
bool LevelText::endsOpen(const Line& line) const {
    return line.ending.empty() || (line.ending == "\r" && lineEnd() != "\r");
}

std::string LevelText::lineEnd() const {
    for (const Line& line : lines) {
        if (!line.ending.empty()) {
            return line.ending;
        }
    }
    return kDefaultLineEnd;
}
