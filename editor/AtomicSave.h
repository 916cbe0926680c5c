#pragma once
#include <string>

// Writes a file whole or not at all: a temporary file in the same folder, flushed to disk and
// renamed over the old one, so a crash at any moment leaves the old text or the new one.
// keepBackup first copies the old file, if there is one, to "FILE~" the same way. Returns
// false with why set to the reason; the old file is then untouched. A symbolic link is
// followed: the file it names is replaced, the link stays.
bool saveAtomically(const std::string& path, const std::string& text, bool keepBackup, std::string& why);
