#pragma once
#include "Canvas.h"

#include <string>

// Writes the canvas as an 8-bit RGBA, non-interlaced PNG with no time stamp, so the bytes
// depend on the pixels alone. Returns false (and leaves a partial file) when writing fails.
bool writePng(const std::string& path, const Canvas& canvas);
