#pragma once
#include <istream>
#include <optional>
#include <string>

// "settings.ini" in the working directory: window size, full-screen wish, whether the traps'
// loops are heard ("apple sfx") and, only when their lines are there, "scale=auto" to scale the
// picture by whole numbers in a window too, "scale=fit" to fill the window or screen with it and
// "music=off" to silence the music. None of them is written into a fresh file.

// Reads the file and applies width, height and "apple sfx" on the way; returns the
// full-screen wish. When there is no file a fresh one is written (whole or not at all) and
// the result is false. A file that exists but cannot be read is left untouched. Temporaries
// of a fresh file that a killed start left are removed first.
bool readSettings();

// The window sides the file asked for, as read, before 0 is stored as 1.
struct RequestedSize {
    std::optional<int> width;
    std::optional<int> height;
};

// Applies every line of an open settings text; returns the full-screen wish. When given,
// requested learns the last width and height the text asked for.
bool applySettings(std::istream& in, RequestedSize* requested = nullptr);

// A side asked for outside 1..8192 gives no usable window: both sides go back to 640 x 480,
// with one log line saying why. Sizes in range are left alone.
void keepWindowUsable(const RequestedSize& requested);

// The text of a fresh settings file, with the current sizes and sound switch.
std::string defaultSettingsText();

// Logs the screen line, creates and names the window, goes full screen when asked (game mode
// when possible, else a full-screen window) and registers the event callbacks.
void openWindow(bool fullscreen);
