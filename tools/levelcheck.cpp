// Checks level files before they are played:
//   levelcheck [--game FOLDER] [--strict] data/level1.level [more levels...]
// FOLDER holds data/, sprites/ and sounds/, and the levels' paths are taken from it. Without
// --game it is the working folder when that holds data/, else the installed game's folder; a
// level's path is then taken from the working folder when a file is there. Prints one line per
// error and one per warning ("FILE:LINE: warning: ..."), each with the file and line number.
// Warnings name lines the game ignores or later undoes: unknown keys, keys in the wrong
// letter case, switch words the game does not take, keys that come too early, keys given again.
// Exits 1 when any level has an error, or with --strict any warning; 0 otherwise.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "level/LevelChecker.h"

namespace {

const char* plural(size_t count) {
    return count == 1 ? "" : "s";
}

// A finding quotes the level's own bytes; a NUL among them would end the line early.
void printLine(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (c == '\0') {
            shown += "\\0";
        } else {
            shown += c;
        }
    }
    std::printf("%s\n", shown.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::string given;
    bool strict = false;
    std::vector<std::string> levels;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--game" && i + 1 < argc) {
            given = argv[++i];
        } else if (argument == "--strict") {
            strict = true;
        } else {
            levels.push_back(argument);
        }
    }
    if (levels.empty()) {
        std::fprintf(stderr, "usage: %s [--game FOLDER] [--strict] LEVEL...\n", argv[0]);
        return 2;
    }
    const std::string folder = findGameFolder(given, VANTOREL_TOOL_TO_GAME);
    if (given.empty() && folder != ".") {
        for (std::string& level : levels) {
            std::error_code ec;
            if (std::filesystem::exists(level, ec)) {
                level = absoluteFromHere(level);
            }
        }
    }
    const LevelChecker checker(folder);
    size_t errors = 0;
    size_t warnings = 0;
    for (const std::string& level : levels) {
        const LevelChecker::Findings found = checker.inspect(level);
        for (const std::string& error : found.errors) {
            printLine(error);
        }
        for (const std::string& warning : found.warnings) {
            printLine(warning);
        }
        errors += found.errors.size();
        warnings += found.warnings.size();
    }
    if (errors == 0 && warnings == 0) {
        std::printf("%zu level%s checked, no problems\n", levels.size(), plural(levels.size()));
    } else if (errors == 0) {
        std::printf("%zu level%s checked, no errors, %zu warning%s%s\n", levels.size(), plural(levels.size()), warnings,
                    plural(warnings), strict ? " (--strict: failing)" : "");
    }
    return errors == 0 && (!strict || warnings == 0) ? 0 : 1;
}
