#pragma once
#include <istream>
#include <string>

// "settings.ini" in the working directory: window size, full-screen wish, whether the traps'
// loops are heard ("apple sfx") and, only when their lines are there, "scale=auto" to scale the
// picture by whole numbers in a window too and "music=off" to silence the music. Neither is
// written into a fresh file.

// Reads the file and applies width, height and "apple sfx" on the way; returns the
// full-screen wish. When there is no file a fresh one is written (whole or not at all) and
// the result is false. A file that exists but cannot be read is left untouched.
bool readSettings();

// Applies every line of an open settings text; returns the full-screen wish.
bool applySettings(std::istream& in);

// The text of a fresh settings file, with the current sizes and sound switch.
std::string defaultSettingsText();

// Logs the screen line, creates and names the window, goes full screen when asked (game mode
// when possible, else a full-screen window) and registers the event callbacks.
void openWindow(bool fullscreen);
