#pragma once
#include <string>

#include "game/Progress.h"

// The progress kept in a file of the working folder. A missing file is no progress and says
// nothing; one that cannot be read or does not parse gets one log line, is moved aside under a
// name of its own and is never written over. Saving writes a temporary file beside it, flushes it
// to the disk and renames it into place, so the file on disk is always the old one or the new.
class ProgressFile {
public:
    explicit ProgressFile(std::string path = "progress.ini");

    // Reads the file, if any, into progress().
    void load();
    // Writes progress() out; false (and one log line) when it could not be written.
    bool save();

    Progress& progress() { return held; }
    const Progress& progress() const { return held; }
    const std::string& path() const { return fileName; }

private:
    void keepAside(const std::string& why);

    std::string fileName;
    Progress held;
    // Off when a file that could not be read could not be moved aside either: it stays the user's.
    bool writable = true;
};
