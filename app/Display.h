#pragma once

class TextureManager;

// The texture manager, which also holds the window size; set by initDisplay.
extern TextureManager* screen;

// Double-buffered window from the settings, callbacks registered, black clear colour,
// texturing on and the pixel projection.
void initDisplay();

// Viewport over the whole window and an orthographic projection of one unit per scale x scale
// pixels, origin top-left, y down.
void setPixelProjection(int width, int height, int scale = 1);
