#pragma once
#include <string>
#include <vector>

// Checks a level file the way a level author needs before playing it: every picture, sound
// and music track it names loads, every section ends with "end", the properties are all given, the start box
// lies inside the level and clear of platforms, and the goal lies inside the level. Reads the
// pictures and sounds without a window or a sound device.
class LevelChecker {
public:
    // gameFolder: where data/, sprites/ and sounds/ are, as for the game's working directory.
    explicit LevelChecker(std::string gameFolder);

    // Each problem as one line "FILE:LINE: what is wrong" (LINE 0 for the file as a whole);
    // empty when the level is sound. levelPath is relative to the game folder or absolute.
    std::vector<std::string> check(const std::string& levelPath) const;

private:
    std::string folder;
};
