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
