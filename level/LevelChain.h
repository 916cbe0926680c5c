#pragma once
#include <string>
#include <vector>

// Follows the levels' "nextmap" links from file to file as the game loads them, to find a
// chain of levels that goes round for ever instead of reaching "finish".
class LevelChain {
public:
    struct Loop {
        // The levels in the order played, from the given one to the first seen again; empty when
        // the chain ends ("finish", or a level that cannot be read, which is reported elsewhere).
        std::vector<std::string> names;
        // Whether the level seen again is the given one.
        bool backToStart = false;
    };

    // gameFolder: where data/ is, as for the game's working directory.
    explicit LevelChain(std::string gameFolder);

    // levelPath: the level's file, relative to the game folder or absolute; nextMap: its
    // "nextmap" as the game keeps it.
    Loop loopFrom(const std::string& levelPath, const std::string& nextMap) const;

private:
    std::string folder;
};
