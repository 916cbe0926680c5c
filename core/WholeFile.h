#pragma once
#include <functional>
#include <string>
#include <vector>

// Files the game writes whole or not at all: the text goes into a locked temporary
// "PATH.XXXXXX" beside the path, is flushed to disk and only then renamed into place. A run
// killed halfway leaves such a temporary, which the next start sweeps away.

// Writes what text() gives, asked for only once the temporary exists. False when the temporary
// cannot be made, written, flushed or renamed; it is then removed, and why (when given) says why.
bool writeWholeFile(const std::string& path, const std::function<std::string()>& text, std::string* why = nullptr);

// Removes the temporaries of path that a killed run left: regular files named "PATH." and
// six letters or digits, not locked by a run writing them now, holding nothing but a start
// of the text that run was writing, which text() gives (asked for only when there is such a
// file). Anything else of that name is the user's and stays. Returns the names removed.
std::vector<std::string> removeStaleTemporaries(const std::string& path, const std::function<std::string()>& text);
