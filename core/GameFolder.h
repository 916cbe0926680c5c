#pragma once
#include <string>

// Where a level tool finds the game's data/, sprites/ and sounds/: the folder named with
// --game when one is; else the working folder when it holds data/; else the installed game's
// folder, installedFromTool (such as "../share/vantorel") taken from the running tool's own
// folder. "." when none of them is found.
std::string findGameFolder(const std::string& given, const std::string& installedFromTool);

// A path from the working folder made absolute; an absolute path as it is.
std::string absoluteFromHere(const std::string& path);
