// Checks level files before they are played:
//   levelcheck [--game FOLDER] data/level1.level [more levels...]
// FOLDER (default: the current one) holds data/, sprites/ and sounds/. Prints one line per
// problem with the file and line number; exits 1 when any level has a problem.
#include <cstdio>
#include <string>
#include <vector>

#include "level/LevelChecker.h"

int main(int argc, char** argv) {
    std::string folder = ".";
    std::vector<std::string> levels;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--game" && i + 1 < argc) {
            folder = argv[++i];
        } else {
            levels.push_back(argument);
        }
    }
    if (levels.empty()) {
        std::fprintf(stderr, "usage: %s [--game FOLDER] LEVEL...\n", argv[0]);
        return 2;
    }
    const LevelChecker checker(folder);
    int problems = 0;
    for (const std::string& level : levels) {
        for (const std::string& problem : checker.check(level)) {
            std::printf("%s\n", problem.c_str());
            ++problems;
        }
    }
    if (problems == 0) {
        std::printf("%zu level%s checked, no problems\n", levels.size(), levels.size() == 1 ? "" : "s");
    }
    return problems == 0 ? 0 : 1;
}
