#pragma once
#include <istream>
#include <string>

// Reading the game's text files (settings, levels) the same way everywhere.

// Reads the next line without its line feed; a carriage return before the line feed is not
// part of the line, so files edited on Windows read the same. False at the end of the input.
bool readTextLine(std::istream& in, std::string& line);

// The whole of a text stream.
std::string readWholeText(std::istream& in);

// A text whose lines end with a carriage return alone (as old Mac editors write them) would
// read as one long line: its carriage returns become line feeds. A text holding any line
// feed is returned as it is.
std::string withLineFeeds(std::string text);

// Reads a number as atoi does (leading white space, optional sign, digits up to the first
// other character, 0 without digits), but a value beyond the int range saturates to
// INT_MAX or INT_MIN instead of being undefined.
int parseInt(const std::string& text);
