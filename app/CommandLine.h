#pragma once
#include <ostream>
#include <string>

// The options the program answers itself, before the toolkit sees the command line; every
// other argument is left to the toolkit.
enum class InformationRequest { None, Help, Version };

// The first --help or --version among the arguments after the program's name.
InformationRequest findInformationRequest(int argc, const char* const* argv);

std::string versionText();
std::string helpText();

// Prints the answer to a --help or --version and returns true; false when neither was asked.
bool answerInformationRequest(int argc, const char* const* argv, std::ostream& out);

// "--level FILE" or "--level=FILE": one level file to play at once, instead of the menu.
struct LevelRequest {
    bool asked = false;
    // As given: relative to the working folder, or absolute.
    std::string path;
    // Why the option cannot be used (no file named, given twice); empty when it can.
    std::string problem;
};
LevelRequest findLevelRequest(int argc, const char* const* argv);
// "--edit FILE" or "--edit=FILE": a level file to open in the editor at once; it need not exist.
LevelRequest findEditRequest(int argc, const char* const* argv);

// Takes the game's own options (and the file after --level) out of argv, so that the toolkit
// sees only its own; returns the new count. argv[argc] stays null.
int removeGameOptions(int argc, char** argv);
