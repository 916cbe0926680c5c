#pragma once
#include <string>

// freeglut's fatal errors (no display, above all) end the process with status 1 and one line of
// ours on standard error, also written to the log so release.log says why the run stopped.
void reportToolkitErrorsOurselves();

// The line for one of freeglut's fatal messages, ending in a line feed.
std::string toolkitErrorLine(const std::string& toolkitMessage);
