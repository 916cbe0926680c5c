#pragma once

#include "graphics/PixelProjection.h"

class TextureManager;

// The texture manager, which also holds the window size; set by initDisplay.
extern TextureManager* screen;

// Double-buffered window from the settings, callbacks registered, black clear colour,
// texturing on and the pixel projection.
void initDisplay();

// For the tools that drive the game's code: freeglut started without the program's own
// arguments, and a double-buffered window of that size and title with black clear colour and
// texturing on. The caller sets its projection.
void openToolWindow(const char* program, const char* title, int width, int height);
