#pragma once
#include <string>
#include <vector>

// Checks a level file the way a level author needs before playing it: every picture, sound
// and music track it names loads, every section ends with "end", the properties are all given, the start box
// lies inside the level and clear of platforms, and the goal lies inside the level. Reads the
// file as the game does and the pictures and sounds without a window or a sound device.
class LevelChecker {
public:
    // Each as one line "FILE:LINE: what" (LINE 0 for the file as a whole). Errors leave the level
    // broken; warnings ("FILE:LINE: warning: what") name lines the game ignores or later undoes.
    struct Findings {
        std::vector<std::string> errors;
        std::vector<std::string> warnings;
    };

    // gameFolder: where data/, sprites/ and sounds/ are, as for the game's working directory.
    explicit LevelChecker(std::string gameFolder);

    // levelPath is relative to the game folder or absolute.
    Findings inspect(const std::string& levelPath) const;
    // The same findings for a level's text held in memory (an editor's unsaved text);
    // levelPath names it in the messages and is the level the next-level chain starts from.
    Findings inspectText(const std::string& text, const std::string& levelPath) const;
    // The errors of inspect; empty when the level is sound.
    std::vector<std::string> check(const std::string& levelPath) const;

private:
    std::string folder;
};
